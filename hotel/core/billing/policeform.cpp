#include "policeform.h"

#include "binaryrecord.h"

#include <algorithm>

namespace lodgix {

namespace {

// Each text's offset and width within an entry.
struct TextField {
    QString PoliceFormEntry::*member;
    qsizetype offset;
    qsizetype width;
};
constexpr TextField kFields[] = {
    {&PoliceFormEntry::name, 0, 64},        {&PoliceFormEntry::birthDate, 64, 64},
    {&PoliceFormEntry::birthPlace, 128, 256}, {&PoliceFormEntry::residence, 384, 256},
    {&PoliceFormEntry::arrival, 640, 64},   {&PoliceFormEntry::document, 704, 64},
};
constexpr qsizetype kOlderFields = 5;  // all but the document

constexpr qsizetype kCountOffset = 0;
constexpr qsizetype kDateOffset = 2;
constexpr qsizetype kOperatorOffset = 10;

}  // namespace

void PoliceFormEntry::Encode(QByteArray& bytes, qsizetype offset) const
{
    for (const TextField& field : kFields)
        WriteAnsiField(bytes, offset + field.offset, field.width, this->*field.member);
}

PoliceFormEntry PoliceFormEntry::Decode(QByteArrayView bytes, qsizetype offset, bool older)
{
    PoliceFormEntry entry;
    const qsizetype fields = older ? kOlderFields : qsizetype(std::size(kFields));
    for (qsizetype i = 0; i < fields; ++i)
        // A text that fills its field without its NUL keeps what a save would keep.
        entry.*kFields[i].member = ReadAnsiField(bytes, offset + kFields[i].offset, kFields[i].width - 1);
    return entry;
}

QByteArray PoliceForm::Encode() const
{
    const qsizetype count = std::min<qsizetype>(qsizetype(entries.size()), kMaxEntries);
    QByteArray bytes(kHeaderSize + count * PoliceFormEntry::kSize, '\0');
    PutU16(bytes, kCountOffset, static_cast<quint16>(count));
    PutF64(bytes, kDateOffset, issued.IsValid() ? issued.Value() : 0.0);
    PutU16(bytes, kOperatorOffset, operatorId);
    for (qsizetype i = 0; i < count; ++i)
        entries[static_cast<std::size_t>(i)].Encode(bytes, kHeaderSize + i * PoliceFormEntry::kSize);
    return bytes;
}

std::optional<PoliceForm> PoliceForm::Decode(QByteArrayView bytes)
{
    if (bytes.size() < kHeaderSize)
        return std::nullopt;
    const qsizetype count = GetU16(bytes, kCountOffset);
    qsizetype entrySize = 0;
    if (bytes.size() == kHeaderSize + count * PoliceFormEntry::kSize)
        entrySize = PoliceFormEntry::kSize;
    else if (bytes.size() == kHeaderSize + count * PoliceFormEntry::kOlderSize)
        entrySize = PoliceFormEntry::kOlderSize;
    else
        return std::nullopt;
    PoliceForm form;
    form.issued = OleDate(GetF64(bytes, kDateOffset));
    form.operatorId = GetU16(bytes, kOperatorOffset);
    for (qsizetype i = 0; i < count; ++i)
        form.entries.push_back(PoliceFormEntry::Decode(bytes, kHeaderSize + i * entrySize,
                                                       entrySize == PoliceFormEntry::kOlderSize));
    return form;
}

}  // namespace lodgix
