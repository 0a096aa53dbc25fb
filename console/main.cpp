// Pultex, the console and engine of the suite.
#include "engineapp.h"

#include "language.h"
#include "qttranslation.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pultex"));
    // Qt's own texts speak the suite's language before the stored choice is read (Italian until then).
    InstallQtTranslation(CurrentLanguage());
    // The console lives on with its window hidden behind the notification icon: only the close command
    // ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    CEngineApp engine;
    if (!engine.InitInstance())
        return engine.ExitInstance();
    QApplication::exec();
    return engine.ExitInstance();
}
