#pragma once

#include "engineerrorcode.h"
#include "pbxframebuilders.h"

#include <QDateTime>

#include <cstdint>

class CEngineClient;

// The PBX clock bytes of a local date and time: day, month, year - 2000, hour, minute, second.
PbxClockBytes PbxClockOf(const QDateTime& time);

// Sets the PBX's clock to the PC's: 7 without a client, else the result of SetClock.
EngineErrorCode SetPbxClockToNow(const CEngineClient* client, std::uint8_t pbx);
