#pragma once

#include "engineerrorcode.h"

#include <ostream>

// Result codes show as numbers in test failures, not as characters.
inline void PrintTo(EngineErrorCode code, std::ostream* out)
{
    *out << static_cast<int>(code);
}
