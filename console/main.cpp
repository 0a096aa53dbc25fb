// Pultex, the console and engine of the suite.
#include "engineapp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pultex"));
    // The console lives on with its window hidden behind the notification icon: only the close command
    // ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    CEngineApp engine;
    if (!engine.InitInstance())
        return engine.ExitInstance();
    QApplication::exec();
    return engine.ExitInstance();
}
