#include "updatecheck.h"

#include "enginesettingsfile.h"
#include "findwindow.h"
#include "folders.h"
#include "messagetarget.h"
#include "process.h"
#include "suiteipc.h"

#include <QThread>

namespace {

constexpr double kSecondsPerDay = 86400.0;

// A missing updater program fails silently, as does a dialog that cannot be found.
void StartUpdater() { StartDetachedProcess(UpdaterPath()); }

void PostToUpdaterAfterWait(std::uint32_t command)
{
    QThread::msleep(kUpdaterStartWaitMs);
    if (FindRefreskoWindow())
        SuiteIpc::Post(SuiteIpc::Key::WindowTitle, kRefreskoTitle, WM_COMMAND, command, 0);
}

}  // namespace

QString UpdaterPath() { return GetSuiteFolder() + kRefreskoTitle + u'/' + kRefreskoTitle; }

bool IsUpdateCheckDue(const EngineSettings& settings, const OleDate& now)
{
    if (settings.updateIntervalDays == EngineSettings::kCheckAtEveryStart || !settings.lastUpdateCheck.IsValid())
        return true;
    const double daysSinceLastCheck = SecondsBetween(settings.lastUpdateCheck, now) / kSecondsPerDay;
    return settings.updateIntervalDays < daysSinceLastCheck;
}

void CheckForUpdatesNow(EngineSettings& settings)
{
    StartUpdater();
    PostToUpdaterAfterWait(kUpdaterInteractiveCheck);
    settings.lastUpdateCheck = OleDate::Now();
    SaveEngineSettings(settings);
}

void RunStartupUpdateCheck(EngineSettings& settings, const OleDate& startTime)
{
    StartUpdater();
    settings.lastUpdateCheck = startTime;
    SaveEngineSettings(settings);
    PostToUpdaterAfterWait(kUpdaterAutomaticCheck);
}
