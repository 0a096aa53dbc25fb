#include "boundpbxupdates.h"

#include "boundpbxrecords.h"
#include "pbxobjecttype.h"
#include "pbxrecord.h"

#include <vector>

namespace {

// Fields of the copies (see BoundPbxRecords).
constexpr qsizetype kExtensionIndex = 1;
constexpr qsizetype kExtensionState = 2;
constexpr qsizetype kExtensionLinkType = 3;
constexpr qsizetype kExtensionLinkIndex = 4;
constexpr qsizetype kExtensionHandset = 7;
constexpr qsizetype kExtensionRingType = 8;
constexpr qsizetype kExtensionDigits = 9;
constexpr qsizetype kLineState = 1;
constexpr qsizetype kLineLinkType = 2;
constexpr qsizetype kLineLinkIndex = 3;
constexpr qsizetype kLineCallerId = 6;
constexpr qsizetype kEntryPhoneIndex = 1;
constexpr qsizetype kEntryPhoneState = 2;
constexpr qsizetype kEntryPhoneLinkType = 3;
constexpr qsizetype kEntryPhoneLinkIndex = 4;

constexpr char kStateIdle = 2;
constexpr char kStateIncoming = 3;
constexpr char kStateConnected = 7;
constexpr char kStateEntryPhoneCalling = 13;

QByteArray* Entry(std::vector<QByteArray>& copies, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= copies.size())
        return nullptr;
    return &copies[static_cast<std::size_t>(index)];
}

void Put(QByteArray& record, qsizetype offset, int value)
{
    if (offset < record.size())
        record[offset] = static_cast<char>(value);
}

char At(const QByteArray& record, qsizetype offset) { return offset < record.size() ? record[offset] : '\0'; }

// The NUL-terminated text of the field that starts at `offset` and runs to the end of the record.
QByteArray Text(const QByteArray& record, qsizetype offset)
{
    if (offset >= record.size())
        return {};
    const QByteArray field = record.mid(offset);
    const qsizetype end = field.indexOf('\0');
    return end < 0 ? field : field.left(end);
}

void SetText(QByteArray& record, qsizetype offset, QByteArrayView text)
{
    if (offset >= record.size())
        return;
    const qsizetype room = record.size() - offset - 1;  // the NUL stays
    QByteArray value = text.toByteArray();
    const qsizetype end = value.indexOf('\0');
    if (end >= 0)
        value.truncate(end);
    value.truncate(std::min(room, BoundPbxUpdates::kTextMaxLength));
    std::fill(record.begin() + offset, record.end(), '\0');
    std::copy(value.begin(), value.end(), record.begin() + offset);
}

}  // namespace

