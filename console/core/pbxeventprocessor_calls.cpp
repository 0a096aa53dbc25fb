// The events that move calls: rings, links of two objects and state changes, with the extensions' call
// states and the software call log written when an extension returns to idle.
#include "pbxeventprocessor.h"

#include "binaryrecord.h"
#include "boundpbxrecords.h"
#include "boundpbxupdates.h"
#include "pbxframe.h"
#include "pbxobjecttype.h"
#include "engineerrorcode.h"
#include "pbxrecord.h"
#include "sqldatabase.h"

namespace {

// Fields of the status rows as CSqlDatabase reads them back.
constexpr qsizetype kRowState = 2;
constexpr qsizetype kRowLink = 3;
constexpr qsizetype kRowLinkIndex = 4;
constexpr qsizetype kLineRowState = 1;

// The digit a PBX's outside-line seizure stands for, relayed as a digit event.
constexpr char kOutsideLineDigit = '0';
constexpr std::uint8_t kDigitsCode = 13;

quint8 ByteAt(const QByteArray& record, qsizetype offset)
{
    return offset < record.size() ? static_cast<quint8>(record[offset]) : 0;
}

QString RowDigits(const QByteArray& status)
{
    return ReadAnsiField(status, PbxRecord::kExtensionStatusDigits,
                         PbxRecord::kExtensionStatusSize - PbxRecord::kExtensionStatusDigits);
}

bool IsActive(const ExtensionCallState& entry)
{
    return entry.Kind != ExtensionCallState::kNoCall && entry.Start.Value() != 0.0 &&
           entry.LinkIndex != ExtensionCallState::kNone && entry.LinkType != ExtensionCallState::kNone;
}

}  // namespace

void PbxEventProcessor::OnRing(int pbx, Frame frame)
{
    const std::uint8_t* p = frame.data() + kPbxPayloadOffset;
    const int extension = p[0];
    const int ringType = p[1];
    const int linkType = p[2];
    const int linkIndex = p[3];
    CSqlDatabase& database = *m_services.database;
    database.UpdateRing(pbx, extension, ringType, linkType, linkIndex);
    database.UpdateObjectLink(pbx, linkType, linkIndex, kObjectExtension, extension);
    Relay(pbx, frame);

    // Only a ring from a line consults the line's number; an index beyond the line table has none.
    LineCallNumber* line = linkType == kObjectLine ? m_lines.CallNumber(pbx, linkIndex) : nullptr;
    if (line && !line->Pending && line->Number.isEmpty())
        line->Pending = true;
    if (ExtensionCallState* entry = Entry(pbx, extension)) {
        if (entry->Kind == ExtensionCallState::kNoCall) {
            if (!line || line->Pending || line->Number.isEmpty()) {
                entry->Kind = ExtensionCallState::kIncoming;
            } else {
                entry->Kind = ExtensionCallState::kConnected;
                database.AppendDialledDigits(pbx, extension, line->Number);
            }
            entry->Start = m_now;
        }
        entry->LinkType = static_cast<std::uint8_t>(linkType);
        entry->LinkIndex = static_cast<std::uint8_t>(linkIndex);
    }

    if (IsBoundPbx(pbx) && BoundPbxUpdates::Ring(*m_services.boundRecords, extension, ringType, linkType, linkIndex) &&
        IsBoundExtension(pbx, extension))
        m_services.notifications.BoundExtension(kStateIncomingCall);
}

