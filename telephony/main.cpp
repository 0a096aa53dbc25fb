// Fonivra, the operator console of the suite.
#include "fonivraapp.h"

#include "language.h"
#include "qttranslation.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fonivra"));
    // Qt's own texts speak the suite's language before the stored choice is read (Italian until then).
    InstallQtTranslation(CurrentLanguage());
    // The frame hides behind its notification icon: only the exit command ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    CFonivraApp app(QApplication::arguments());
    if (!app.InitInstance())
        return app.ExitInstance();
    QApplication::exec();
    return app.ExitInstance();
}
