#pragma once

#include "oledate.h"

class CSqlDatabase;
class MainSettings;
class OperatorConsoleState;
class Service2PluginSettings;

// The own extension's counters after the tables are loaded: its missed calls since the settings'
// reference time up to five minutes from now, whether a message waits for this station, and its two
// status texts. The first failed read is the result (the texts are built either way).
int LoadOwnExtensionState(CSqlDatabase& database, OperatorConsoleState& state, const MainSettings& settings,
                          const OleDate& now);

// The whole load of the console's start-up: the PBX's (and a shown second PBX's) tables, the visibility
// of the objects and the own extension's counters. 0 or the first error, as LoadPbxState gives it.
int LoadConsoleState(CSqlDatabase& database, OperatorConsoleState& state, MainSettings& settings,
                     const Service2PluginSettings& secondPbx, int pbxIdentifier, int associatedExtension,
                     const OleDate& now);
