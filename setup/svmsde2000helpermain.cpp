// SVMSDE2000Helper: the engine's install and uninstall actions, "install|uninstall PACKAGE [NAME=VALUE]...".
#include "customactions.h"
#include "installerhost.h"
#include "localpackageinstaller.h"
#include "messageboxprompt.h"
#include "setupapplication.h"
#include "setuplog.h"
#include "suitelocation.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const auto application = MakeSetupApplication(argc, argv, "SVMSDE2000Helper");
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString action = arguments.value(0);
    if (action != QStringLiteral("install") && action != QStringLiteral("uninstall")) {
        std::fprintf(stderr, "usage: SVMSDE2000Helper install|uninstall PACKAGE [NAME=VALUE]...\n");
        return 2;
    }
    const auto session = InstallerHost::MakeSession(arguments.mid(1));
    if (!session)
        return 2;
    const ProductRegistry registry;
    LocalPackageInstaller installer(registry, SuiteFolder() + QStringLiteral("Installer/"));
    installer.SetHiddenProperties(HiddenSetupProperties());
    MessageBoxPrompt prompt;
    const SetupServices services{installer, prompt, registry};
    const unsigned result = action == QStringLiteral("install") ? SVInstallMSDE2000(*session, services)
                                                                 : SVUninstallMSDE2000(*session, services);
    return InstallerHost::ExitCode(result);
}
