// Tarivo, the suite's call rating program.
#include "valuxaapp.h"

#include "language.h"
#include "qttranslation.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(CValuxaApp::kProgramName);
    // Qt's own texts speak the suite's language before the stored choice is read (Italian until then).
    InstallQtTranslation(CurrentLanguage());
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();  // the program's own name

    CValuxaApp rating(arguments);
    if (!rating.InitInstance())
        return rating.ExitInstance();
    QApplication::exec();
    return rating.ExitInstance();
}
