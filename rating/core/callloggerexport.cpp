#include "callloggerexport.h"

#include "callloggerline.h"
#include "callrating.h"
#include "engineerrorcode.h"
#include "loggedcall.h"
#include "pbxtables.h"
#include "ratingdatabase.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The output file opened for appending, held against other writers; closed when it goes.
class LockedOutput {
public:
    explicit LockedOutput(const QString& path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~LockedOutput()
    {
        if (m_fd >= 0)
            ::close(m_fd);  // also releases the lock
    }
    LockedOutput(const LockedOutput&) = delete;
    LockedOutput& operator=(const LockedOutput&) = delete;

    bool IsOpen() const { return m_fd >= 0; }

    bool Write(const QByteArray& bytes)
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::write(m_fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            done += written;
        }
        return true;
    }

private:
    int m_fd = -1;
};

}  // namespace

CallLoggerExport::CallLoggerExport(CRatingDatabase& database, const PbxTables& tables,
                                   const RatingConfiguration& configuration, const QString& settingsFolder,
                                   std::function<OleDate()> clock)
    : m_database(database),
      m_tables(tables),
      m_configuration(configuration),
      m_settingsFolder(settingsFolder),
      m_clock(std::move(clock))
{
}

bool CallLoggerExport::LoadSettings() { return LoadCallLoggerSettings(m_settingsFolder, m_settings); }

bool CallLoggerExport::SaveSettings() { return SaveCallLoggerSettings(m_settingsFolder, m_settings); }

void CallLoggerExport::ApplyDialogResult(const CallLoggerSettings& copy)
{
    CallLoggerSettings settings = copy;
    settings.lastExportedStart = copy.enabled ? 0.0 : m_settings.lastExportedStart;
    m_settings = settings;
    m_floor = OleDate::Invalid();
    m_written.clear();
    SaveSettings();
}

CallLoggerExport::CallKey CallLoggerExport::KeyOf(const LoggedCall& call)
{
    return {call.extension, static_cast<double>(call.start.ToSeconds()), call.dialledNumber};
}

void CallLoggerExport::OnTimer()
{
    if (++m_ticks < kTicksPerExport)
        return;
    m_ticks = 0;
    const OleDate now = m_clock();
    if (!m_settings.enabled)
        return;
    const OleDate mark(m_settings.lastExportedStart);
    if (m_settings.lastExportedStart == 0.0 || !mark.IsValid()) {
        // Just enabled: calls from now on are exported, none of the past.
        m_settings.lastExportedStart = now.Value();
        m_floor = now;
        m_written.clear();
        SaveSettings();
        return;
    }
    if (!m_floor.IsValid())
        m_floor = mark;  // a run's first export begins at the stored mark
    Export(mark);
}

void CallLoggerExport::Export(const OleDate& mark)
{
    const OleDate from = mark.AddDays(-kLookBackDays);
    const OleDate to = mark.AddDays(kLookAheadDays);
    std::vector<LoggedCall> calls;
    int count = 0;
    if (m_database.SelectPbxCalls(m_settings.pbx, &from, &to, &calls, count) != kNoError)
        return;  // tried again in a minute
    std::erase_if(calls, [this](const LoggedCall& call) {
        return call.start <= m_floor || m_written.contains(KeyOf(call));
    });
    if (calls.empty())
        return;
    LockedOutput output(m_settings.outputPath);
    if (!output.IsOpen()) {
        m_ticks = kRetryTick;
        return;
    }
    const QByteArrayView configuration = m_tables.SystemConfigurationBytes(m_settings.pbx);
    const bool logsDurations = PbxLogsDurations(configuration);
    OleDate newMark = mark;
    bool failed = false;
    const CompiledRules rules(m_configuration.rules, m_configuration.prefixGroups);
    for (const LoggedCall& call : calls) {
        const CallRating rating =
            RateLoggedCall(call, configuration, rules, m_configuration.tariffs, m_configuration.variations);
        QString line;
        // A call whose line cannot be formed is passed over for good.
        if (FormatCallLoggerLine(call, rating, logsDurations, line) && !output.Write(line.toUtf8())) {
            failed = true;
            break;
        }
        m_written.insert(KeyOf(call));
        if (call.start > newMark)
            newMark = call.start;
    }
    m_settings.lastExportedStart = newMark.Value();
    // Calls a day older than the mark are never selected again.
    const double oldest = static_cast<double>(newMark.AddDays(-kLookBackDays).ToSeconds());
    std::erase_if(m_written, [oldest](const CallKey& key) { return std::get<1>(key) < oldest; });
    SaveSettings();
    if (failed)
        m_ticks = kRetryTick;
}