void PbxEventProcessor::OnLink(int pbx, Frame frame)
{
    const std::uint8_t* p = frame.data() + kPbxPayloadOffset;
    const int typeA = p[0];
    const int indexA = p[1];
    const int typeB = p[2];
    const int indexB = p[3];
    CSqlDatabase& database = *m_services.database;
    database.UpdateObjectLink(pbx, typeA, indexA, typeB, indexB);
    database.SetObjectState(pbx, typeA, indexA, kStateConnected);
    database.UpdateObjectLink(pbx, typeB, indexB, typeA, indexA);
    database.SetObjectState(pbx, typeB, indexB, kStateConnected);

    auto takesPartner = [](const ExtensionCallState* entry) {
        return entry && (entry->Kind == ExtensionCallState::kNoCall || entry->Kind == ExtensionCallState::kOutgoing);
    };
    if (typeA == kObjectExtension && takesPartner(Entry(pbx, indexA)))
        LinkEntry(pbx, indexA, typeB, indexB, ExtensionCallState::kConnected);
    else if (typeB == kObjectExtension && takesPartner(Entry(pbx, indexB)))
        // A ring from an extension that is answered: the answering side's call is incoming.
        LinkEntry(pbx, indexB, typeA, indexA, ExtensionCallState::kIncoming);
    Relay(pbx, frame);

    if (!IsBoundPbx(pbx))
        return;
    if (BoundPbxUpdates::Link(*m_services.boundRecords, typeA, indexA, typeB, indexB) && IsBoundExtension(pbx, indexA))
        m_services.notifications.BoundExtension(kStateConnected);
    if (BoundPbxUpdates::Link(*m_services.boundRecords, typeB, indexB, typeA, indexA) && IsBoundExtension(pbx, indexB))
        m_services.notifications.BoundExtension(kStateConnected);
}

void PbxEventProcessor::LinkEntry(int pbx, int extension, int partnerType, int partnerIndex,
                                  std::uint8_t kindWithExtension)
{
    ExtensionCallState& entry = *Entry(pbx, extension);
    entry.LinkType = static_cast<std::uint8_t>(partnerType);
    entry.LinkIndex = static_cast<std::uint8_t>(partnerIndex);
    QByteArray status;
    m_services.database->ReadDerivedStatus(pbx, extension, status);
    if (partnerType == kObjectExtension) {
        entry.Kind = kindWithExtension;
        return;
    }
    LineCallNumber* line = partnerType == kObjectLine ? m_lines.CallNumber(pbx, partnerIndex) : nullptr;
    if (partnerType == kObjectLine && line && line->Pending) {
        entry.Kind = ExtensionCallState::kIncoming;
        return;
    }
    entry.Kind = partnerType == kObjectLine || kindWithExtension == ExtensionCallState::kConnected
                     ? ExtensionCallState::kConnected
                     : ExtensionCallState::kIncoming;
    if (!line)
        return;
    // An outgoing call over the line: the line keeps the dialled number, or the extension shows the
    // number the line already carries.
    if (line->Number.isEmpty()) {
        line->Number = RowDigits(status).left(ExtensionCallState::kNumberMaxLength);
    } else {
        m_services.database->ClearDialledDigits(pbx, extension);
        m_services.database->AppendDialledDigits(pbx, extension, line->Number);
    }
}

void PbxEventProcessor::OnStateChange(int pbx, Frame frame)
{
    const std::uint8_t* p = frame.data() + kPbxPayloadOffset;
    const int type = p[0];
    const int index = p[1];
    const int state = p[2];
    QByteArray digitFrame;
    if (type == kObjectLine)
        ChangeLineState(pbx, index, state);
    else if (type == kObjectExtension)
        ChangeExtensionState(pbx, index, state, digitFrame);
    m_services.database->UpdateObjectState(pbx, QByteArray(reinterpret_cast<const char*>(p), 3));
    Relay(pbx, frame);
    if (!digitFrame.isEmpty())
        Relay(pbx, std::span(reinterpret_cast<const std::uint8_t*>(digitFrame.constData()),
                             static_cast<std::size_t>(digitFrame.size())));

    if (IsBoundPbx(pbx) && BoundPbxUpdates::ChangeState(*m_services.boundRecords, type, index, state) &&
        IsBoundExtension(pbx, index))
        m_services.notifications.BoundExtension(static_cast<std::uint32_t>(state));
}

