#include "pbxsendqueue.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <system_error>

CPbxSendQueue::CPbxSendQueue(PbxFrameWriter& writer) : m_writer(writer) {}

CPbxSendQueue::~CPbxSendQueue()
{
    Stop();
}

EngineErrorCode CPbxSendQueue::Enqueue(const std::uint8_t* bytes, std::size_t length,
                                       std::shared_ptr<Event> answerEvent,
                                       std::shared_ptr<PbxRequestRecord>* record, bool answerExpected,
                                       int timeoutMs)
{
    if (!bytes || length == 0 || length > kMaxRequestSize)
        return kRequestBufferNotAllocated;
    std::unique_lock lock(m_mutex);
    if (m_stopping)
        return kResourceNotOpen;
    if ((m_write - m_read + kPositions) % kPositions > kMaxWaiting)
        return kSendQueueFull;
    std::shared_ptr<PbxRequestRecord> queued;
    try {
        queued = std::make_shared<PbxRequestRecord>();
        queued->data.assign(bytes, bytes + length);
    } catch (const std::bad_alloc&) {
        return kRequestRecordNotAllocated;
    }
    queued->answerEvent = std::move(answerEvent);
    queued->answerExpected = answerExpected;
    queued->timeoutMs = std::max(timeoutMs, 0);
    // With nothing ahead of it and a writer that allows it, the caller writes the request itself: the
    // send thread is not woken first, it only waits for the answer's time-out afterwards.
    const bool writeHere =
        m_writer.WritesFromAnyThread() && m_thread.joinable() && !m_inHand && m_read == m_write;
    m_records[static_cast<std::size_t>(m_write)] = queued;
    if (record)
        *record = queued;
    m_write = (m_write + 1) % kPositions;

    if (writeHere) {
        m_inHand = true;
        lock.unlock();
        WriteInCaller(queued);
        return kNoError;
    }
    if (!m_thread.joinable()) {
        try {
            m_thread = std::thread(&CPbxSendQueue::Run, this);
        } catch (const std::system_error&) {
            return kSendThreadNotStarted;
        }
        m_takesAnswers = true;
    }
    m_queued.Set();
    return kNoError;
}

void CPbxSendQueue::WriteInCaller(const std::shared_ptr<PbxRequestRecord>& record)
{
    std::optional<std::vector<std::uint8_t>> earlyAnswer;
    const EngineErrorCode status = Write(record, earlyAnswer);
    bool wake = true;
    if (status == kNoError && record->answerExpected && !earlyAnswer) {
        std::lock_guard lock(m_mutex);
        m_handedOver = record;
        m_handedOverDeadline = Clock::now() + std::chrono::milliseconds(record->timeoutMs);
        // A send thread that wakes by itself before this request's time is up takes the wait over then:
        // most answers come long before, so one wake-up serves many requests.
        wake = m_threadWakesBy > m_handedOverDeadline;
    } else {
        wake = Complete(record, status, std::move(earlyAnswer));
    }
    if (wake)
        m_queued.Set();  // the send thread takes over the wait, or the requests queued meanwhile
}

void CPbxSendQueue::Stop(const std::function<void()>& wake)
{
    std::thread thread;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        thread = std::move(m_thread);
    }
    m_stop.Set();
    if (wake)
        wake();
    if (thread.joinable())
        thread.join();
    {
        std::lock_guard lock(m_answerMutex);
        m_awaiting.reset();
    }
    std::lock_guard lock(m_mutex);
    for (; m_read != m_write; m_read = (m_read + 1) % kPositions)
        Finish(*m_records[static_cast<std::size_t>(m_read)], kResourceNotOpen, {});
    m_inHand = false;
    m_handedOver.reset();
    m_threadWakesBy = Clock::time_point::max();
    m_takesAnswers = false;
    m_stop.ResetSignal();
    m_stopping = false;
}

void CPbxSendQueue::DeliverAnswer(std::span<const std::uint8_t> answer)
{
    // The receive side finishes the awaited request itself and frees its place, so that its caller goes
    // on (and may write the next request) without waiting for the send thread to be scheduled first. An
    // answer that comes while its request is still being written is kept for the writer.
    std::shared_ptr<PbxRequestRecord> record;
    {
        std::lock_guard lock(m_answerMutex);
        record = std::move(m_awaiting);
        m_awaiting.reset();
        if (!record)
            m_earlyAnswer.emplace(answer.begin(), answer.end());
    }
    if (!record)
        return;  // kept for the writer, which looks for it once its write is done
    const bool queuedBehind = Release(record);
    Finish(*record, kNoError, std::vector<std::uint8_t>(answer.begin(), answer.end()));
    // The send thread, still waiting for this answer, is woken only when a request waits for it; else it
    // sleeps on until a request comes (m_queued) or the answer's time would have been up.
    if (queuedBehind)
        m_answered.Set();
}

