#include "pbxdirectory.h"

#include "pbxcode.h"
#include "pbxframebuilders.h"

namespace {

constexpr std::uint8_t kCodedZero = 10;
constexpr int kDigitBase = '0';

std::uint8_t Low(std::uint16_t value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::uint8_t High(std::uint16_t value) { return static_cast<std::uint8_t>(value >> 8); }

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

namespace PbxDirectory {

int GlobalBookSize(const InfoBlock& block) { return block[3] * 256 + block[6]; }
int CommonBookSize(const InfoBlock& block) { return block[4] + block[5] * 256; }
int PersonalBookSize(const InfoBlock& block) { return block[6] + block[7] * 256; }

std::string EncodeDigits(std::string_view number)
{
    std::string coded;
    coded.reserve(number.size());
    for (const char c : number)
        coded += c == '0' ? static_cast<char>(kCodedZero) : static_cast<char>(static_cast<std::uint8_t>(c) - kDigitBase);
    return coded;
}

std::string DecodeDigits(std::span<const std::uint8_t> bytes)
{
    std::string number;
    for (const std::uint8_t b : bytes) {
        if (b == 0 || number.size() == kMaxNumberLength)
            break;
        number += b == kCodedZero ? '0' : static_cast<char>(b + kDigitBase);
    }
    return number;
}

}  // namespace PbxDirectory

using namespace PbxDirectory;

std::size_t BuildDirectoryPositionReadFrame(std::uint8_t* out, std::uint8_t position)
{
    return BuildPbxFrame(out, PbxCode::kCallLogRead, {kSelector, position});
}

std::size_t BuildDirectoryInfoReadFrame(std::uint8_t* out)
{
    return BuildPbxFrame(out, PbxCode::kCallLogRead, {kSelector, kInfoMark});
}

std::size_t BuildDirectoryEntryReadFrame(std::uint8_t* out, std::uint8_t book, std::uint16_t position)
{
    return BuildPbxFrame(out, PbxCode::kCallLogRead, {kSelector, kEntryMark, book, Low(position), High(position)});
}

std::size_t BuildDirectoryPositionWriteFrame(std::uint8_t* out, std::uint8_t position, std::string_view encodedDigits)
{
    return BuildPbxFrame(out, PbxCode::kDirectoryWrite, {kSelector, position}, Bytes(encodedDigits), true);
}

std::size_t BuildDirectoryEntryWriteFrame(std::uint8_t* out, std::uint8_t book, std::uint16_t position,
                                          std::string_view encodedDigits)
{
    return BuildPbxFrame(out, PbxCode::kDirectoryWrite, {kSelector, kEntryMark, book, Low(position), High(position)},
                         Bytes(encodedDigits), true);
}
