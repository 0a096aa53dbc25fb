#include "pbxinitialization.h"

#include "binaryrecord.h"
#include "pbxcode.h"
#include "pbxframe.h"

#include <algorithm>

namespace {

constexpr const char* kNexo28Tag = "NEXO28";

}  // namespace

QString PbxInitialization::Version() const
{
    return ReadAnsiField(QByteArrayView(bytes.data(), kSize), kVersionOffset, kSize - kVersionOffset);
}

bool PbxInitialization::IsNexo28() const
{
    return Version().contains(QLatin1String(kNexo28Tag));
}

bool PbxInitialization::Decode(std::span<const std::uint8_t> answer)
{
    if (answer.size() < kMinimumAnswerSize || answer.back() != 0 ||
        answer[kPbxCodeOffset] != PbxCode::kInitializationRead)
        return false;
    const std::span<const std::uint8_t> payload = answer.subspan(kPbxPayloadOffset);
    const std::size_t boards = payload[kBoardCountOffset];
    // More boards than the record holds would overrun it: refused like any other bad answer.
    if (boards > kMaxBoards || answer.size() < boards + kMinimumAnswerSize)
        return false;

    bytes.fill(0);
    std::copy_n(payload.begin(), kCountsSize + boards, bytes.begin());
    // The text after the boards ends at its NUL (the answer's last byte is one); the record keeps at
    // most what fits before its own last byte, which stays 0.
    const std::span<const std::uint8_t> text = payload.subspan(kCountsSize + boards);
    const std::size_t textSize = std::find(text.begin(), text.end(), 0) - text.begin();
    std::copy_n(text.begin(), std::min(textSize, kSize - kVersionOffset - 1), bytes.begin() + kVersionOffset);
    return true;
}
