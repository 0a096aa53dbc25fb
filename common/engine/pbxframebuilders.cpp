#include "pbxframebuilders.h"

#include "pbxcode.h"
#include "pbxframe.h"
#include "pbxobjecttype.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Writes 0x16 0x16, code, payload length, the leading payload bytes, the trailing bytes and, when asked,
// a NUL; returns the frame length, or 0 when it would not fit a request.
std::size_t Frame(std::uint8_t* out, std::uint8_t code, std::initializer_list<std::uint8_t> leading,
                  std::span<const std::uint8_t> trailing = {}, bool terminator = false)
{
    const std::size_t payload = leading.size() + trailing.size() + (terminator ? 1 : 0);
    const std::size_t total = kPbxFrameHeaderSize + payload;
    if (total > kMaxRequestFrameSize)
        return 0;
    if (out) {
        out[0] = kPbxSync;
        out[1] = kPbxSync;
        out[kPbxCodeOffset] = code;
        out[kPbxPayloadLengthOffset] = static_cast<std::uint8_t>(payload);
        std::uint8_t* next = std::copy(leading.begin(), leading.end(), out + kPbxPayloadOffset);
        next = std::copy(trailing.begin(), trailing.end(), next);
        if (terminator)
            *next = 0;
    }
    return total;
}

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::size_t StationFrame(std::uint8_t* out, std::uint8_t code, std::uint8_t extension)
{
    return extension == kThisStation ? Frame(out, code, {}) : Frame(out, code, {extension});
}

}  // namespace

std::size_t BuildPbxFrame(std::uint8_t* out, std::uint8_t code, std::initializer_list<std::uint8_t> leading,
                          std::span<const std::uint8_t> trailing, bool terminator)
{
    return Frame(out, code, leading, trailing, terminator);
}

std::size_t BuildInitializationRequestFrame(std::uint8_t* out)
{
    return Frame(out, PbxCode::kInitializationRead, {});
}

std::size_t BuildConfigurationRequestFrame(std::uint8_t* out)
{
    return Frame(out, PbxCode::kConfigurationRead, {});
}

std::size_t BuildProgrammingReadFrame(std::uint8_t* out, std::uint8_t objectType, std::uint8_t objectIndex)
{
    return Frame(out, PbxCode::kProgrammingRead, {objectType, objectIndex});
}

std::size_t BuildStatusReadFrame(std::uint8_t* out, std::uint8_t objectType, std::uint8_t objectIndex)
{
    return Frame(out, PbxCode::kStatusRead, {objectType, objectIndex});
}

std::size_t BuildClockReadFrame(std::uint8_t* out)
{
    return Frame(out, PbxCode::kClockRead, {});
}

std::size_t BuildClockSetFrame(std::uint8_t* out, const PbxClockBytes& clock)
{
    return Frame(out, PbxCode::kClockSet, {}, clock);
}

std::size_t BuildWakeUpReadFrame(std::uint8_t* out, std::uint8_t extension)
{
    return Frame(out, PbxCode::kWakeUpRead, {extension});
}

std::size_t BuildCallLogReadFrame(std::uint8_t* out, std::uint8_t extension, bool next)
{
    return Frame(out, PbxCode::kCallLogRead, {kCallLogSelector, extension, static_cast<std::uint8_t>(next ? 1 : 0)});
}

std::size_t BuildCallLogClearFrame(std::uint8_t* out, std::uint8_t extension)
{
    return Frame(out, PbxCode::kCallLogClear, {kCallLogSelector, extension});
}

std::size_t BuildStateReportingFrame(std::uint8_t* out, std::uint8_t parameter)
{
    return Frame(out, PbxCode::kStateReporting, {parameter});
}

std::size_t BuildOffHookFrame(std::uint8_t* out, std::uint8_t extension)
{
    return StationFrame(out, PbxCode::kOffHook, extension);
}

std::size_t BuildOnHookFrame(std::uint8_t* out, std::uint8_t extension)
{
    return StationFrame(out, PbxCode::kOnHook, extension);
}

std::size_t BuildDigitsFrame(std::uint8_t* out, std::uint8_t extension, std::string_view digits)
{
    if (extension == kThisStation)
        return Frame(out, PbxCode::kDialOnStation, {}, Bytes(digits));
    return Frame(out, PbxCode::kDialOnExtension, {extension}, Bytes(digits));
}

std::size_t BuildKeysFrame(std::uint8_t* out, std::uint8_t extension, std::span<const std::uint8_t> keys)
{
    return Frame(out, PbxCode::kKeys, {extension}, keys);
}

std::size_t BuildTextFrame(std::uint8_t* out, std::uint8_t code, std::uint8_t parameter, std::string_view text)
{
    if (!out || text.empty())
        return 0;
    return Frame(out, code, {parameter}, Bytes(text), true);
}

std::size_t BuildProgrammingFrame(std::uint8_t* out, std::span<const std::uint8_t> block)
{
    const std::size_t size = block.empty() ? 0 : ProgrammingRecordSize(block[0]);
    if (size == 0 || block.size() < size)
        return 0;
    return Frame(out, PbxCode::kProgrammingWrite, {}, block.first(size));
}

std::size_t BuildWakeUpFrame(std::uint8_t* out, std::span<const std::uint8_t, 5> wakeUp)
{
    return Frame(out, PbxCode::kWakeUpWrite, {}, wakeUp);
}

std::size_t BuildRecordFrame(std::uint8_t* out, std::uint8_t extension, std::uint8_t value)
{
    return Frame(out, PbxCode::kRecord, {extension, value});
}

std::size_t BuildMessageNotifyFrame(std::uint8_t* out, std::uint8_t kind, std::uint8_t sourceExtension,
                                    std::uint8_t destinationExtension, std::uint8_t sourcePbx,
                                    std::uint8_t destinationPbx)
{
    return Frame(out, PbxCode::kMessageNotify, {kind, sourceExtension, destinationExtension, sourcePbx, destinationPbx});
}
