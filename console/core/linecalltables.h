#pragma once

#include "extensioncallstate.h"

#include <QString>

#include <array>

// What the console remembers of each PBX line between events: the number of the call it carries (or that a
// ring came before any number was known) and the caller id it had when it last became idle.
struct LineCallNumber {
    bool Pending = false;  // a ring came from the line before any number was known
    QString Number;        // at most ExtensionCallState::kNumberMaxLength characters
};

inline constexpr int kLinesPerPbx = 128;

class LineCallTables {
public:
    // Null for a PBX or line index beyond the tables.
    LineCallNumber* CallNumber(int pbx, int line);
    QString* LastCallerId(int pbx, int line);

private:
    static bool Holds(int pbx, int line) { return pbx >= 0 && pbx < kMaxPbxLinks && line >= 0 && line < kLinesPerPbx; }

    std::array<std::array<LineCallNumber, kLinesPerPbx>, kMaxPbxLinks> m_callNumbers{};
    std::array<std::array<QString, kLinesPerPbx>, kMaxPbxLinks> m_lastCallerIds{};
};
