#pragma once

#include "boundpbxrecords.h"
#include "engineclient.h"
#include "engineserver.h"
#include "eventsender.h"
#include "extensioncallstate.h"
#include "messagetarget.h"
#include "pbxeventprocessor.h"
#include "pbxlink.h"
#include "simulvexprocess.h"
#include "sqldatabase.h"
#include "tempsuite.h"
#include "udpeventlistener.h"

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <functional>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Messages posted from other threads, kept in order for the test's thread.
class PostedMessages : public MessageTarget {
public:
    struct Message {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };

    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
    // The next `count` messages once they have come (fewer after the time-out).
    std::vector<Message> Take(std::size_t count, int seconds = 10);
    std::size_t Waiting();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Message> m_messages;
};

// A workstation that pinged the engine: the datagrams its listener received, in order.
class Workstation : public MessageTarget {
public:
    static constexpr std::uint32_t kMessage = WM_USER + 100;

    Workstation();
    bool Start();
    std::uint16_t Port() const { return m_listener.LocalPort(); }
    CUdpEventListener& Listener() { return m_listener; }

    void Post(std::uint32_t, std::uint64_t slot, std::int64_t) override;
    // The next `count` datagrams once they have come (fewer after the time-out).
    std::vector<Bytes> Take(std::size_t count, int seconds = 10);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Bytes> m_datagrams;
    CUdpEventListener m_listener;
};

// The engine of a server workstation around one PBX played by the Simulvex program on COM98: the PBX
// link, the request server, the local engine client, the event sender with one pinged workstation, the
// start-up reads into the database and the bound PBX's copies, and a PbxEventProcessor that the test
// feeds with what the link posts.
class EventRig {
public:
    static constexpr int kPbx = 0;
    static constexpr int kBoundExtension = 5;

    // With `lan` the PBX is reached over the simulator's LAN port instead of COM98.
    explicit EventRig(std::unique_ptr<CSqlDatabase> database, bool lan = false);
    ~EventRig();

    // Everything up to the start-up reads; false with the reason in Error.
    bool Start();
    QString Error() const { return m_error; }

    // Runs the control command; the frames its events brought are handed to the processor, in order. The
    // number of events, or -1 when the command failed.
    int Run(const QString& command);
    // The datagrams relayed since the last call, up to the marker that this call sends through the PBX
    // (a digit event of extension 0), which is not returned.
    std::vector<Bytes> Relayed();
    // Works on every frame that came before a marker sent now through the PBX (a digit event of extension
    // 0), the marker included: the events that engine requests brought have then all been handled.
    void Settle();
    // Opens the link on COM98 again (the simulator may have been started anew) and runs the start-up
    // reads: 0 or the failing code.
    int ReopenLink();
    // Starts the Simulvex program again after it ended.
    bool RestartSimulvex();

    // The first text column of every row the query gives, in order.
    QStringList Rows(const QString& sql, const QVariantList& values = {});
    QString Table(const QString& name) const { return name + QStringLiteral("_PBX1"); }

    CSqlDatabase& Database() { return *m_database; }
    PbxEventProcessor& Processor() { return *m_processor; }
    BoundPbxRecords& Bound() { return m_bound; }
    ExtensionCallStateTable& CallStates() { return m_callStates; }
    SimulvexProcess& Simulvex() { return m_simulvex; }
    std::vector<std::uint64_t>& Notifications() { return m_notifications; }
    PostedMessages& FrameMessages() { return m_frame; }
    CEngineClient& Client() { return *m_client; }
    std::shared_ptr<CPbxLink> Link() const { return m_link; }

    // Also told every call notification, after Notifications has it.
    std::function<void(std::uint64_t wParam, std::int64_t lParam)> onPbxEvent;

    OleDate now{2026, 3, 4, 10, 0, 0};
    bool iconShown = true;

private:
    TempSuite m_suite{QStringLiteral("Pultex")};
    SimulvexProcess m_simulvex;
    std::unique_ptr<CSqlDatabase> m_database;
    bool m_lan = false;
    std::shared_ptr<CPbxLink> m_link;
    CEngineServer m_server;
    std::unique_ptr<CEventSender> m_sender;
    std::unique_ptr<CEngineClient> m_client;
    Workstation m_workstation;
    PostedMessages m_linkMessages;
    PostedMessages m_frame;
    BoundPbxRecords m_bound;
    ExtensionCallStateTable m_callStates{};
    std::vector<std::uint64_t> m_notifications;
    std::unique_ptr<PbxEventProcessor> m_processor;
    QString m_error;
};

// Hexadecimal text of bytes, upper case, no separators.
QString Hex(const Bytes& bytes);
