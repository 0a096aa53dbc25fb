#include "tariffband.h"

#include "binaryrecord.h"

namespace {
constexpr qsizetype kStart = 0;
constexpr qsizetype kEnd = 8;
constexpr qsizetype kValue = 16;
constexpr qsizetype kColour = 24;
constexpr qsizetype kPadding = 28;
}  // namespace

TariffBand TariffBand::Decode(QByteArrayView bytes, qsizetype offset)
{
    TariffBand band;
    band.start = GetF64(bytes, offset + kStart);
    band.end = GetF64(bytes, offset + kEnd);
    band.value = GetF64(bytes, offset + kValue);
    band.colour = GetU32(bytes, offset + kColour);
    return band;
}

void TariffBand::Encode(QByteArray& bytes, qsizetype offset) const
{
    PutF64(bytes, offset + kStart, start);
    PutF64(bytes, offset + kEnd, end);
    PutF64(bytes, offset + kValue, value);
    PutU32(bytes, offset + kColour, colour);
    PutU32(bytes, offset + kPadding, 0);
}
