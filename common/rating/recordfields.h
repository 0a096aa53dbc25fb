#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstring>
#include <stdexcept>

// Whether a fixed text field of a stored record ends within its width, as every text the programs write
// does; a field without its NUL (or outside the record) marks a damaged file.
inline bool HasTerminator(QByteArrayView record, qsizetype offset, qsizetype width)
{
    if (offset < 0 || width < 0 || offset > record.size() || width > record.size() - offset)
        return false;
    return record.sliced(offset, width).contains('\0');
}

// Zeroes a field before it is written, so that unused slots and padding of a record are always 0.
inline void ClearField(QByteArray& record, qsizetype offset, qsizetype width)
{
    if (offset < 0 || width < 0 || offset > record.size() || width > record.size() - offset)
        throw std::out_of_range("field outside its record");
    std::memset(record.data() + offset, 0, static_cast<size_t>(width));
}
