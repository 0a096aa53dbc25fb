#include "pbxframe.h"

#include "pbxcommandclass.h"

bool IsWellFormedPbxFrame(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= kPbxFrameHeaderSize && bytes[0] == kPbxSync && bytes[1] == kPbxSync &&
           IsPbxFrameCode(bytes[kPbxCodeOffset]) &&
           bytes.size() == std::size_t{bytes[kPbxPayloadLengthOffset]} + kPbxFrameHeaderSize;
}
