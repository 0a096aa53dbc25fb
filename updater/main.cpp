// Refresko, the suite's updater.
#include "refreskoapp.h"

#include "language.h"
#include "qttranslation.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Refresko"));
    // Qt's own texts speak the suite's language before the stored choice is read (Italian until then).
    InstallQtTranslation(CurrentLanguage());
    CRefreskoApp refresko;
    refresko.InitInstance();
    return 0;
}
