#include "pbxlink.h"

#include "serialchannel.h"

namespace {

const QString kSerialPrefix = QStringLiteral("\\\\.\\COM");
const QString kLanPrefix = QStringLiteral("ETH");
// Both prefixes need at least one character more.
constexpr int kShortestName = 4;

}  // namespace

CPbxLink::CPbxLink(PbxLinkSettings settings) : m_settings(std::move(settings)) {}

CPbxLink::~CPbxLink()
{
    if (m_channel && m_channel->IsOpen())
        m_channel->Close();
}

EngineErrorCode CPbxLink::Open(const QString& resourceName, MessageTarget* target, std::uint32_t message,
                               std::int64_t tag, std::size_t inQueue, std::size_t outQueue)
{
    if (m_channel && m_channel->IsOpen())
        m_channel->Close();
    m_channel.reset();
    if (resourceName.size() > kMaxResourceNameLength)
        return kResourceNotAvailable;
    m_resourceName = resourceName;
    if (resourceName.size() >= kShortestName && resourceName.startsWith(kSerialPrefix))
        m_channel = std::make_unique<CSerialChannel>(m_settings.log);
    else if (IsLanChannel())
        m_channel = std::make_unique<CUdpChannel>(m_settings.lan, m_settings.log);
    else
        return kResourceNotAvailable;
    return m_channel->Open(resourceName, target, message, tag, inQueue, outQueue);
}

EngineErrorCode CPbxLink::Close()
{
    return m_channel ? m_channel->Close() : kResourceNotOpen;
}

EngineErrorCode CPbxLink::Setup(int baudRate, int dataBits, int parity, int stopBits)
{
    return m_channel ? m_channel->Setup(baudRate, dataBits, parity, stopBits) : kResourceNotOpen;
}

bool CPbxLink::IsOpen() const
{
    return m_channel && m_channel->IsOpen();
}

const std::uint8_t* CPbxLink::GetFrameSlot(int slot) const
{
    return m_channel ? m_channel->GetFrameSlot(slot) : nullptr;
}

std::size_t CPbxLink::GetFrameLength(int slot) const
{
    return m_channel ? m_channel->GetFrameLength(slot) : 0;
}

EngineErrorCode CPbxLink::Send(const std::uint8_t* frame, std::size_t length, std::shared_ptr<Event> answerEvent,
                               std::shared_ptr<PbxRequestRecord>* record, bool answerExpected, int timeoutMs)
{
    if (!m_channel)
        return kResourceNotOpen;
    return m_channel->Send(frame, length, std::move(answerEvent), record, answerExpected, timeoutMs);
}

void CPbxLink::SetNotifyTarget(MessageTarget* target)
{
    if (m_channel)
        m_channel->SetNotifyTarget(target);
}

std::uint32_t CPbxLink::SetRemoteAddress(const std::string& host, std::uint16_t port)
{
    return m_channel ? m_channel->SetRemoteAddress(host, port) : 0;
}

bool CPbxLink::IsLanChannel() const
{
    return m_resourceName.size() >= kShortestName && m_resourceName.startsWith(kLanPrefix);
}

std::string CPbxLink::LanAddressText() const
{
    const auto* lan = dynamic_cast<const CUdpChannel*>(m_channel.get());
    return lan ? lan->PbxAddressText() : std::string();
}
