// Tarivo, the suite's call rating program.
#include "valuxaapp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(CValuxaApp::kProgramName);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();  // the program's own name

    CValuxaApp rating(arguments);
    if (!rating.InitInstance())
        return rating.ExitInstance();
    QApplication::exec();
    return rating.ExitInstance();
}
