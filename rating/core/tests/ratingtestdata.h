#pragma once

#include "ratingconfiguration.h"
#include "ruletable.h"

#include <QByteArray>

class PbxTables;

// Data the rating tests share: the first run's configuration with a known pulse tariff, the call types,
// and PBXs described by their records.

constexpr double kTestPulseCost = 0.1;
constexpr double kTestAnswerCharge = 0.05;

RatingConfiguration TestRatingConfiguration();
CallTypeTable TestCallTypes();

// A PBX without renumbering: extension i is dialled as 201 + i.
QByteArray TestInitialization(int extensions, int lines);
QByteArray TestSystemConfiguration(bool logsDurations);
void SetTestPbx(PbxTables& tables, int pbx, int extensions, int lines, bool logsDurations);
