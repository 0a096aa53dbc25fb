// Refresko, the suite's updater.
#include "refreskoapp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Refresko"));
    CRefreskoApp refresko;
    refresko.InitInstance();
    return 0;
}
