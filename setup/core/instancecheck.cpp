#include "instancecheck.h"

#include "installersession.h"
#include "localpackageinstaller.h"
#include "productregistry.h"

namespace {

void Log(InstallerSession& session, const QString& text)
{
    session.ProcessMessage({InstallerRecord::Kind::Info, 0, text});
}

void SetFound(InstallerSession& session) { session.SetProperty(QStringLiteral("INSTANCEFOUND"), QStringLiteral("FOUND")); }

}  // namespace

unsigned CheckInstance(InstallerSession& session, const ProductRegistry& registry)
{
    QString instance = session.Property(QStringLiteral("INSTANCENAME"));
    if (instance.isEmpty()) {
        instance = LocalPackageInstaller::kDefaultInstance;
        Log(session, QStringLiteral("Trying to install the default Instance."));
        if (!session.Property(QStringLiteral("MSDE10INSTALLED")).isEmpty()) {
            Log(session, QStringLiteral("MSDE 1.0 Instance exists. That means MSSQLSERVER instance already exists"));
            if (!session.Property(QStringLiteral("UPGRADE")).isEmpty()) {
                Log(session, QStringLiteral("User wants to upgrade the default MSDE 1.0 instance. Cancel Instance Check."));
            } else {
                Log(session, QStringLiteral("MSDE 1.0 instance exists and user does NOT want to upgrade it. This is an "
                                            "Instance clash."));
                SetFound(session);
            }
            return 0;
        }
    }
    if (!registry.HasEngineKey()) {
        Log(session, QStringLiteral("No MSDE instances detected. Installing MSDE 2000 with given Instance name"));
        return 0;
    }
    for (const QString& installed : registry.InstalledInstances()) {
        if (installed.compare(instance, Qt::CaseInsensitive) == 0) {
            Log(session, QStringLiteral("Instance already installed. NOT installing MSDE 2000."));
            SetFound(session);
            break;
        }
    }
    return 0;
}
