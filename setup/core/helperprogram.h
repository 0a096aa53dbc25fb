#pragma once

#include <QString>

class PackageInstaller;
class ProductRegistry;
class SetupPrompt;
struct HelperOptions;

// Helper: with /F, /P or /K it rewrites a package's product and package codes; without them it installs
// the engine by itself from "SqlRun01.Msi" and "SqlRun.Cab" in its own folder, with the options of
// "Setup.ini" there. Run() gives the exit code: 0, or 1 when a rewrite or the installation failed
// (a read-only package is refused and left as it was).
class HelperProgram {
public:
    HelperProgram(SetupPrompt& prompt, PackageInstaller& installer, const ProductRegistry& registry);

    int Run(const QString& commandLine, const QString& programFolder);

private:
    int RewriteMode(const HelperOptions& options);
    int StandAloneMode(const HelperOptions& options, const QString& programFolder);
    int InstallFromWorkFolder(const QString& package, const QString& programFolder, const QString& slotFile,
                              const QString& productCode, const QString& packageCode, const QString& commandLine);
    int Install(const QString& package, const QString& commandLine);

    SetupPrompt& m_prompt;
    PackageInstaller& m_installer;
    const ProductRegistry& m_registry;
};
