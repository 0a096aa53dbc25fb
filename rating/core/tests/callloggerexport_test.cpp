#include "callloggerexport.h"

#include "dbtest.h"
#include "engineerrorcode.h"
#include "pbxtables.h"
#include "ratingdatabase.h"
#include "ratingtestdata.h"
#include "testcallrecords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kPbx = 0;

class CallLoggerExportTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        StartEngineDatabaseWithPbx(kPbx, QStringLiteral("PBX1"));
        m_database = std::make_unique<CRatingDatabase>(Parameters());
        ASSERT_EQ(m_database->Connect(kServer), kNoError);
        SetTestPbx(m_tables, kPbx, 5, 4, false);
        m_export = std::make_unique<CallLoggerExport>(*m_database, m_tables, m_configuration, m_folder.path(),
                                                      [this] { return m_now; });
    }

    QString OutputPath() const { return QDir(m_folder.path()).filePath(QStringLiteral("calls.txt")); }

    // Stores an outgoing call of extension 201 that ended `seconds` after its start.
    void StoreCall(const OleDate& start, int seconds = 60, quint32 pulses = 2,
                   const QString& number = QStringLiteral("0612345678"))
    {
        ASSERT_EQ(m_database->InsertLoggedCall(kPbx, PbxLogRecord(start, seconds, 0, pulses, 1, number), 201), kNoError);
    }

    // A minute goes by: twelve ticks.
    void Minute()
    {
        m_now = m_now.AddSeconds(60);
        for (int i = 0; i < CallLoggerExport::kTicksPerExport; ++i)
            m_export->OnTimer();
    }
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            m_export->OnTimer();
    }

    void Enable(const QString& path)
    {
        CallLoggerSettings copy = m_export->Settings();
        copy.enabled = 1;
        copy.pbx = kPbx;
        copy.outputPath = path;
        m_export->ApplyDialogResult(copy);
    }

    QStringList OutputLines(const QString& path) const
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        lines.removeLast();  // after the last line end
        return lines;
    }
    // The start written in each line.
    QStringList Starts(const QString& path) const
    {
        QStringList starts;
        for (const QString& line : OutputLines(path))
            starts << line.mid(15, 19);
        return starts;
    }

    OleDate m_now = OleDate(2026, 12, 10, 9, 0, 0);
    QTemporaryDir m_folder;
    std::unique_ptr<CallLoggerExport> m_export;
    std::unique_ptr<CRatingDatabase> m_database;
    PbxTables m_tables;
    RatingConfiguration m_configuration = TestRatingConfiguration();
};

TEST_P(CallLoggerExportTest, EnablingExportsNothingOfThePast)
{
    StoreCall(m_now.AddSeconds(-3600));
    Enable(OutputPath());
    EXPECT_EQ(m_export->Settings().lastExportedStart, 0.0);
    Ticks(11);
    EXPECT_EQ(m_export->Settings().lastExportedStart, 0.0);
    Minute();  // its first tick is the twelfth: the mark becomes now
    const OleDate mark(m_export->Settings().lastExportedStart);
    EXPECT_EQ(mark, m_now);
    EXPECT_FALSE(QFile::exists(OutputPath()));

    StoreCall(mark.AddSeconds(5));
    Minute();
    const QStringList lines = OutputLines(OutputPath());
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].size(), 124);
    EXPECT_EQ(lines[0].mid(96, 14), QStringLiteral("Scatti  00002 "));
    EXPECT_EQ(OleDate(m_export->Settings().lastExportedStart), mark.AddSeconds(5));

    // The mark was saved; a dialog OK with the plug-in off keeps it, with it on starts over.
    CallLoggerSettings stored;
    ASSERT_TRUE(LoadCallLoggerSettings(m_folder.path(), stored));
    EXPECT_EQ(stored, m_export->Settings());
    CallLoggerSettings copy = m_export->Settings();
    copy.enabled = 0;
    m_export->ApplyDialogResult(copy);
    EXPECT_EQ(OleDate(m_export->Settings().lastExportedStart), mark.AddSeconds(5));
    Enable(OutputPath());
    EXPECT_EQ(m_export->Settings().lastExportedStart, 0.0);
}

