#include "customactions.h"

#include "cmsdeinstaller.h"

unsigned SVInstallMSDE2000(InstallerSession& session, const SetupServices& services)
{
    CMsdeInstaller installer(session, services.installer, services.prompt, services.registry);
    return installer.Install();
}

unsigned SVUninstallMSDE2000(InstallerSession& session, const SetupServices& services)
{
    CMsdeInstaller installer(session, services.installer, services.prompt, services.registry);
    return installer.Uninstall();
}
