// The rating program's window is found by its class name, not by its title, and a date reaches it as
// the 64 bits of its value split over the two parameters.
#include "postedmessages.h"
#include "suiteipc.h"
#include "tarivowindow.h"
#include "waitfor.h"

#include <gtest/gtest.h>

namespace {

TEST(TarivoWindow, FoundByItsWindowClass)
{
    PostedMessages target;
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
    PostedMessages target;
    auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, QStringLiteral("Tarivo"), target);
    if (!registration)
        GTEST_SKIP() << "another program of this suite holds the window class";
    const OleDate date(2026, 12, 11, 14, 30, 0);
    ASSERT_TRUE(PostDateToTarivo(0x400 + 76, date));
    ASSERT_TRUE(PostToTarivo(0x400 + 80, 3, -4));
    ASSERT_TRUE(WaitFor([&] { return target.posted.size() >= 2; }));
    ASSERT_EQ(target.posted.size(), 2u);
    EXPECT_EQ(target.posted[0].message, 0x400u + 76);
    EXPECT_EQ(target.posted[0].Date(), date.Value());
    EXPECT_LE(target.posted[0].wParam, 0xFFFFFFFFu) << "the low half only";
    EXPECT_EQ(target.posted[1].wParam, 3u);
    EXPECT_EQ(target.posted[1].lParam, -4);
    EXPECT_EQ(TarivoProgramPath(), TarivoProgramFolder() + QStringLiteral("Tarivo"));
}

}  // namespace
