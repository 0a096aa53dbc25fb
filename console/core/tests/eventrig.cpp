#include "eventrig.h"

#include "pbxchannelbase.h"
#include "pbxstartupreads.h"
#include "socketaddress.h"

#include <QRegularExpression>

#include <chrono>

namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;
constexpr int kRequestSeconds = 6;
constexpr std::size_t kQueueSize = 512;
const QString kMarker = QStringLiteral("event 13 0039");

}  // namespace

void PostedMessages::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    std::lock_guard lock(m_mutex);
    m_messages.push_back({message, wParam, lParam});
    m_changed.notify_all();
}

std::vector<PostedMessages::Message> PostedMessages::Take(std::size_t count, int seconds)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, std::chrono::seconds(seconds), [&] { return m_messages.size() >= count; });
    const std::size_t taken = std::min(count, m_messages.size());
    std::vector<Message> result(m_messages.begin(), m_messages.begin() + static_cast<std::ptrdiff_t>(taken));
    m_messages.erase(m_messages.begin(), m_messages.begin() + static_cast<std::ptrdiff_t>(taken));
    return result;
}

std::size_t PostedMessages::Waiting()
{
    std::lock_guard lock(m_mutex);
    return m_messages.size();
}

Workstation::Workstation() : m_listener(this, kMessage, false) {}

bool Workstation::Start() { return m_listener.StartOn(MakeSocketAddress(kLoopback, 0)); }

void Workstation::Post(std::uint32_t, std::uint64_t slot, std::int64_t)
{
    Bytes bytes = m_listener.CopySlot(static_cast<int>(slot));
    std::lock_guard lock(m_mutex);
    m_datagrams.push_back(std::move(bytes));
    m_changed.notify_all();
}

std::vector<Bytes> Workstation::Take(std::size_t count, int seconds)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, std::chrono::seconds(seconds), [&] { return m_datagrams.size() >= count; });
    const std::size_t taken = std::min(count, m_datagrams.size());
    std::vector<Bytes> result(m_datagrams.begin(), m_datagrams.begin() + static_cast<std::ptrdiff_t>(taken));
    m_datagrams.erase(m_datagrams.begin(), m_datagrams.begin() + static_cast<std::ptrdiff_t>(taken));
    return result;
}

EventRig::EventRig(std::unique_ptr<CSqlDatabase> database, bool lan)
    : m_database(std::move(database)),
      m_lan(lan),
      m_server(kMaxPbxLinks, [this](int pbx) { return pbx == kPbx ? m_link : nullptr; })
{
}

EventRig::~EventRig()
{
    m_server.SetEventSender(nullptr);
    if (m_sender)
        m_sender->Stop();
    m_server.Stop();
    if (m_link)
        m_link->Close();
}

bool EventRig::Start()
{
    if (!m_suite.IsValid() || !m_simulvex.Start(m_suite)) {
        m_error = QStringLiteral("Simulvex: ") + m_simulvex.Error();
        return false;
    }
    PbxLinkSettings settings;
    settings.lan = LanChannelSettings{0, m_simulvex.LanPort(), "127.0.0.1"};
    m_link = std::make_shared<CPbxLink>(settings);
    const QString resource = m_lan ? QStringLiteral("ETH0")
                                   : QStringLiteral("\\\\.\\COM%1").arg(SimulvexProcess::kSerialResource);
    if (m_link->Open(resource, &m_linkMessages, CPbxChannelBase::DefaultMessage(), kPbx, kQueueSize, kQueueSize) !=
        kNoError) {
        m_error = QStringLiteral("the link to %1 did not open").arg(resource);
        return false;
    }
    m_link->Setup(9600, 8, 0, 0);
    if (!m_server.StartOn(MakeSocketAddress(kLoopback, 0)) || !m_workstation.Start()) {
        m_error = QStringLiteral("the request server or the workstation did not start");
        return false;
    }
    m_sender = std::make_unique<CEventSender>(&m_server.Clients(), m_workstation.Port());
    m_sender->Start();
    m_server.SetEventSender(m_sender.get());
    m_client = std::make_unique<CEngineClient>("127.0.0.1", m_server.Port());
    if (m_client->PingServer() != kNoError) {
        m_error = QStringLiteral("the ping failed");
        return false;
    }
    const int read = ReadPbxAtStartup(*m_client, *m_database, kPbx, &m_bound);
    if (read != kNoError) {
        m_error = QStringLiteral("start-up reads: %1").arg(read);
        return false;
    }

    PbxEventProcessor::Services services;
    services.link = [this](int pbx) { return pbx == kPbx ? m_link : nullptr; };
    services.database = m_database.get();
    services.engineClient = [this] { return m_client.get(); };
    services.eventSender = [this] { return m_sender.get(); };
    services.boundRecords = &m_bound;
    services.boundPbx = [] { return kPbx; };
    services.boundExtension = [] { return kBoundExtension; };
    services.callStates = &m_callStates;
    services.clock = [this] { return now; };
    services.notifications.onPbxEvent = [this](std::uint64_t wParam, std::int64_t lParam) {
        if (lParam == ConsoleNotifications::kPbxEventParameter)
            m_notifications.push_back(wParam);
        if (onPbxEvent)
            onPbxEvent(wParam, lParam);
    };
    services.notifications.mainFrame = &m_frame;
    services.notifications.iconShown = [this] { return iconShown; };
    m_processor = std::make_unique<PbxEventProcessor>(std::move(services));
    return true;
}

