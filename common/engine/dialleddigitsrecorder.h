#pragma once

#include <QString>

#include <cstdint>

// Where DialNumber notes each digit it has sent (the engine's database appends it to the extension's
// dialled digits). Its outcome does not affect the dialling.
class DialledDigitsRecorder {
public:
    virtual ~DialledDigitsRecorder() = default;
    virtual void AppendDialledDigits(std::uint8_t pbx, std::uint8_t extension, const QString& digits) = 0;
};