bool CPbxSendQueue::TakeAwaiting(const std::shared_ptr<PbxRequestRecord>& record)
{
    std::lock_guard lock(m_answerMutex);
    if (m_awaiting != record)
        return false;
    m_awaiting.reset();
    return true;
}

bool CPbxSendQueue::Release(const std::shared_ptr<PbxRequestRecord>& record)
{
    std::lock_guard lock(m_mutex);
    // Stop may have finished and passed every record already.
    if (m_read != m_write && m_records[static_cast<std::size_t>(m_read)] == record) {
        m_read = (m_read + 1) % kPositions;
        m_inHand = false;
    }
    return m_read != m_write;
}

void CPbxSendQueue::Finish(PbxRequestRecord& record, EngineErrorCode status, std::vector<std::uint8_t> answer)
{
    if (record.finished.exchange(true))
        return;  // finished already: the first outcome stands
    record.status = status;
    record.answer = std::move(answer);
    if (record.answerEvent)
        record.answerEvent->Set();
}

EngineErrorCode CPbxSendQueue::Write(const std::shared_ptr<PbxRequestRecord>& record,
                                     std::optional<std::vector<std::uint8_t>>& earlyAnswer)
{
    m_writer.WaitForQuietLine();
    // An answer that came before this write belongs to an earlier request.
    {
        std::lock_guard lock(m_answerMutex);
        m_earlyAnswer.reset();
    }
    const EngineErrorCode status = m_writer.WriteFrame(record->data);
    if (status != kNoError || !record->answerExpected)
        return status;
    std::lock_guard lock(m_answerMutex);
    if (m_earlyAnswer)
        earlyAnswer.swap(m_earlyAnswer);
    else
        m_awaiting = record;  // from now on the receive side finishes it
    return status;
}

bool CPbxSendQueue::Complete(const std::shared_ptr<PbxRequestRecord>& record, EngineErrorCode status,
                             std::optional<std::vector<std::uint8_t>> answer)
{
    const bool queuedBehind = Release(record);
    Finish(*record, answer ? kNoError : status, answer ? std::move(*answer) : std::vector<std::uint8_t>{});
    return queuedBehind;
}

std::chrono::milliseconds CPbxSendQueue::WaitTime(Clock::time_point until)
{
    return std::chrono::ceil<std::chrono::milliseconds>(std::max(Clock::duration::zero(), until - Clock::now()));
}

void CPbxSendQueue::Run()
{
    // The time of the last request waited for: the thread sleeps until then even once its answer came, so
    // that the requests written by their callers meanwhile, whose times end later, need not wake it.
    std::optional<Clock::time_point> watchUntil;
    for (;;) {
        std::shared_ptr<PbxRequestRecord> record;
        bool written = false;
        Clock::time_point deadline;
        {
            std::lock_guard lock(m_mutex);
            if (m_handedOver) {
                record = std::move(m_handedOver);
                m_handedOver.reset();
                deadline = m_handedOverDeadline;
                m_threadWakesBy = deadline;
                written = true;
            } else if (m_read != m_write && !m_inHand) {
                record = m_records[static_cast<std::size_t>(m_read)];
                m_inHand = true;
                m_threadWakesBy = Clock::time_point::min();  // busy: it looks at the queue before it sleeps
            } else {
                if (watchUntil && *watchUntil <= Clock::now())
                    watchUntil.reset();
                m_threadWakesBy = watchUntil ? *watchUntil : Clock::time_point::max();
            }
        }
        if (!record) {
            Event* const events[] = {&m_stop, &m_queued};
            const int woken = watchUntil ? Event::WaitAny(events, WaitTime(*watchUntil)) : Event::WaitAny(events);
            if (woken == 0)
                return;
            continue;
        }
        if (!written) {
            if (m_stop.IsSignalled())
                return;
            std::optional<std::vector<std::uint8_t>> earlyAnswer;
            const EngineErrorCode status = Write(record, earlyAnswer);
            if (status != kNoError || !record->answerExpected || earlyAnswer) {
                Complete(record, status, std::move(earlyAnswer));
                continue;
            }
            deadline = Clock::now() + std::chrono::milliseconds(record->timeoutMs);
            std::lock_guard lock(m_mutex);
            m_threadWakesBy = deadline;
        }
        watchUntil = deadline;
        // Waits until the answer has finished the record, or its time is up. A request queued meanwhile
        // wakes the thread too: it goes on to that request once this one is finished, as the receive side
        // may have finished it without waking the thread.
        bool timedOut = false;
        while (!record->finished && !timedOut) {
            Event* const events[] = {&m_stop, &m_answered, &m_queued};
            const int woken = Event::WaitAny(events, WaitTime(deadline));
            if (woken == 0 && TakeAwaiting(record))
                return;  // Stop finishes the record still at the read position
            timedOut = woken == Event::kTimedOut;
        }
        if (TakeAwaiting(record))  // no answer took it: the time is up
            Complete(record, kChannelTimeout, std::nullopt);
    }
}
