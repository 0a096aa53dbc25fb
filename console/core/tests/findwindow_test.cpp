#include "findwindow.h"

#include "messagetarget.h"
#include "suiteipc.h"
#include "tempsuite.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Received {
    std::uint32_t message;
    std::uint64_t wParam;
    std::int64_t lParam;
};

class RecordingTarget : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        received.push_back({message, wParam, lParam});
    }
    std::vector<Received> received;
};

TEST(FindWindow, FindsEachProgramByItsClassOrTitle)
{
    struct Case {
        SuiteIpc::Key key;
        QString name;
        std::function<bool()> find;
    };
    const Case cases[] = {
        {SuiteIpc::Key::WindowClass, QStringLiteral("Pultex"), FindPultexWindow},
        {SuiteIpc::Key::WindowClass, QStringLiteral("Simulvex"), FindSimulvexWindow},
        {SuiteIpc::Key::WindowTitle, QStringLiteral("Refresko"), FindRefreskoWindow},
        {SuiteIpc::Key::WindowTitle, QStringLiteral("Fonivra"), FindFonivraWindow},
    };
    for (const Case& test : cases) {
        TempSuite suite;
        SCOPED_TRACE(test.name.toStdString());
        RecordingTarget target;
        EXPECT_FALSE(test.find());
        {
            // The same name as the other kind of key is another window.
            const auto other = SuiteIpc::Register(
                test.key == SuiteIpc::Key::WindowClass ? SuiteIpc::Key::WindowTitle : SuiteIpc::Key::WindowClass,
                test.name, target);
            ASSERT_NE(other, nullptr);
            EXPECT_FALSE(test.find());
        }
        const auto registration = SuiteIpc::Register(test.key, test.name, target);
        ASSERT_NE(registration, nullptr);
        EXPECT_TRUE(test.find());
    }
}

TEST(FindWindow, SecondConsoleFindsTheFirstAndHandsOver)
{
    TempSuite suite(QStringLiteral("Pultex"));
    RecordingTarget first;
    const auto registration = RegisterPultexWindow(first);
    ASSERT_NE(registration, nullptr);
    RecordingTarget second;
    EXPECT_EQ(RegisterPultexWindow(second), nullptr);  // the class is taken

    ASSERT_TRUE(FindPultexWindow());
    ASSERT_TRUE(PostToPultexWindow(WM_USER + 102, 0, 515));
    ASSERT_TRUE(WaitFor([&] { return !first.received.empty(); }));
    EXPECT_EQ(first.received[0].message, WM_USER + 102);
    EXPECT_EQ(first.received[0].wParam, 0u);
    EXPECT_EQ(first.received[0].lParam, 515);
    EXPECT_TRUE(second.received.empty());
}

TEST(FindWindow, NoConsoleNoHandOver)
{
    TempSuite suite(QStringLiteral("Pultex"));
    EXPECT_FALSE(FindPultexWindow());
    EXPECT_FALSE(PostToPultexWindow(WM_USER + 102, 0, 515));
}

}  // namespace
