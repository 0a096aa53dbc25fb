// The rating program's window is found by its class name, not by its title, and a date reaches it as
// the 64 bits of its value split over the two parameters.
#include "suiteipc.h"
#include "tarivowindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <bit>
#include <vector>

namespace {

class RecordingTarget : public MessageTarget {
public:
    struct Posted {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        posted.push_back({message, wParam, lParam});
    }
    std::vector<Posted> posted;
};

TEST(TarivoWindow, FoundByItsWindowClass)
{
    RecordingTarget target;
    auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, QStringLiteral("Tarivo"), target);
    if (!registration)
        GTEST_SKIP() << "another program of this suite holds the window class";
    EXPECT_TRUE(FindTarivoWindow());
    registration.reset();

    auto title = SuiteIpc::Register(SuiteIpc::Key::WindowTitle, QStringLiteral("Tarivo"), target);
    ASSERT_TRUE(title);
    EXPECT_FALSE(FindTarivoWindow());
    EXPECT_FALSE(PostToTarivo(0x400 + 75));
}

TEST(TarivoWindow, DatesTravelAsTheirBitsSplitInTwo)
{
    RecordingTarget target;
    auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, QStringLiteral("Tarivo"), target);
    if (!registration)
        GTEST_SKIP() << "another program of this suite holds the window class";
    const OleDate date(2026, 12, 11, 14, 30, 0);
    ASSERT_TRUE(PostDateToTarivo(0x400 + 76, date));
    ASSERT_TRUE(PostToTarivo(0x400 + 80, 3, -4));
    const QDeadlineTimer deadline(5000);
    while (target.posted.size() < 2 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(target.posted.size(), 2u);
    const auto bits = std::bit_cast<std::uint64_t>(date.Value());
    EXPECT_EQ(target.posted[0].message, 0x400u + 76);
    EXPECT_EQ(target.posted[0].wParam, bits & 0xFFFFFFFFu);
    EXPECT_EQ(target.posted[0].lParam, static_cast<std::int64_t>(bits >> 32));
    EXPECT_EQ(target.posted[1].wParam, 3u);
    EXPECT_EQ(target.posted[1].lParam, -4);
    EXPECT_EQ(TarivoProgramPath(), TarivoProgramFolder() + QStringLiteral("Tarivo"));
}

}  // namespace
