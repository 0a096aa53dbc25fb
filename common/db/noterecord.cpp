#include "noterecord.h"

#include "binaryrecord.h"

QByteArray NoteRecord::ToBytes() const
{
    QByteArray bytes(kSize, '\0');
    PutU8(bytes, kLinkOffset, static_cast<std::uint8_t>(link >> 8));
    PutU8(bytes, kLinkOffset + 1, static_cast<std::uint8_t>(link & 0xFF));
    PutF64(bytes, kDateOffset, date.Value());
    WriteAnsiField(bytes, kNumberOffset, kNumberSize, number);
    WriteAnsiField(bytes, kNoteOffset, kNoteSize, note);
    return bytes;
}

NoteRecord NoteRecord::FromBytes(const QByteArray& bytes)
{
    const QByteArray whole = bytes.leftJustified(kSize, '\0', true);
    NoteRecord record;
    record.link = static_cast<std::uint16_t>(GetU8(whole, kLinkOffset) << 8 | GetU8(whole, kLinkOffset + 1));
    record.date = OleDate(GetF64(whole, kDateOffset));
    record.number = ReadAnsiField(whole, kNumberOffset, kNumberSize);
    record.note = ReadAnsiField(whole, kNoteOffset, kNoteSize);
    return record;
}
