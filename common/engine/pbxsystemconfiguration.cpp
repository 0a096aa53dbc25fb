#include "pbxsystemconfiguration.h"

#include "pbxcode.h"
#include "pbxframe.h"

#include <algorithm>

bool PbxSystemConfiguration::Decode(std::span<const std::uint8_t> answer)
{
    if (answer.size() < kMinimumAnswerSize || answer[kPbxCodeOffset] != PbxCode::kConfigurationRead)
        return false;
    std::copy_n(answer.begin() + kPbxPayloadOffset, kSize, bytes.begin());
    return true;
}
