#include "pbxcommandclass.h"

#include "pbxcode.h"

#include <algorithm>

namespace {

template <std::size_t N>
bool Contains(const std::array<std::uint8_t, N>& list, std::uint8_t code)
{
    return std::find(list.begin(), list.end(), code) != list.end();
}

}  // namespace

bool IsPbxRequestCode(std::uint8_t code)
{
    return Contains(kPbxRequestCodes, code);
}

bool IsPbxEventCode(std::uint8_t code)
{
    return Contains(kPbxEventCodes, code);
}

bool IsPbxFrameCode(std::uint8_t code)
{
    return IsPbxRequestCode(code) || IsPbxEventCode(code);
}

bool IsNoAnswerCommand(std::uint8_t code)
{
    return Contains(kNoAnswerCommands, code);
}

bool IsPbxCommandCode(std::uint8_t code)
{
    return IsPbxRequestCode(code) || IsNoAnswerCommand(code) || code == PbxCode::kKeys;
}
