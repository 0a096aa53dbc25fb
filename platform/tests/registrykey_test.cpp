#include "registrykey.h"

#include "tempsuite.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

TEST(RegistryKey, ValuesLiveInTheSharedRegistryFile)
{
    TempSuite suite;
    RegistryKey key(QStringLiteral("SOFTWARE\\Utensa"));
    EXPECT_FALSE(key.HasValue(QStringLiteral("InstallLocation")));
    ASSERT_TRUE(key.WriteString(QStringLiteral("InstallLocation"), QStringLiteral("/opt/suite, test")));
    EXPECT_TRUE(QFile::exists(suite.SharedFolder() + QStringLiteral("Registry.ini")));

    // Another key object (another program) reads what was written; other keys are apart.
    EXPECT_EQ(RegistryKey(QStringLiteral("SOFTWARE/Utensa")).ReadString(QStringLiteral("InstallLocation")),
              QStringLiteral("/opt/suite, test"));
    EXPECT_FALSE(RegistryKey(QStringLiteral("SOFTWARE")).HasValue(QStringLiteral("InstallLocation")));

    key.WriteInt(QStringLiteral("Count"), 42);
    EXPECT_EQ(key.ReadInt(QStringLiteral("Count"), 0), 42);
    EXPECT_EQ(key.ReadInt(QStringLiteral("Missing"), -1), -1);
    key.RemoveValue(QStringLiteral("Count"));
    EXPECT_FALSE(key.HasValue(QStringLiteral("Count")));

    RegistryKey(QStringLiteral("SOFTWARE\\Utensa\\Lodgix\\Deep")).WriteString(QStringLiteral("A"), QStringLiteral("1"));
    RegistryKey(QStringLiteral("SOFTWARE\\Utensa\\Pultex")).WriteString(QStringLiteral("B"), QStringLiteral("2"));
    EXPECT_EQ(key.SubkeyNames(), (QStringList{QStringLiteral("Lodgix"), QStringLiteral("Pultex")}));
    EXPECT_EQ(RegistryKey(QStringLiteral("SOFTWARE\\Utensa\\Pultex")).SubkeyNames(), QStringList());
}

TEST(RegistryKey, NetworkPortOverrides)
{
    TempSuite suite;
    WriteFile(suite.SharedFolder() + QStringLiteral("Registry.ini"),
              "[Network]\nEngineServerPort=23443\nBadPort=70000\nWords=abc\n");
    EXPECT_EQ(NetworkPort(QStringLiteral("EngineServerPort"), 13443), 23443);
    EXPECT_EQ(NetworkPort(QStringLiteral("EventPort"), 13444), 13444);
    EXPECT_EQ(NetworkPort(QStringLiteral("BadPort"), 13444), 13444);
    EXPECT_EQ(NetworkPort(QStringLiteral("Words"), 13444), 13444);
}

TEST(RegistryKey, SerialDevicePaths)
{
    TempSuite suite;
    EXPECT_EQ(SerialDevicePath(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(SerialDevicePath(4), QStringLiteral("/dev/ttyS3"));
    EXPECT_EQ(SerialDevicePath(kSimulatorSerialPort), suite.SharedFolder() + QStringLiteral("COM98.pty"));
    EXPECT_EQ(PublishedSerialPath(7), suite.SharedFolder() + QStringLiteral("COM7.pty"));

    WriteFile(suite.SharedFolder() + QStringLiteral("Registry.ini"), "[SerialPorts]\nCOM1=/dev/ttyUSB0\nCOM98=/dev/pts/9\n");
    EXPECT_EQ(SerialDevicePath(1), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(SerialDevicePath(98), QStringLiteral("/dev/pts/9"));
    EXPECT_EQ(SerialDevicePath(2), QStringLiteral("/dev/ttyS1"));
}

}  // namespace

TEST(RegistryKey, ExistenceMultiStringsAndRemoval)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Registry.ini"));
    const RegistryKey key(QStringLiteral("SOFTWARE\\Maker\\Product"), file);
    const RegistryKey parent(QStringLiteral("SOFTWARE\\Maker"), file);
    EXPECT_FALSE(key.Exists());
    ASSERT_TRUE(key.WriteStringList(QStringLiteral("Names"), {QStringLiteral("One"), QStringLiteral("Two, three")}));
    EXPECT_TRUE(key.Exists());
    EXPECT_TRUE(parent.Exists());
    EXPECT_EQ(key.ReadStringList(QStringLiteral("Names")), (QStringList{QStringLiteral("One"), QStringLiteral("Two, three")}));
    ASSERT_TRUE(key.WriteStringList(QStringLiteral("Single"), {QStringLiteral("Alone")}));
    EXPECT_EQ(key.ReadStringList(QStringLiteral("Single")), QStringList{QStringLiteral("Alone")});
    EXPECT_TRUE(key.ReadStringList(QStringLiteral("Missing")).isEmpty());
    ASSERT_TRUE(key.Remove());
    EXPECT_FALSE(key.Exists());
    EXPECT_FALSE(parent.Exists());
}
