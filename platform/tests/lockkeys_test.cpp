#include "lockkeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// A stand-in for the kernel's LED folder: each light a folder (or, as the kernel has them, a link to
// one) holding its brightness.
class LedFolder {
public:
    void Add(const QString& name, const QByteArray& brightness, bool asLink = false)
    {
        const QString device = m_devices.filePath(name);
        QDir().mkpath(device);
        QFile file(device + QStringLiteral("/brightness"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(brightness);
        const QString light = Path() + QLatin1Char('/') + name;
        if (asLink)
            ASSERT_TRUE(QFile::link(device, light));
        else
            ASSERT_TRUE(QDir().rename(device, light));
    }
    QString Path() const { return m_leds.path(); }

private:
    QTemporaryDir m_leds;
    QTemporaryDir m_devices;
};

struct LightsCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> lights;
    LockKeyStates expected;
};

TEST(LockKeys, EachKeyIsOnWhenAnyKeyboardLightsIt)
{
    const std::vector<LightsCase> cases = {
        {"none", {}, {}},
        {"caps lit", {{"input3::capslock", "1\n"}, {"input3::numlock", "0\n"}, {"input3::scrolllock", "0\n"}},
         {true, false, false}},
        {"second keyboard lights num", {{"input3::numlock", "0\n"}, {"input7::numlock", "255\n"}}, {false, true, false}},
        {"other lights ignored", {{"phy0-led", "1\n"}, {"input3::kana", "1\n"}, {"input3::scrolllock", "1\n"}},
         {false, false, true}},
        {"unreadable brightness is off", {{"input3::capslock", "on\n"}, {"input3::numlock", ""}}, {}},
    };
    for (const LightsCase& c : cases) {
        SCOPED_TRACE(c.name);
        LedFolder leds;
        bool link = false;
        for (const auto& [name, brightness] : c.lights)
            leds.Add(QString::fromLatin1(name), QByteArray(brightness), link = !link);
        EXPECT_EQ(ReadLockKeyStates(leds.Path()), c.expected);
    }
}

TEST(LockKeys, MissingFolderReadsEveryKeyOff)
{
    QTemporaryDir parent;
    EXPECT_EQ(ReadLockKeyStates(parent.filePath(QStringLiteral("leds"))), LockKeyStates{});
}

}  // namespace
