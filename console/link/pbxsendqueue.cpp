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
    std::lock_guard lock(m_mutex);
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
    m_records[static_cast<std::size_t>(m_write)] = queued;
    if (record)
        *record = queued;
    m_write = (m_write + 1) % kPositions;

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
    std::lock_guard lock(m_mutex);
    for (; m_read != m_write; m_read = (m_read + 1) % kPositions)
        Finish(*m_records[static_cast<std::size_t>(m_read)], kResourceNotOpen, {});
    m_takesAnswers = false;
    m_stop.ResetSignal();
    m_stopping = false;
}

void CPbxSendQueue::DeliverAnswer(std::span<const std::uint8_t> answer)
{
    // The receive side finishes the waiting request itself: its caller goes on without waiting for the
    // send thread to be scheduled first.
    std::shared_ptr<PbxRequestRecord> record;
    {
        std::lock_guard lock(m_answerMutex);
        record = std::move(m_awaiting);
        m_awaiting.reset();
    }
    if (record)
        Finish(*record, kNoError, std::vector<std::uint8_t>(answer.begin(), answer.end()));
    m_answerArrived.Set();
}

bool CPbxSendQueue::TakeAwaiting(const std::shared_ptr<PbxRequestRecord>& record)
{
    std::lock_guard lock(m_answerMutex);
    if (m_awaiting != record)
        return false;
    m_awaiting.reset();
    return true;
}

void CPbxSendQueue::Finish(PbxRequestRecord& record, EngineErrorCode status, std::vector<std::uint8_t> answer)
{
    record.status = status;
    record.answer = std::move(answer);
    if (record.answerEvent)
        record.answerEvent->Set();
}

void CPbxSendQueue::Run()
{
    for (;;) {
        std::shared_ptr<PbxRequestRecord> record;
        {
            std::lock_guard lock(m_mutex);
            if (m_read != m_write)
                record = m_records[static_cast<std::size_t>(m_read)];
        }
        if (!record) {
            Event* const events[] = {&m_stop, &m_queued};
            if (Event::WaitAny(events) == 0)
                return;
            continue;
        }
        if (m_stop.IsSignalled())
            return;

        m_writer.WaitForQuietLine();
        // An answer that came before this write belongs to an earlier request.
        m_answerArrived.ResetSignal();
        if (record->answerExpected) {
            std::lock_guard lock(m_answerMutex);
            m_awaiting = record;
        }
        EngineErrorCode status = m_writer.WriteFrame(record->data);
        if (status == kNoError && record->answerExpected) {
            Event* const events[] = {&m_stop, &m_answerArrived};
            const int woken = Event::WaitAny(events, std::chrono::milliseconds(record->timeoutMs));
            if (woken == 0 && TakeAwaiting(record))
                return;  // Stop finishes the record still at the read position
            status = kChannelTimeout;  // unless the answer came and finished the record already
        }
        // Whoever takes the record from the waiting place finishes it: here, unless the answer came.
        const bool ours = !record->answerExpected || TakeAwaiting(record);
        {
            std::lock_guard lock(m_mutex);
            m_read = (m_read + 1) % kPositions;
        }
        if (ours)
            Finish(*record, status, {});
    }
}
