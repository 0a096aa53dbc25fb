// MSIEXEC: the installer's front. "/i PACKAGE [NAME=VALUE]..." installs a package, "/x PRODUCTCODE" (or
// "/xPRODUCTCODE") removes a product; "/q" options are accepted and ignored. An exit code holds only 8
// bits: it is 0 for success and 1 otherwise, and the installer's result is written to standard error.
#include "installercommandline.h"
#include "localpackageinstaller.h"
#include "msipackage.h"
#include "suitelocation.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int Finish(unsigned result)
{
    std::fprintf(stderr, "MSIEXEC: result %u\n", result);
    return result == InstallerError::kSuccess ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList words = QCoreApplication::arguments().mid(1);
    words.removeIf([](const QString& word) { return word.startsWith(QStringLiteral("/q"), Qt::CaseInsensitive); });

    LocalPackageInstaller installer(ProductRegistry(), ProgramFolder());
    if (!words.isEmpty() && words.first().startsWith(QStringLiteral("/x"), Qt::CaseInsensitive)) {
        QString code = words.first().mid(2);
        if (code.isEmpty() && words.size() > 1)
            code = words[1];
        if (code.isEmpty()) {
            std::fprintf(stderr, "MSIEXEC: /x needs a product code\n");
            return Finish(InstallerError::kInvalidCommandLine);
        }
        return Finish(installer.UninstallProduct(code));
    }
    if (words.size() >= 2 && words.first().compare(QStringLiteral("/i"), Qt::CaseInsensitive) == 0) {
        // Each word is one setting: its value is quoted again for the installer's command line.
        QStringList settings;
        for (const QString& word : words.mid(2)) {
            const qsizetype equals = word.indexOf(u'=');
            settings << (equals < 0 ? word : word.left(equals + 1) + QuotedInstallerValue(word.mid(equals + 1)));
        }
        return Finish(installer.InstallProduct(words[1], settings.join(u' ')));
    }
    std::fprintf(stderr, "usage: MSIEXEC /i PACKAGE [NAME=VALUE]... | /x PRODUCTCODE\n");
    return Finish(InstallerError::kInvalidCommandLine);
}