int EventRig::Run(const QString& command)
{
    const QString reply = m_simulvex.Command(command);
    static const QRegularExpression kEvents(QStringLiteral("^OK (\\d+) events"));
    const QRegularExpressionMatch match = kEvents.match(reply);
    if (!reply.startsWith(QLatin1String("OK")))
        return -1;
    const int count = match.hasMatch() ? match.captured(1).toInt() : 0;
    const auto messages = m_linkMessages.Take(static_cast<std::size_t>(count));
    for (const PostedMessages::Message& message : messages)
        m_processor->StorePbxEvent(message.wParam, message.lParam);
    return static_cast<int>(messages.size()) == count ? count : -1;
}

int EventRig::ReopenLink()
{
    m_link->Close();
    const int opened = m_link->Open(QStringLiteral("\\\\.\\COM%1").arg(SimulvexProcess::kSerialResource), &m_linkMessages,
                                    CPbxChannelBase::DefaultMessage(), kPbx, kQueueSize, kQueueSize);
    if (opened != kNoError)
        return opened;
    m_link->Setup(9600, 8, 0, 0);
    return ReadPbxAtStartup(*m_client, *m_database, kPbx, &m_bound);
}

bool EventRig::RestartSimulvex() { return m_simulvex.Start(m_suite); }

void EventRig::Settle()
{
    if (!m_simulvex.Command(kMarker).startsWith(QLatin1String("OK")))
        return;
    const Bytes marker{0x16, 0x16, 0x0D, 0x02, 0x00, 0x39};
    for (;;) {
        const auto messages = m_linkMessages.Take(1);
        if (messages.empty())
            return;
        const int slot = static_cast<int>(messages.front().wParam & 0xFFFF);
        const std::uint8_t* bytes = m_link->GetFrameSlot(slot);
        const Bytes frame = bytes ? Bytes(bytes, bytes + m_link->GetFrameLength(slot)) : Bytes();
        m_processor->StorePbxEvent(messages.front().wParam, messages.front().lParam);
        if (frame == marker)
            return;
    }
}

std::vector<Bytes> EventRig::Relayed()
{
    Run(kMarker);
    std::vector<Bytes> datagrams;
    const Bytes marker{kPbx, 0x16, 0x16, 0x0D, 0x02, 0x00, 0x39};
    for (;;) {
        const std::vector<Bytes> next = m_workstation.Take(1);
        if (next.empty() || next.front() == marker)
            return datagrams;
        datagrams.push_back(next.front());
    }
}

QStringList EventRig::Rows(const QString& sql, const QVariantList& values)
{
    QStringList rows;
    if (m_database->OpenRecordset(sql, values) != kNoError)
        return {QStringLiteral("query failed: ") + m_database->LastError()};
    while (!m_database->IsEof()) {
        QString text;
        double number = 0;
        m_database->GetFieldValue(QStringLiteral("Value"), text, number);
        rows << text;
        if (m_database->MoveNext() != kNoError)
            break;
    }
    m_database->CloseRecordset();
    return rows;
}

QString Hex(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))
        .toHex()
        .toUpper();
}
