#include "setupinicommandline.h"

#include "productregistry.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SetupIniCommandLine, CommandLineAndInstanceName)
{
    struct Case {
        const char* name;
        QByteArray ini;  // empty: no Setup.ini
        const char* password;
        const char* commandLine;
        const char* instance;
    };
    const Case cases[] = {
        {"no file", {}, "", "INSTANCENAME=MSSQLSERVER ", "MSSQLSERVER"},
        {"no file, password", {}, "pw", "INSTANCENAME=MSSQLSERVER SAPWD=pw", "MSSQLSERVER"},
        {"empty instance", "[Options]\nINSTANCENAME=\nSECURITYMODE=SQL\n", "", "INSTANCENAME=MSSQLSERVER SECURITYMODE=SQL ",
         "MSSQLSERVER"},
        {"order kept", "[Options]\nINSTANCENAME=Hotel\nSECURITYMODE=SQL\nTARGETDIR=C:\\Program Files\\Engine\n", "",
         "INSTANCENAME=Hotel SECURITYMODE=SQL TARGETDIR=\"C:\\Program Files\\Engine\" ", "Hotel"},
        {"file password wins", "[Options]\nSAPWD=\"quoted\"\nINSTANCENAME=X\n", "other",
         "SAPWD=\"\"\"quoted\"\"\" INSTANCENAME=X ", "X"},
        {"password with blank", "[Options]\nINSTANCENAME=X\n", "a b", "INSTANCENAME=X SAPWD=\"a b\"", "X"},
        {"UTF-16 not read", QByteArray("\xFF\xFE[\0O\0]\0", 8), "", "INSTANCENAME=MSSQLSERVER ", "MSSQLSERVER"},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        if (!c.ini.isEmpty()) {
            QFile file(dir.filePath(QStringLiteral("Setup.ini")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.ini);
        }
        QString instance;
        EXPECT_EQ(BuildCommandLineFromSetupIni(dir.path() + u'/', QString::fromUtf8(c.password), instance),
                  QString::fromUtf8(c.commandLine))
            << c.name;
        EXPECT_EQ(instance, QString::fromUtf8(c.instance)) << c.name;
    }
}

TEST(SetupIniCommandLine, FindsInstalledInstanceIgnoringCase)
{
    QTemporaryDir dir;
    ProductRegistry registry(dir.filePath(QStringLiteral("Registry.ini")));
    EXPECT_EQ(FindInstalledInstance(registry, QStringLiteral("MSSQLSERVER")), 0);
    registry.AddInstance(QStringLiteral("Hotel"));
    registry.AddInstance(QStringLiteral("MSSQLServer"));
    EXPECT_EQ(FindInstalledInstance(registry, QStringLiteral("MSSQLSERVER")), 2);
    EXPECT_EQ(FindInstalledInstance(registry, QStringLiteral("hotel")), 1);
    EXPECT_EQ(FindInstalledInstance(registry, QStringLiteral("Other")), 0);
}

}  // namespace
