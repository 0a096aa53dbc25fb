#pragma once

#include "pbxframe.h"

#include <QByteArray>

#include <cstdint>
#include <span>

// The simulator keeps frames as QByteArray; the shared frame code reads byte spans.
inline std::span<const std::uint8_t> FrameBytes(const QByteArray& frame)
{
    return {reinterpret_cast<const std::uint8_t*>(frame.constData()), static_cast<std::size_t>(frame.size())};
}

inline QByteArray ToByteArray(std::span<const std::uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

inline std::uint8_t ByteAt(const QByteArray& bytes, qsizetype index)
{
    return static_cast<std::uint8_t>(bytes.at(index));
}

// A whole frame of the code with the payload (answers and events alike); empty when the payload is
// longer than one length byte counts.
inline QByteArray MakePbxFrame(std::uint8_t code, const QByteArray& payload)
{
    if (payload.size() > static_cast<qsizetype>(kMaxPbxPayloadSize))
        return {};
    const char header[] = {static_cast<char>(kPbxSync), static_cast<char>(kPbxSync), static_cast<char>(code),
                           static_cast<char>(payload.size())};
    return QByteArray(header, sizeof header) + payload;
}