void PbxEventProcessor::ChangeLineState(int pbx, int line, int state)
{
    QByteArray status;
    m_services.database->ReadLineStatus(pbx, line, status);
    if (state == kStateReady) {
        if (QString* last = m_lines.LastCallerId(pbx, line))
            *last = ReadAnsiField(status, PbxRecord::kLineStatusCallerId,
                                  PbxRecord::kLineStatusSize - PbxRecord::kLineStatusCallerId);
        m_services.database->ClearLineCallerId(pbx, line);
        if (LineCallNumber* number = m_lines.CallNumber(pbx, line))
            *number = LineCallNumber();
    } else if (state == kStateConnected && ByteAt(status, kLineRowState) == kStateReady) {
        m_services.database->UpdateObjectLink(pbx, kObjectLine, line, kObjectExtension, ExtensionCallState::kNone);
    }
}

void PbxEventProcessor::ChangeExtensionState(int pbx, int extension, int state, QByteArray& digitFrame)
{
    QByteArray status;
    m_services.database->ReadDerivedStatus(pbx, extension, status);
    ExtensionCallState* entry = Entry(pbx, extension);
    if (!entry)
        return;
    const int oldState = ByteAt(status, kRowState);
    switch (state) {
    case kStateReady:
        EndCall(pbx, extension, status);
        break;
    case kStateDialling:
        if (entry->Kind == ExtensionCallState::kNoCall) {
            entry->Kind = ExtensionCallState::kOutgoing;
            entry->Start = m_now;
        }
        if (oldState == kStateExternalCall) {
            m_services.database->ClearDialledDigits(pbx, extension);
            if (IsBoundPbx(pbx))
                BoundPbxUpdates::SetDigits(*m_services.boundRecords, extension, {});
        }
        break;
    case kStateExternalCall:
        if (entry->Kind == ExtensionCallState::kNoCall) {
            entry->Kind = ExtensionCallState::kOutgoing;
            entry->Start = m_now;
            m_services.database->AppendDialledDigits(pbx, extension, QString(QChar::fromLatin1(kOutsideLineDigit)));
            const char digit[] = {char(kPbxSync), char(kPbxSync), char(kDigitsCode), 2, char(extension),
                                  kOutsideLineDigit};
            digitFrame = QByteArray(digit, sizeof digit);
            if (IsBoundPbx(pbx))
                BoundPbxUpdates::SetDigits(*m_services.boundRecords, extension, QByteArrayView("0"));
        }
        break;
    case kStateWaitingSelection: {
        const int lineIndex = ByteAt(status, kRowLinkIndex);
        LineCallNumber* line = m_lines.CallNumber(pbx, lineIndex);
        if (ByteAt(status, kRowLink) == kObjectLine && line && !line->Number.isEmpty()) {
            m_services.database->UpdateObjectLink(pbx, kObjectLine, lineIndex, kObjectExtension,
                                                  ExtensionCallState::kNone);
            line->Number.clear();
        }
        break;
    }
    case kStatePause:
        if (entry->Kind == ExtensionCallState::kConnected && entry->Number.isEmpty())
            entry->SetNumber(RowDigits(status));
        break;
    default:
        break;
    }
}

