#include "instancecheck.h"

#include "installersession.h"
#include "productregistry.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CheckInstance, EdgeCases)
{
    struct Case {
        const char* name;
        QMap<QString, QString> properties;
        const char* registryInstances;  // nullptr: no engine key
        bool found;
        const char* lastLog;
    };
    const Case cases[] = {
        {"case differs", {{"INSTANCENAME", "hotel"}}, "Other,HOTEL", true,
         "Instance already installed. NOT installing MSDE 2000."},
        {"not listed", {{"INSTANCENAME", "Hotel"}}, "Other", false, ""},
        {"listed", {{"INSTANCENAME", "Hotel"}}, "Other,Hotel", true, "Instance already installed. NOT installing MSDE 2000."},
        {"no engine key", {{"INSTANCENAME", "Hotel"}}, nullptr, false,
         "No MSDE instances detected. Installing MSDE 2000 with given Instance name"},
        {"1.0 with upgrade", {{"MSDE10INSTALLED", "1"}, {"UPGRADE", "1"}}, "MSSQLSERVER", false,
         "User wants to upgrade the default MSDE 1.0 instance. Cancel Instance Check."},
        {"1.0 without upgrade", {{"MSDE10INSTALLED", "1"}}, nullptr, true,
         "MSDE 1.0 instance exists and user does NOT want to upgrade it. This is an Instance clash."},
        {"default searched", {}, "mssqlserver", true, "Instance already installed. NOT installing MSDE 2000."},
        {"default free", {}, "Hotel", false, "Trying to install the default Instance."},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        ProductRegistry registry(dir.filePath(QStringLiteral("Registry.ini")));
        if (c.registryInstances) {
            for (const QString& name : QString::fromUtf8(c.registryInstances).split(u','))
                registry.AddInstance(name);
        }
        InstallerSession session(dir.filePath(QStringLiteral("none.msi")), c.properties);
        EXPECT_EQ(CheckInstance(session, registry), 0u) << c.name;
        const bool found = session.PropertiesSet() == QList<QPair<QString, QString>>{{"INSTANCEFOUND", "FOUND"}};
        EXPECT_EQ(found, c.found) << c.name;
        if (!found) {
            EXPECT_TRUE(session.PropertiesSet().isEmpty()) << c.name;
        }
        const QString last = session.Records().isEmpty() ? QString() : session.Records().last().text;
        if (*c.lastLog) {
            EXPECT_EQ(last, QString::fromUtf8(c.lastLog)) << c.name;
        }
    }
}

}  // namespace