TEST_P(CallLoggerExportTest, LinesThatCannotBeFormedArePassed)
{
    Enable(OutputPath());
    Ticks(CallLoggerExport::kTicksPerExport);
    const OleDate mark(m_export->Settings().lastExportedStart);
    StoreCall(mark.AddSeconds(1), 60, 2, QStringLiteral("3"));
    // The PBX's record holds 20 digits; a longer number comes from elsewhere.
    ASSERT_EQ(m_database->OpenRecordset(QStringLiteral("UPDATE LogCalls SET NumeroChiamato=?"), {QString(21, u'3')}),
              kNoError);
    StoreCall(mark.AddSeconds(2), 60, 10000);  // 1000.05 euro: too wide
    Minute();
    EXPECT_FALSE(QFile::exists(OutputPath()) && !OutputLines(OutputPath()).isEmpty());
    EXPECT_EQ(OleDate(m_export->Settings().lastExportedStart), mark.AddSeconds(2));
    StoreCall(mark.AddSeconds(3));
    Minute();
    EXPECT_EQ(OutputLines(OutputPath()).size(), 1);
}

TEST_P(CallLoggerExportTest, FailuresAreRetriedTwoTicksLaterAndLoseNoCall)
{
    const QString missingFolder = QDir(m_folder.path()).filePath(QStringLiteral("missing/calls.txt"));
    Enable(missingFolder);
    Ticks(CallLoggerExport::kTicksPerExport);
    const OleDate mark(m_export->Settings().lastExportedStart);
    StoreCall(mark.AddSeconds(10));
    Minute();
    EXPECT_EQ(m_export->TickCount(), CallLoggerExport::kRetryTick);
    EXPECT_EQ(OleDate(m_export->Settings().lastExportedStart), mark);

    // A full device takes the file but not the line.
    m_export->Settings().outputPath = QStringLiteral("/dev/full");
    Ticks(2);
    EXPECT_EQ(m_export->TickCount(), CallLoggerExport::kRetryTick);
    EXPECT_EQ(OleDate(m_export->Settings().lastExportedStart), mark);

    // Another writer holds the file.
    m_export->Settings().outputPath = OutputPath();
    const int holder = ::open(QFile::encodeName(OutputPath()).constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    Ticks(2);
    EXPECT_EQ(m_export->TickCount(), CallLoggerExport::kRetryTick);
    ::close(holder);

    Ticks(2);
    EXPECT_EQ(Starts(OutputPath()), QStringList{QStringLiteral("10/12/2026 09:00:10")});
    EXPECT_EQ(OleDate(m_export->Settings().lastExportedStart), mark.AddSeconds(10));
}

TEST_P(CallLoggerExportTest, ALongCallStoredLateIsWrittenOnce)
{
    Enable(OutputPath());
    Ticks(CallLoggerExport::kTicksPerExport);
    const OleDate mark(m_export->Settings().lastExportedStart);
    // The engine stores the short call first; the long one began earlier and ends later.
    StoreCall(mark.AddSeconds(20), 10);
    Minute();
    StoreCall(mark.AddSeconds(5), 300);
    Minute();
    Minute();
    EXPECT_EQ(Starts(OutputPath()), (QStringList{QStringLiteral("10/12/2026 09:00:20"),
                                                 QStringLiteral("10/12/2026 09:00:05")}));
    EXPECT_EQ(OleDate(m_export->Settings().lastExportedStart), mark.AddSeconds(20));

    // A new run of the program begins at the stored mark: nothing is written twice.
    CallLoggerExport restarted(*m_database, m_tables, m_configuration, m_folder.path(), [this] { return m_now; });
    ASSERT_TRUE(restarted.LoadSettings());
    StoreCall(mark.AddSeconds(30));
    m_now = m_now.AddSeconds(60);
    for (int i = 0; i < CallLoggerExport::kTicksPerExport; ++i)
        restarted.OnTimer();
    EXPECT_EQ(Starts(OutputPath()).size(), 3);
}

INSTANTIATE_DB_TEST(CallLoggerExportTest);

}  // namespace
