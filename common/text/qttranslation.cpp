#include "qttranslation.h"

#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

// Qt's catalogue of its widgets' and dialogs' texts.
const QString kQtCatalogue = QStringLiteral("qtbase");

// The translator installed last; the application owns it, so a new application starts without one.
QPointer<QTranslator> g_installed;

}  // namespace

bool InstallQtTranslation(int language)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return false;
    if (g_installed) {
        QCoreApplication::removeTranslator(g_installed);
        delete g_installed;
    }
    auto translator = new QTranslator(application);
    if (!translator->load(LanguageLocale(language), kQtCatalogue, QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    g_installed = translator;
    return true;
}
