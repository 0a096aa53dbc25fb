#include "pbxsendqueue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::chrono::milliseconds kWait{5000};
constexpr int kTimeoutMs = 5000;
const Bytes kRequest = {0x16, 0x16, 0x22, 0x02, 0x01, 0x05};
const Bytes kAnswer = {0x16, 0x16, 0x22, 0x04, 0x01, 0x05, 0x02, 0x00};

// A writer that notes the thread of each write and, when told, has the answer arrive while the write is
// still under way (a PBX faster than the return from the write).
class AnsweringWriter : public PbxFrameWriter {
public:
    AnsweringWriter(bool fromAnyThread, bool answerDuringWrite)
        : m_fromAnyThread(fromAnyThread), m_answerDuringWrite(answerDuringWrite)
    {
    }
    void SetQueue(CPbxSendQueue* queue) { m_queue = queue; }

    EngineErrorCode WriteFrame(std::span<const std::uint8_t>) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_writers.push_back(std::this_thread::get_id());
        }
        if (m_answerDuringWrite)
            m_queue->DeliverAnswer(kAnswer);
        return kNoError;
    }
    bool WritesFromAnyThread() const override { return m_fromAnyThread; }

    // The writing thread of each write so far (the send thread's writes come from another thread).
    std::vector<std::thread::id> Writers()
    {
        std::lock_guard lock(m_mutex);
        return m_writers;
    }

private:
    std::mutex m_mutex;
    std::vector<std::thread::id> m_writers;
    bool m_fromAnyThread;
    bool m_answerDuringWrite;
    CPbxSendQueue* m_queue = nullptr;
};

struct QueueCase {
    bool fromAnyThread;
    bool answerDuringWrite;
};

class PbxSendQueueTest : public testing::TestWithParam<QueueCase> {};

// Two requests one after the other: each finishes with its answer (none waits for its time-out), and a
// writer that allows it is written by its caller once the send thread runs.
TEST_P(PbxSendQueueTest, EachRequestFinishesWithItsAnswer)
{
    const QueueCase c = GetParam();
    AnsweringWriter writer(c.fromAnyThread, c.answerDuringWrite);
    CPbxSendQueue queue(writer);
    writer.SetQueue(&queue);
    for (int request = 0; request < 3; ++request) {
        auto answered = std::make_shared<Event>(Event::Reset::Manual);
        std::shared_ptr<PbxRequestRecord> record;
        ASSERT_EQ(queue.Enqueue(kRequest.data(), kRequest.size(), answered, &record, true, kTimeoutMs), kNoError);
        if (!c.answerDuringWrite) {
            // The answer comes from the receive side once the request is out.
            while (writer.Writers().size() < static_cast<std::size_t>(request + 1) || !queue.TakesAnswers())
                std::this_thread::yield();
            queue.DeliverAnswer(kAnswer);
        }
        ASSERT_TRUE(answered->Wait(kWait));
        EXPECT_EQ(record->status, kNoError);
        EXPECT_EQ(record->answer, kAnswer);
    }
    queue.Stop();
    const std::vector<std::thread::id> writers = writer.Writers();
    ASSERT_EQ(writers.size(), 3u);
    EXPECT_NE(writers[0], std::this_thread::get_id());  // the first request starts the send thread
    EXPECT_EQ(writers[2] == std::this_thread::get_id(), c.fromAnyThread);
}

// Requests written by their callers, the send thread only watching their times: one that gets no answer
// still ends with the channel's time-out at its own time, whether it ends before the time the thread
// sleeps until (after an answered request with a long time) or after it.
TEST_P(PbxSendQueueTest, AnUnansweredRequestTimesOutAfterAnAnsweredOne)
{
    const QueueCase c = GetParam();
    AnsweringWriter writer(c.fromAnyThread, false);
    CPbxSendQueue queue(writer);
    writer.SetQueue(&queue);
    const auto exchange = [&](int timeoutMs, bool answer) {
        auto answered = std::make_shared<Event>(Event::Reset::Manual);
        std::shared_ptr<PbxRequestRecord> record;
        const std::size_t writes = writer.Writers().size();
        EXPECT_EQ(queue.Enqueue(kRequest.data(), kRequest.size(), answered, &record, true, timeoutMs), kNoError);
        if (answer) {
            while (writer.Writers().size() == writes || !queue.TakesAnswers())
                std::this_thread::yield();
            queue.DeliverAnswer(kAnswer);
        }
        EXPECT_TRUE(answered->Wait(kWait));
        return record ? record->status : kResourceNotOpen;
    };
    EXPECT_EQ(exchange(60000, true), kNoError);
    EXPECT_EQ(exchange(50, false), kChannelTimeout);  // ends long before the first request's time
    EXPECT_EQ(exchange(200, true), kNoError);
    EXPECT_EQ(exchange(300, false), kChannelTimeout);  // ends after the time of the one before
    queue.Stop();
}

INSTANTIATE_TEST_SUITE_P(Writers, PbxSendQueueTest,
                         testing::Values(QueueCase{false, false}, QueueCase{false, true}, QueueCase{true, false},
                                         QueueCase{true, true}));

}  // namespace
