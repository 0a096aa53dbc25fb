// Fonivra, the operator console of the suite.
#include "fonivraapp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fonivra"));
    // The frame hides behind its notification icon: only the exit command ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    CFonivraApp app(QApplication::arguments());
    if (!app.InitInstance())
        return app.ExitInstance();
    QApplication::exec();
    return app.ExitInstance();
}
