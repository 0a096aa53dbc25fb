#include "serialeventthread.h"

#include <system_error>

CSerialEventThread::~CSerialEventThread()
{
    EndEventThread();
}

EngineErrorCode CSerialEventThread::Open(const QString& device, std::size_t inQueue, std::size_t outQueue, bool listen)
{
    if (const EngineErrorCode opened = CSerialPortBase::Open(device, inQueue, outQueue, true); opened != kNoError)
        return opened;
    if (!listen)
        return kNoError;
    const EngineErrorCode begun = BeginEventThread();
    if (begun != kNoError)
        CSerialPortBase::Close();
    return begun;
}

EngineErrorCode CSerialEventThread::Close()
{
    EndEventThread();
    return CSerialPortBase::Close();
}

EngineErrorCode CSerialEventThread::BeginEventThread()
{
    if (m_thread.joinable())
        return kNoError;
    if (!IsOpen())
        return kResourceNotOpen;
    m_stop = false;
    m_failed = false;
    try {
        m_thread = std::thread(&CSerialEventThread::Run, this);
    } catch (const std::system_error&) {
        return kListenerThreadNotStarted;
    }
    return kNoError;
}

void CSerialEventThread::EndEventThread(int)
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    ApplyEventMask(QueryEventMask());
    m_thread.join();
}

void CSerialEventThread::Run()
{
    while (!m_stop) {
        // A failed wait ends the thread; LastError() tells why.
        if (WaitForPortEvent(true, kNoTimeout) != kNoError || m_stop) {
            m_failed = !m_stop;
            return;
        }
        const std::uint32_t events = QueryEventMask() & TakeLastEvents();
        if (events != 0)
            OnPortEvent(events, 0);
    }
}
