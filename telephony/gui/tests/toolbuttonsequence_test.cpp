#include "toolbarsettings.h"
#include "toolbuttonsequence.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// Runs the sequence's pauses when the test says so, and writes down each step.
class ToolButtonTest : public ::testing::Test {
protected:
    ToolButtonTest()
        : m_sequence({[this](const QString& number, int extension) {
                          m_steps << QStringLiteral("dial %1 from %2").arg(number).arg(extension);
                      },
                      [this](int extension) { m_steps << QStringLiteral("hang up %1").arg(extension); },
                      [this](std::chrono::milliseconds pause, std::function<void()> action) {
                          m_pauses.push_back(pause);
                          m_timers.push_back(std::move(action));
                      }})
    {
    }

    void RunTimers()
    {
        while (!m_timers.empty()) {
            auto action = std::move(m_timers.front());
            m_timers.pop_front();
            action();
        }
    }

    ToolbarSettings m_toolbar;
    QStringList m_steps;
    std::vector<std::chrono::milliseconds> m_pauses;
    std::deque<std::function<void()>> m_timers;
    ToolButtonSequence m_sequence;
};

TEST_F(ToolButtonTest, NumbersAreDialledBetweenPausesOnTimersAndTheLineIsLetGoAtTheEnd)
{
    m_toolbar.SetLabel(2, QStringLiteral("Reception"));
    m_toolbar.SetNumber(2, 0, QStringLiteral("101"));
    m_toolbar.SetNumber(2, 1, QStringLiteral("102"));
    m_toolbar.SetNumber(2, 2, QStringLiteral("103"));
    m_toolbar.SetFlag(2, 1, 1);
    ASSERT_TRUE(m_sequence.Start(m_toolbar, 2, 5, [](int) { return std::uint8_t{2}; }));
    // The first number at once; nothing else until the timer fires: the window keeps serving.
    EXPECT_EQ(m_steps, QStringList{QStringLiteral("dial 101 from 5")});
    EXPECT_TRUE(m_sequence.IsRunning());
    EXPECT_FALSE(m_sequence.Start(m_toolbar, 2, 5, [](int) { return std::uint8_t{2}; }));
    RunTimers();
    EXPECT_EQ(m_steps, (QStringList{QStringLiteral("dial 101 from 5"), QStringLiteral("hang up 5"),
                                    QStringLiteral("dial 102 from 5"), QStringLiteral("hang up 5"),
                                    QStringLiteral("dial 103 from 5"), QStringLiteral("hang up 5")}));
    EXPECT_EQ(m_pauses, std::vector<std::chrono::milliseconds>(5, std::chrono::milliseconds(5000)));
    EXPECT_FALSE(m_sequence.IsRunning());
}

TEST_F(ToolButtonTest, TheFirstFlagUsesExtensionZeroAndABusyExtensionDoesNothing)
{
    m_toolbar.SetNumber(0, 0, QStringLiteral("0612345"));
    m_toolbar.SetFlag(0, 0, 1);
    int asked = -1;
    EXPECT_FALSE(m_sequence.Start(m_toolbar, 0, 5, [&asked](int extension) {
        asked = extension;
        return std::uint8_t{7};
    }));
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(m_steps.isEmpty());
    ASSERT_TRUE(m_sequence.Start(m_toolbar, 0, 5, [](int) { return std::uint8_t{2}; }));
    EXPECT_EQ(m_steps, QStringList{QStringLiteral("dial 0612345 from 0")});
    EXPECT_TRUE(m_timers.empty());  // one number, no hang-up flag
}

}  // namespace
