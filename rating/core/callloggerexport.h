#pragma once

#include "callloggersettings.h"
#include "oledate.h"
#include "ratingconfiguration.h"

#include <QString>

#include <functional>
#include <set>
#include <tuple>

class CRatingDatabase;
class PbxTables;
struct LoggedCall;

// The call-logger plug-in at work: fed with the ticks of the main view's 5-second timer, once a minute it
// appends one line per new outgoing call of its PBX to the output file, and it takes the settings that
// its dialog confirms. The engine stores a call when it ends, so a long call can be stored after shorter
// ones that began later: each export looks back a day before the mark and writes every call this run has
// not written yet, and never one that began before the run's first mark.
class CallLoggerExport {
public:
    static constexpr int kTicksPerExport = 12;  // 12 ticks of 5 s: once a minute
    static constexpr int kRetryTick = 10;       // after a failure the next try comes two ticks later
    static constexpr int kLookBackDays = 1;     // how long a call may last and still be exported
    static constexpr int kLookAheadDays = 365;  // calls this far past the mark are not looked for

    CallLoggerExport(CRatingDatabase& database, const PbxTables& tables, const RatingConfiguration& configuration,
                     const QString& settingsFolder, std::function<OleDate()> clock = &OleDate::Now);

    CallLoggerSettings& Settings() { return m_settings; }
    const CallLoggerSettings& Settings() const { return m_settings; }
    bool LoadSettings();  // LoadCallLoggerSettings in the settings folder
    bool SaveSettings();

    // One tick of the view's timer.
    void OnTimer();
    // The dialog's OK with its copy of the settings: enabled, the export starts from the next minute.
    void ApplyDialogResult(const CallLoggerSettings& copy);

    int TickCount() const { return m_ticks; }

private:
    using CallKey = std::tuple<int, double, QString>;  // extension, start, number
    void Export(const OleDate& now);
    static CallKey KeyOf(const LoggedCall& call);

    CRatingDatabase& m_database;
    const PbxTables& m_tables;
    const RatingConfiguration& m_configuration;
    QString m_settingsFolder;
    std::function<OleDate()> m_clock;
    CallLoggerSettings m_settings;
    int m_ticks = 0;
    OleDate m_floor = OleDate::Invalid();  // the run's first mark: older calls belong to earlier runs
    std::set<CallKey> m_written;           // calls of this run handled, back to a day before the mark
};
