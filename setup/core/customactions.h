#pragma once

class InstallerSession;
class PackageInstaller;
class ProductRegistry;
class SetupPrompt;

// What the setup programs' custom actions reach besides the installer session.
struct SetupServices {
    PackageInstaller& installer;
    SetupPrompt& prompt;
    const ProductRegistry& registry;
};

// The install and uninstall actions of the database engine (SVMSDE2000Helper).
unsigned SVInstallMSDE2000(InstallerSession& session, const SetupServices& services);
unsigned SVUninstallMSDE2000(InstallerSession& session, const SetupServices& services);
