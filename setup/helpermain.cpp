// Helper: rewrites an engine package's codes, or installs the engine by itself.
#include "helperoptions.h"
#include "helperprogram.h"
#include "localpackageinstaller.h"
#include "messageboxprompt.h"
#include "setupapplication.h"
#include "setuplog.h"
#include "suitelocation.h"

int main(int argc, char** argv)
{
    const auto application = MakeSetupApplication(argc, argv, "Helper");
    const ProductRegistry registry;
    LocalPackageInstaller installer(registry, SuiteFolder() + QStringLiteral("Installer/"));
    installer.SetHiddenProperties(HiddenSetupProperties());
    MessageBoxPrompt prompt;
    HelperProgram helper(prompt, installer, registry);
    return helper.Run(HelperOptions::JoinArguments(QCoreApplication::arguments().mid(1)), ProgramFolder());
}
