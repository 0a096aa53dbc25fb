// PxCnf.ers of any bytes: only a whole 32-byte file reads as complete, whatever was read saves as a whole
// file that reads back the same, and the update check copes with any last-check date in it.
#include "enginesettingsfile.h"
#include "fuzzapplication.h"
#include "updatecheck.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

// A fixed creation time, so that a replay gives the same settings every time.
const OleDate kCreatedAt(45000.5);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureFuzzApplication();
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("PxCnf.ers"));
    const QString saved = folder.filePath(QStringLiteral("saved.ers"));
    if (!WriteFuzzInput(path, data, size))
        std::abort();

    EngineSettings settings(kCreatedAt);
    const int loaded = LoadEngineSettings(settings, path);
    if (loaded != (size == static_cast<std::size_t>(kEngineSettingsFileSize) ? 1 : 0))
        std::abort();

    if (SaveEngineSettings(settings, saved) != 1 || QFile(saved).size() != kEngineSettingsFileSize)
        std::abort();
    EngineSettings reread(kCreatedAt);
    if (LoadEngineSettings(reread, saved) != 1 || reread.Encode() != settings.Encode())
        std::abort();

    (void)IsUpdateCheckDue(settings, kCreatedAt);
    (void)IsUpdateCheckDue(settings, OleDate(OleDate::kMaxValue));
    const OleDate& last = settings.lastUpdateCheck;
    (void)last.ToDateTime();
    (void)last.DayOfWeek();
    return 0;
}
