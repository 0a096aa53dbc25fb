#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <span>

// A NUL-terminated text inside a fixed record: reading stops at the first NUL or the field's end;
// writing cuts to the field's width less one so that the terminating zero always fits.
namespace PbxTextField {

inline QByteArray Read(std::span<const std::uint8_t> field)
{
    std::size_t length = 0;
    while (length < field.size() && field[length] != 0)
        ++length;
    return QByteArray(reinterpret_cast<const char*>(field.data()), static_cast<qsizetype>(length));
}

inline void Write(std::span<std::uint8_t> field, const QByteArray& text)
{
    if (field.empty())
        return;
    const std::size_t length = std::min(field.size() - 1, static_cast<std::size_t>(text.size()));
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    std::copy_n(reinterpret_cast<const std::uint8_t*>(text.constData()), length, field.begin());
}

}  // namespace PbxTextField
