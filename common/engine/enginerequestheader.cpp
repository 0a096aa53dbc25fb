#include "enginerequestheader.h"

namespace {

constexpr int kShortestBudget = 5;
constexpr int kLongestBudget = 255;

}  // namespace

std::uint8_t EngineBudget(int seconds)
{
    if (seconds <= kShortestBudget)
        return kShortestBudget;
    return static_cast<std::uint8_t>(seconds - 1 > kLongestBudget ? kLongestBudget : seconds - 1);
}

int EngineReplyWaitSeconds(std::uint8_t budget)
{
    return budget + 1;
}
