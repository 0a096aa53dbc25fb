#pragma once

#include "compiledrules.h"
#include "loggedcall.h"
#include "prefixgrouptable.h"
#include "ruletable.h"
#include "tarifftable.h"
#include "tariffvariations.h"

#include <QByteArrayView>

#include <cstdint>

// The price of one call of the log.
struct CallRating {
    std::uint8_t result = 0;      // kCostDone, or why the call has no cost (see callcost.h)
    std::int16_t tariffSlot = 0;  // the tariff used
    double cost = 0.0;            // euro; 0 unless result is kCostDone
    qint64 durationSeconds = 0;   // the duration shown and counted for the call
};

// Byte of the PBX system configuration (one byte per SystemConfiguration_ column, in column order) and
// its bit that tells a PBX that logs each call's duration in seconds in Scatti from one that counts pulses.
constexpr qsizetype kExtensionBitmap1Byte = 24;
constexpr std::uint8_t kLogsDurationsBit = 0x08;

// Whether the PBX with this system configuration logs durations in seconds; a record too short to hold
// the byte is taken as a pulse counter.
bool PbxLogsDurations(QByteArrayView systemConfiguration);

// The one pricing rule for a call of the log, shared by every list, statistic and program that prices
// calls. A call with Scatti 0 costs 0. A PBX that logs durations is priced by the tariff of the first
// matching rule (the generic tariff when no rule matches or the rule names a slot outside the table) over
// Scatti seconds from the start; a pulse counter by Scatti x pulse cost + answer charge of tariff slot 0.
CallRating RateLoggedCall(const LoggedCall& call, QByteArrayView systemConfiguration, const RuleTable& rules,
                          const PrefixGroupTable& groups, const TariffTable& tariffs,
                          const TariffVariations& variations);
// The same with the rules compiled once for many calls (identical results).
CallRating RateLoggedCall(const LoggedCall& call, QByteArrayView systemConfiguration, const CompiledRules& rules,
                          const TariffTable& tariffs, const TariffVariations& variations);
