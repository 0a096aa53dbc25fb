#pragma once

#include "operatorconsolestate.h"

class MainSettings;
class Service2PluginSettings;

// After the load: hides the extensions each PBX does not handle, takes the second PBX's shown objects
// from its own settings and applies both connection lists (list one hides the first PBX's listed lines
// and the second PBX's listed extensions; list two marks the second PBX's listed lines 254 and hides
// the first PBX's listed extensions). Lists count at most 32 entries; indexes outside a PBX are skipped.
void ApplyObjectVisibility(const OperatorConsoleState& state, MainSettings& settings,
                           const Service2PluginSettings& secondPbx);
