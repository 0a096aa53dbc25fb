// Kelvane: the instance check, "PACKAGE [NAME=VALUE]...".
#include "installerhost.h"
#include "instancecheck.h"
#include "productregistry.h"
#include "setupapplication.h"

int main(int argc, char** argv)
{
    const auto application = MakeSetupApplication(argc, argv, "Kelvane");
    const auto session = InstallerHost::MakeSession(QCoreApplication::arguments().mid(1));
    if (!session)
        return 2;
    return InstallerHost::ExitCode(CheckInstance(*session, ProductRegistry()));
}