void PbxEventProcessor::EndCall(int pbx, int extension, const QByteArray& status)
{
    ExtensionCallState& entry = *Entry(pbx, extension);
    const int oldState = ByteAt(status, kRowState);
    const int rowLink = ByteAt(status, kRowLink);
    const int rowLinkIndex = ByteAt(status, kRowLinkIndex);
    const QString digits = RowDigits(status);
    // The extension the call was linked to at its end; only a link to an extension names one.
    ExtensionCallState* partner = rowLink == kObjectExtension ? Entry(pbx, rowLinkIndex) : nullptr;
    bool log = false;
    if (IsActive(entry)) {
        switch (oldState) {
        case kStateIncomingCall:
            if (entry.Kind == ExtensionCallState::kIncoming) {
                entry.Kind = ExtensionCallState::kUnanswered;
                if (entry.LinkType == kObjectLine)
                    if (const QString* last = m_lines.LastCallerId(pbx, entry.LinkIndex))
                        entry.SetNumber(*last);
                log = true;
            }
            break;
        case kStateConnected:
            if (entry.LinkType == rowLink && entry.LinkIndex == rowLinkIndex) {
                if (entry.Kind == ExtensionCallState::kConnected && entry.Number.isEmpty())
                    entry.SetNumber(digits);
                else
                    FillFromLine(pbx, entry);
                log = true;
                break;
            }
            [[fallthrough]];
        case kStateOutgoingCall:
            // The call passed to another extension: a partner still ringing takes it over.
            if (entry.Kind == ExtensionCallState::kIncoming) {
                if (partner && partner->Kind == ExtensionCallState::kIncoming) {
                    partner->HandedFrom = static_cast<std::uint8_t>(extension);
                    if (oldState == kStateConnected) {
                        partner->LinkType = entry.LinkType;
                        partner->LinkIndex = entry.LinkIndex;
                    }
                }
                entry.HandedTo = static_cast<std::uint8_t>(rowLinkIndex);
                if (entry.LinkType == kObjectLine)
                    entry.SetNumber(LineCallerIdFromDatabase(pbx, entry.LinkIndex));
                log = true;
            } else if (entry.Kind == ExtensionCallState::kConnected) {
                if (partner && partner->Kind == ExtensionCallState::kIncoming) {
                    partner->Kind = ExtensionCallState::kConnected;
                    partner->HandedFrom = static_cast<std::uint8_t>(extension);
                    if (oldState == kStateConnected) {
                        partner->LinkType = entry.LinkType;
                        partner->LinkIndex = entry.LinkIndex;
                    }
                    partner->Number = entry.Number;
                }
                entry.HandedTo = static_cast<std::uint8_t>(rowLinkIndex);
                log = true;
            }
            break;
        case kStateCallEnded:
        case kStatePause:
            if (entry.Kind == ExtensionCallState::kConnected && entry.Number.isEmpty())
                entry.SetNumber(digits);
            else
                FillFromLine(pbx, entry);
            log = true;
            break;
        default:
            break;
        }
    } else if (entry.Kind == ExtensionCallState::kOutgoing && entry.Start.Value() != 0.0 &&
               entry.LinkIndex == ExtensionCallState::kNone && entry.LinkType == ExtensionCallState::kNone &&
               (oldState == kStateOutgoingCall || oldState == kStateDialling || oldState == kStateExternalCall) &&
               !digits.isEmpty()) {
        // An outgoing attempt that was never linked: logged with what was dialled.
        entry.SetNumber(digits);
        log = true;
    }
    if (log)
        Log(pbx, extension, entry);
    m_services.database->ClearDialledDigits(pbx, extension);
    if (m_services.callStates)
        ResetExtensionCallStates(*m_services.callStates, static_cast<unsigned>(pbx), static_cast<unsigned>(extension));
}

void PbxEventProcessor::FillFromLine(int pbx, ExtensionCallState& entry)
{
    if (entry.Kind != ExtensionCallState::kIncoming || entry.LinkType != kObjectLine)
        return;
    std::uint8_t lineState = 0;
    const QString callerId = LineCallerIdFromDatabase(pbx, entry.LinkIndex, &lineState);
    if (lineState == kStateReady) {
        if (const QString* last = m_lines.LastCallerId(pbx, entry.LinkIndex))
            entry.SetNumber(*last);
    } else {
        entry.SetNumber(callerId);
    }
}

QString PbxEventProcessor::LineCallerIdFromDatabase(int pbx, int line, std::uint8_t* state)
{
    QByteArray status;
    m_services.database->ReadLineStatus(pbx, line, status);
    if (state)
        *state = ByteAt(status, kLineRowState);
    return ReadAnsiField(status, PbxRecord::kLineStatusCallerId,
                         PbxRecord::kLineStatusSize - PbxRecord::kLineStatusCallerId);
}

void PbxEventProcessor::Log(int pbx, int extension, const ExtensionCallState& entry)
{
    m_services.database->InsertCallSwNew(pbx, m_now, extension, CallStateRecord(entry));
}
