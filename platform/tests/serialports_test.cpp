#include "serialports.h"

#include "registrykey.h"
#include "tempsuite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A stand-in for /sys/class/tty: one folder per tty, with a device link and a UART type where asked.
class FakeTtyClass {
public:
    FakeTtyClass() { QDir().mkpath(DevicePath()); }

    QString Path() const { return m_dir.path() + QStringLiteral("/class/tty"); }
    QString DevicePath() const { return m_dir.path() + QStringLiteral("/devices/port"); }

    void Add(const QString& name, bool withDevice, const char* uartType = nullptr)
    {
        const QString folder = Path() + u'/' + name;
        QDir().mkpath(folder);
        if (withDevice)
            QFile::link(DevicePath(), folder + QStringLiteral("/device"));
        if (uartType) {
            QFile type(folder + QStringLiteral("/type"));
            type.open(QIODevice::WriteOnly);
            type.write(uartType);
        }
    }

private:
    QTemporaryDir m_dir;
};

TEST(SerialPorts, ListsPortsWithHardwareAndNumbersThem)
{
    TempSuite suite;
    RegistryKey(QStringLiteral("SerialPorts")).WriteString(QStringLiteral("COM7"), QStringLiteral("/dev/ttyUSB1"));
    FakeTtyClass tty;
    tty.Add(QStringLiteral("ttyS11"), true, "4\n");
    tty.Add(QStringLiteral("ttyS0"), true, "4\n");
    tty.Add(QStringLiteral("ttyS1"), true, "0\n");   // an empty legacy slot
    tty.Add(QStringLiteral("ttyS2"), false);         // no device behind it
    tty.Add(QStringLiteral("ttyUSB1"), true);
    tty.Add(QStringLiteral("ttyUSB0"), true);
    tty.Add(QStringLiteral("ttyACM0"), true);
    tty.Add(QStringLiteral("tty1"), true);            // a virtual console
    tty.Add(QStringLiteral("ttyprintk"), true);

    const std::vector<SerialPort> ports = ListSerialPorts(tty.Path());
    ASSERT_EQ(ports.size(), 5u);
    const struct {
        const char* name;
        int number;
    } expected[] = {{"ttyS0", 1}, {"ttyS11", 12}, {"ttyUSB0", 0}, {"ttyUSB1", 7}, {"ttyACM0", 0}};
    for (std::size_t i = 0; i < ports.size(); ++i) {
        EXPECT_EQ(ports[i].name, QLatin1StringView(expected[i].name)) << i;
        EXPECT_EQ(ports[i].device, QStringLiteral("/dev/") + QLatin1StringView(expected[i].name)) << i;
        EXPECT_EQ(ports[i].number, expected[i].number) << i;
    }
    // The numbers lead back to the devices.
    EXPECT_EQ(SerialDevicePath(12), QStringLiteral("/dev/ttyS11"));
    EXPECT_EQ(SerialDevicePath(7), QStringLiteral("/dev/ttyUSB1"));
}

TEST(SerialPorts, NoPortsGivesAnEmptyList)
{
    TempSuite suite;
    FakeTtyClass tty;
    tty.Add(QStringLiteral("tty0"), false);
    EXPECT_TRUE(ListSerialPorts(tty.Path()).empty());
    EXPECT_TRUE(ListSerialPorts(QStringLiteral("/nonexistent/class/tty")).empty());
}

}  // namespace
