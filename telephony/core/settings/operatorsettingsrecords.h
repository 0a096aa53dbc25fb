#pragma once

#include "mainsettings.h"
#include "officepluginsettings.h"
#include "service2pluginsettings.h"
#include "service3pluginsettings.h"
#include "toolbarsettings.h"

#include <QString>

#include <vector>

// The operator console's five settings records, each with its defaults until a file is read.
struct OperatorSettingsRecords {
    explicit OperatorSettingsRecords(const OleDate& now = OleDate::Now()) : main(now) {}

    MainSettings main;
    OfficePluginSettings office;
    Service2PluginSettings second;
    ToolbarSettings toolbar;
    Service3PluginSettings third;
};

// The result of writing or loading one settings file: its name and, once written, its length in bytes.
struct SettingsFileOutcome {
    QString name;
    bool loaded = false;
    qint64 writtenLength = -1;  // -1: not written
};

// Loads the five files from the folder in the start-up's order (main, office, second, toolbar, third);
// a file that cannot be loaded is written with the record's defaults. A toolbar file that cannot be
// loaded first takes its rows from the main settings' button rows of older versions.
std::vector<SettingsFileOutcome> LoadOrCreateSettingsFiles(const QString& folder, OperatorSettingsRecords& records);
// Takes over what the settings sheet edited in `edited`: of the main settings only the bytes its pages
// edit (the four window sections, the alarm switches, the start-up options, the missed-call switch and
// the hotel mode), so that what others changed meanwhile (the missed-call time mark that the popup moves
// and saves) is not written back stale; the four other records whole.
void TakeSheetSettings(OperatorSettingsRecords& live, const OperatorSettingsRecords& edited);
// Writes the five files in that order; true when every one was written.
bool SaveSettingsFiles(const QString& folder, const OperatorSettingsRecords& records);
