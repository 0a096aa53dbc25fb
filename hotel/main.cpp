// Lodgix, the hotel front-office program of the suite.
#include "lodgixapp.h"

#include "language.h"
#include "qttranslation.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lodgix"));
    // Qt's own texts speak the suite's language before the stored choice is read (Italian until then).
    InstallQtTranslation(CurrentLanguage());
    // The boxes of the start-up are the only windows for a while: closing one must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    lodgix::CLodgixApp app;
    if (!app.InitInstance())
        return app.ExitInstance();
    QApplication::exec();
    return app.ExitInstance();
}
