#include "engineoutcome.h"

#include "stringtable.h"

namespace {
constexpr unsigned kEngineOutcomeStrings = 16000;
constexpr unsigned kTapiOutcomeStrings = 17000;
}  // namespace

QString EngineOutcomeText(std::uint8_t code) { return LoadResString(kEngineOutcomeStrings + code); }
QString TapiServiceOutcomeText(std::uint8_t code) { return LoadResString(kTapiOutcomeStrings + code); }
