#pragma once

#include "engineerrorcode.h"
#include "event.h"
#include "pbxframe.h"
#include "pbxrequestrecord.h"

#include <array>
#include <chrono>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

// What a channel does for its send thread.
class PbxFrameWriter {
public:
    virtual ~PbxFrameWriter() = default;
    // Writes the queued bytes to the PBX (and logs them); 0 or the failure.
    virtual EngineErrorCode WriteFrame(std::span<const std::uint8_t> bytes) = 0;
    // Returns when a request may be written; the serial channel waits while a frame is coming in.
    virtual void WaitForQuietLine() {}
    // Whether a write may run on the thread that queues the request (one that never blocks for long):
    // then a request queued while nothing else is sent is written at once by its caller.
    virtual bool WritesFromAnyThread() const { return false; }
};

// The send queue of a PBX channel and its send thread: 50 positions, of which 49 may hold requests (the
// one being sent counts until it is finished). The thread writes one request at a time and, when an
// answer is expected, waits for the receive side to deliver it or for the record's time-out (30). The
// receive side finishes the request its answer belongs to; a caller may write its own request (see
// PbxFrameWriter::WritesFromAnyThread). Enqueue and Stop are never called at once: a channel keeps them
// apart by its life lock.
class CPbxSendQueue {
public:
    static constexpr int kPositions = 50;
    static constexpr int kMaxWaiting = kPositions - 2;
    // The longest bytes one request may carry: a whole frame.
    static constexpr std::size_t kMaxRequestSize = kMaxPbxFrameSize;

    explicit CPbxSendQueue(PbxFrameWriter& writer);
    ~CPbxSendQueue();
    CPbxSendQueue(const CPbxSendQueue&) = delete;
    CPbxSendQueue& operator=(const CPbxSendQueue&) = delete;

    // Queues a copy of the bytes and begins the send thread when it does not run: 24 when the queue is
    // full, 26 when there are no bytes or more than a frame, 28 when the thread cannot begin, 5 while
    // stopping.
    EngineErrorCode Enqueue(const std::uint8_t* bytes, std::size_t length, std::shared_ptr<Event> answerEvent,
                            std::shared_ptr<PbxRequestRecord>* record, bool answerExpected, int timeoutMs);
    // Ends and joins the send thread; the requests still queued, and the one in progress, finish with 5.
    // `wake` runs once the thread has been told to stop: it ends a write that is blocked.
    void Stop(const std::function<void()>& wake = {});

    // True while the send thread runs: only then can a request be waiting for an answer.
    bool TakesAnswers() const { return m_takesAnswers; }
    // The receive side's answer to the request in progress: it finishes that request at once.
    void DeliverAnswer(std::span<const std::uint8_t> answer);

private:
    using Clock = std::chrono::steady_clock;

    void Run();
    // From now until then, whole milliseconds rounded up (none when it has passed).
    static std::chrono::milliseconds WaitTime(Clock::time_point until);
    // Writes the request the caller queued into an idle queue, then hands the wait for its answer to the
    // send thread.
    void WriteInCaller(const std::shared_ptr<PbxRequestRecord>& record);
    // Writes the record, then marks it as the one awaiting an answer (when it expects one); an answer that
    // came during the write is given back in `earlyAnswer` instead.
    EngineErrorCode Write(const std::shared_ptr<PbxRequestRecord>& record,
                          std::optional<std::vector<std::uint8_t>>& earlyAnswer);
    // Frees the record's place and finishes it: with the answer when there is one, else with the status;
    // true when requests wait behind it.
    bool Complete(const std::shared_ptr<PbxRequestRecord>& record, EngineErrorCode status,
                  std::optional<std::vector<std::uint8_t>> answer);
    // Takes the record from the waiting place when it is still there (no answer finished it); true then.
    bool TakeAwaiting(const std::shared_ptr<PbxRequestRecord>& record);
    // Moves the read position past the record when it is the one there; true when requests wait behind.
    bool Release(const std::shared_ptr<PbxRequestRecord>& record);
    // Finishes a record: status, answer, its event; only the first call for a record does anything.
    static void Finish(PbxRequestRecord& record, EngineErrorCode status, std::vector<std::uint8_t> answer);

    PbxFrameWriter& m_writer;

    std::mutex m_mutex;  // the positions, the indexes, the thread object, the stopping flag
    std::array<std::shared_ptr<PbxRequestRecord>, kPositions> m_records;
    int m_write = 0;
    int m_read = 0;
    bool m_stopping = false;
    bool m_inHand = false;  // the record at the read position is being written or awaits its answer
    std::shared_ptr<PbxRequestRecord> m_handedOver;  // written by its caller: the send thread waits for it
    Clock::time_point m_handedOverDeadline;
    // When the send thread, asleep, wakes by itself (max: not before a request wakes it; min: it is busy
    // and looks at the queue before it sleeps): a request handed over that ends later need not wake it.
    Clock::time_point m_threadWakesBy = Clock::time_point::max();
    std::thread m_thread;
    std::atomic<bool> m_takesAnswers{false};

    Event m_stop{Event::Reset::Manual};
    Event m_queued{Event::Reset::Automatic};
    // An answer finished the awaited request while others wait behind it: the send thread goes on.
    Event m_answered{Event::Reset::Automatic};
    std::mutex m_answerMutex;
    std::shared_ptr<PbxRequestRecord> m_awaiting;  // the request written whose answer is awaited
    std::optional<std::vector<std::uint8_t>> m_earlyAnswer;  // came while the request was being written
};
