#pragma once

#include "extensioncallstate.h"

#include <array>
#include <cstdint>

// One counter per PBX index of the ticks since its serial link last sent a frame: every frame sets it back
// to kFull, and the view's 10-second link check counts it down and probes the PBX when it reaches 0.
class LinkSilenceCounters {
public:
    static constexpr std::uint8_t kFull = 6;  // six 10-second ticks: a minute of silence

    // Sets the PBX's counter back to kFull; nothing for an index beyond the counters.
    void Reset(int pbx);
    void ResetAll() { m_counters.fill(kFull); }
    // Counts down; true when it reached 0 (the counter then stays at 0 until reset).
    bool CountDown(int pbx);
    std::uint8_t Value(int pbx) const;

private:
    std::array<std::uint8_t, kMaxPbxLinks> m_counters{kFull, kFull, kFull, kFull, kFull};
};
