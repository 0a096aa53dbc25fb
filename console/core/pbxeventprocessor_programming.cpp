// The events that bring data rather than calls: changed programming, read back from the PBX through the
// engine, and a line's caller id.
#include "pbxeventprocessor.h"

#include "binaryrecord.h"
#include "boundpbxrecords.h"
#include "boundpbxupdates.h"
#include "engineclient.h"
#include "pbxframe.h"
#include "pbxframebuilders.h"
#include "pbxobjecttype.h"
#include "pbxrecord.h"
#include "pbxsystemconfiguration.h"
#include "sqldatabase.h"

#include <array>
#include <vector>

namespace {

// Event 68's index that stands for every object of the kind.
constexpr std::uint8_t kEveryObject = 255;
// Event 70's kinds: parameters (type, length, value) from frame byte 7, or the number at a fixed place.
constexpr std::uint8_t kCallerIdParameters = 0x80;
constexpr std::uint8_t kCallerIdFixed = 4;
constexpr std::size_t kFirstParameter = 7;
constexpr std::size_t kFixedNumber = 14;
constexpr std::uint8_t kParameterNumber = 2;
constexpr std::uint8_t kParameterEnd = 4;
constexpr std::size_t kParameterHeader = 2;  // type and length
constexpr std::uint8_t kCallerIdCode = 70;

qsizetype CountOffset(int objectType)
{
    switch (objectType) {
    case kObjectExtension: return PbxRecord::kExtensionCount;
    case kObjectLine: return PbxRecord::kLineCount;
    case kObjectEntryPhone: return PbxRecord::kEntryPhoneCount;
    default: return PbxRecord::kRelayCount;
    }
}

// The text up to its first NUL.
QByteArray UpToNul(QByteArray bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    return bytes;
}

}  // namespace

void PbxEventProcessor::OnProgrammingChanged(int pbx, Frame frame)
{
    const int objectType = frame[kPbxPayloadOffset];
    const int index = frame[kPbxPayloadOffset + 1];
    const CEngineClient* client = m_services.engineClient ? m_services.engineClient() : nullptr;
    if (client && objectType == kObjectSystem) {
        PbxSystemConfiguration configuration;
        if (client->ReadSystemConfiguration(static_cast<std::uint8_t>(pbx), configuration, kRequestSeconds) ==
            kNoError) {
            const QByteArray record(reinterpret_cast<const char*>(configuration.bytes.data()),
                                    static_cast<qsizetype>(configuration.bytes.size()));
            m_services.database->SaveSystemConfiguration(pbx, record);
            if (IsBoundPbx(pbx))
                m_services.boundRecords->SetSystemConfiguration(record);
        }
    } else if (client && objectType <= kObjectRelay) {
        if (index == kEveryObject) {
            QByteArray initialization;
            m_services.database->ReadInitialization(pbx, initialization);
            const qsizetype offset = CountOffset(objectType);
            const int count = offset < initialization.size() ? static_cast<quint8>(initialization[offset]) : 0;
            for (int each = 0; each < count; ++each)
                RefreshProgramming(pbx, objectType, each);
        } else {
            RefreshProgramming(pbx, objectType, index);
        }
    }
    Relay(pbx, frame);
}

void PbxEventProcessor::RefreshProgramming(int pbx, int objectType, int index)
{
    const CEngineClient& client = *m_services.engineClient();
    const auto pbxByte = static_cast<std::uint8_t>(pbx);
    const auto indexByte = static_cast<std::uint8_t>(index);
    ProgrammingRecord programming{};
    if (client.ReadProgrammation(pbxByte, static_cast<std::uint8_t>(objectType), indexByte, programming,
                                 kRequestSeconds) != kNoError)
        return;
    const QByteArray record(reinterpret_cast<const char*>(programming.data()),
                            static_cast<qsizetype>(ProgrammingRecordSize(static_cast<std::uint8_t>(objectType))));
    CSqlDatabase& database = *m_services.database;
    switch (objectType) {
    case kObjectExtension: {
        database.SaveDerivedProgrammation(pbx, record);
        if (IsBoundPbx(pbx))
            BoundPbxUpdates::SetExtensionProgramming(*m_services.boundRecords, index, record);
        WakeUpBytes wakeUp{};
        if (client.ReadWakeUp(pbxByte, indexByte, wakeUp, kRequestSeconds) == kNoError)
            database.UpdateWakeUp(pbx, QByteArray(reinterpret_cast<const char*>(wakeUp.data()),
                                                  static_cast<qsizetype>(wakeUp.size())));
        break;
    }
    case kObjectLine: database.SaveLineProgrammation(pbx, record); break;
    case kObjectEntryPhone: database.SaveEntryPhoneProgrammation(pbx, record); break;
    default: database.SaveRelayProgrammation(pbx, record); break;
    }
}

void PbxEventProcessor::OnCallerId(int pbx, Frame frame)
{
    const int line = frame[kPbxPayloadOffset];
    const std::uint8_t kind = frame[kPbxPayloadOffset + 1];
    const auto bytes = [&frame](std::size_t from, std::size_t count) {
        return QByteArray(reinterpret_cast<const char*>(frame.data() + from), static_cast<qsizetype>(count));
    };
    if (kind == kCallerIdParameters) {
        // A parameter whose value would run past the frame ends the walk.
        std::size_t position = kFirstParameter;
        while (position + kParameterHeader <= frame.size()) {
            const std::uint8_t type = frame[position];
            const std::size_t length = frame[position + 1];
            const std::size_t value = position + kParameterHeader;
            if (type == kParameterEnd || value + length > frame.size())
                break;
            if (type == kParameterNumber)
                HandleCallerId(pbx, line, UpToNul(bytes(value, length)));
            position = value + length;
        }
    } else if (kind == kCallerIdFixed && frame.size() > kFixedNumber) {
        // The number runs to the end of the frame, whose last byte is no part of it.
        HandleCallerId(pbx, line, UpToNul(bytes(kFixedNumber, frame.size() - kFixedNumber - 1)));
    }
}

void PbxEventProcessor::HandleCallerId(int pbx, int line, const QByteArray& number)
{
    const QByteArray text = number.left(BoundPbxUpdates::kTextMaxLength);
    m_services.database->SetLineCallerId(pbx, line, DecodeAnsi(text));
    std::array<std::uint8_t, BoundPbxUpdates::kTextMaxLength + kPbxFrameHeaderSize + 2> rebuilt{};
    const std::size_t length =
        BuildTextFrame(rebuilt.data(), kCallerIdCode, static_cast<std::uint8_t>(line), text.toStdString());
    if (length > 0)
        Relay(pbx, std::span(rebuilt.data(), length));
    if (IsBoundPbx(pbx) && BoundPbxUpdates::SetLineCallerId(*m_services.boundRecords, line, text))
        m_services.notifications.LineCallerId(line);
}