namespace BoundPbxUpdates {

void AppendDigits(BoundPbxRecords& records, int extension, QByteArrayView digits)
{
    QByteArray* copy = Entry(records.ExtensionStatus(), extension);
    if (!copy)
        return;
    const QByteArray text = Text(*copy, kExtensionDigits);
    if (text.size() < kDigitsAppendLimit)
        SetText(*copy, kExtensionDigits, text + digits.toByteArray());
}

void SetDigits(BoundPbxRecords& records, int extension, QByteArrayView digits)
{
    if (QByteArray* copy = Entry(records.ExtensionStatus(), extension))
        SetText(*copy, kExtensionDigits, digits);
}

QByteArray Digits(BoundPbxRecords& records, int extension)
{
    const QByteArray* copy = Entry(records.ExtensionStatus(), extension);
    return copy ? Text(*copy, kExtensionDigits) : QByteArray();
}

void SetHandset(BoundPbxRecords& records, int extension, bool offHook)
{
    if (QByteArray* copy = Entry(records.ExtensionStatus(), extension))
        Put(*copy, kExtensionHandset, offHook ? 1 : 0);
}

bool Ring(BoundPbxRecords& records, int extension, int ringType, int linkType, int linkIndex)
{
    QByteArray* copy = Entry(records.ExtensionStatus(), extension);
    if (!copy)
        return false;
    Put(*copy, kExtensionIndex, extension);
    Put(*copy, kExtensionRingType, ringType);
    Put(*copy, kExtensionLinkType, linkType);
    Put(*copy, kExtensionLinkIndex, linkIndex);
    Put(*copy, kExtensionState, kStateIncoming);
    if (linkType == kObjectEntryPhone)
        if (QByteArray* entryPhone = Entry(records.EntryPhoneStatus(), linkIndex)) {
            Put(*entryPhone, kEntryPhoneIndex, linkIndex);
            Put(*entryPhone, kEntryPhoneLinkType, kObjectExtension);
            Put(*entryPhone, kEntryPhoneLinkIndex, extension);
            Put(*entryPhone, kEntryPhoneState, kStateEntryPhoneCalling);
        }
    return true;
}

bool Link(BoundPbxRecords& records, int type, int index, int partnerType, int partnerIndex)
{
    switch (type) {
    case kObjectExtension:
        if (QByteArray* copy = Entry(records.ExtensionStatus(), index)) {
            Put(*copy, kExtensionLinkType, partnerType);
            Put(*copy, kExtensionLinkIndex, partnerIndex);
            Put(*copy, kExtensionState, kStateConnected);
            return true;
        }
        return false;
    case kObjectLine:
        if (QByteArray* copy = Entry(records.LineStatus(), index)) {
            Put(*copy, kLineLinkType, partnerType);
            Put(*copy, kLineLinkIndex, partnerIndex);
            Put(*copy, kLineState, kStateConnected);
        }
        return false;
    case kObjectEntryPhone:
        if (QByteArray* copy = Entry(records.EntryPhoneStatus(), index)) {
            Put(*copy, kEntryPhoneLinkType, partnerType);
            Put(*copy, kEntryPhoneLinkIndex, partnerIndex);
            Put(*copy, kEntryPhoneState, kStateConnected);
        }
        return false;
    default:
        return false;
    }
}

bool ChangeState(BoundPbxRecords& records, int type, int index, int state)
{
    switch (type) {
    case kObjectExtension: {
        QByteArray* copy = Entry(records.ExtensionStatus(), index);
        if (!copy)
            return false;
        if (state == kStateIdle) {
            if (At(*copy, kExtensionLinkType) == kObjectEntryPhone)
                if (QByteArray* entryPhone =
                        Entry(records.EntryPhoneStatus(), static_cast<quint8>(At(*copy, kExtensionLinkIndex)))) {
                    const char entryState = At(*entryPhone, kEntryPhoneState);
                    if (entryState == kStateEntryPhoneCalling ||
                        (entryState == kStateConnected && At(*copy, kExtensionState) == kStateConnected))
                        Put(*entryPhone, kEntryPhoneState, kStateIdle);
                }
            SetText(*copy, kExtensionDigits, {});
        }
        Put(*copy, kExtensionState, state);
        return true;
    }
    case kObjectLine:
        if (QByteArray* copy = Entry(records.LineStatus(), index)) {
            Put(*copy, kLineState, state);
            if (state == kStateIdle)
                SetText(*copy, kLineCallerId, {});
        }
        return false;
    case kObjectEntryPhone:
        if (QByteArray* copy = Entry(records.EntryPhoneStatus(), index))
            Put(*copy, kEntryPhoneState, state);
        return false;
    default:
        return false;
    }
}

bool SetLineCallerId(BoundPbxRecords& records, int line, QByteArrayView callerId)
{
    QByteArray* copy = Entry(records.LineStatus(), line);
    if (!copy)
        return false;
    SetText(*copy, kLineCallerId, callerId);
    return true;
}

QByteArray LineCallerId(BoundPbxRecords& records, int line)
{
    const QByteArray* copy = Entry(records.LineStatus(), line);
    return copy ? Text(*copy, kLineCallerId) : QByteArray();
}

void SetExtensionProgramming(BoundPbxRecords& records, int extension, const QByteArray& record)
{
    if (QByteArray* copy = Entry(records.ExtensionProgramming(), extension))
        *copy = record.leftJustified(PbxRecord::kExtensionProgrammationSize, '\0', true);
}

}  // namespace BoundPbxUpdates
