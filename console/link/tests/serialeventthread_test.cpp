#include "serialeventthread.h"

#include "pseudoterminal.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <mutex>

namespace {

// Reads what each event announces.
class ReadingPort : public CSerialEventThread {
public:
    ~ReadingPort() override { EndEventThread(); }

    QByteArray Received() const
    {
        std::lock_guard lock(m_mutex);
        return m_received;
    }
    std::uint32_t Events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }

protected:
    void OnPortEvent(std::uint32_t events, std::uint32_t) override
    {
        char buffer[64];
        std::size_t count = 0;
        ReadPort(buffer, sizeof buffer, &count, false, kNoTimeout);
        std::lock_guard lock(m_mutex);
        m_events |= events;
        m_received.append(buffer, static_cast<qsizetype>(count));
    }

private:
    mutable std::mutex m_mutex;
    QByteArray m_received;
    std::uint32_t m_events = 0;
};

TEST(SerialEventThread, ListeningPortHandsItsBytesToOnPortEvent)
{
    auto terminal = PseudoTerminal::Open();
    ASSERT_TRUE(terminal);
    ReadingPort port;
    ASSERT_EQ(port.Open(terminal->SlavePath(), 512, 512, true), kNoError);
    EXPECT_TRUE(port.IsEventThreadRunning());
    ASSERT_TRUE(terminal->Write("one"));
    ASSERT_TRUE(WaitFor([&] { return port.Received() == "one"; }));
    ASSERT_TRUE(terminal->Write("two"));
    ASSERT_TRUE(WaitFor([&] { return port.Received() == "onetwo"; }));
    EXPECT_EQ(port.Events(), SerialEvent::kReceivedCharacter);

    // Close ends the thread blocked in its wait, then the port.
    EXPECT_EQ(port.Close(), kNoError);
    EXPECT_FALSE(port.IsEventThreadRunning());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.BeginEventThread(), kResourceNotOpen);
}

TEST(SerialEventThread, ThreadBegunLaterCanBeEndedAndBegunAgain)
{
    auto terminal = PseudoTerminal::Open();
    ASSERT_TRUE(terminal);
    ReadingPort port;
    ASSERT_EQ(port.Open(terminal->SlavePath(), 512, 512, false), kNoError);
    EXPECT_FALSE(port.IsEventThreadRunning());
    ASSERT_EQ(port.BeginEventThread(), kNoError);
    EXPECT_EQ(port.BeginEventThread(), kNoError);  // one runs already
    port.EndEventThread(1000);
    EXPECT_FALSE(port.IsEventThreadRunning());
    ASSERT_EQ(port.BeginEventThread(), kNoError);
    ASSERT_TRUE(terminal->Write("x"));
    EXPECT_TRUE(WaitFor([&] { return port.Received() == "x"; }));
}

}  // namespace
