#include "setupapplication.h"

#include "childwait.h"
#include "language.h"

#include <QApplication>
#include <QLocale>

std::unique_ptr<QCoreApplication> MakeSetupApplication(int& argc, char** argv, const char* name)
{
    StopSignals::Install();
    const bool windows = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    std::unique_ptr<QCoreApplication> application;
    if (windows)
        application = std::make_unique<QApplication>(argc, argv);
    else
        application = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(name));
    // Setup runs before the suite's own settings exist: the system's locale chooses the language.
    SetLanguage(QLocale::system().language() == QLocale::Italian ? kLanguageItalian : kLanguageEnglish);
    return application;
}
