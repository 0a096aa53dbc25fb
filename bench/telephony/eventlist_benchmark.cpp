// The event lists' refresh of a call list: 10,000 calls of the last 30 days, half of them on lines whose
// numbers belong to contacts of the address book, read, rewritten into names and texts and shown
// (CEventListDlg::Refresh), against CSqlDatabase::QueryCallLog into the list's row sink alone, the two
// timed in turn (bench/support/pairedtiming.h), on SQLite and on PostgreSQL; rows per second of each.
// PostgreSQL runs on the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER);
// without it that run is skipped.
#include "catalogcache.h"
#include "consolecatalog.h"
#include "engineerrorcode.h"
#include "eventlistdlg.h"
#include "operatorconsolestate.h"
#include "pairedtiming.h"
#include "sortlistctrl.h"
#include "sortlistrowsink.h"
#include "sqldatabase.h"
#include "sqldate.h"

#include <QApplication>

#include <benchmark/benchmark.h>


namespace {

constexpr int kCalls = 10000;
constexpr int kPbxId = 0;
constexpr int kExtensions = 32;
constexpr int kLines = 16;
constexpr int kContacts = 100;
constexpr int kAllCalls = 3;
// The calls spread over 29 days so that all of them fall in the list's 30 days.
constexpr qint64 kSecondsBetweenCalls = 29 * 86400 / kCalls;

QString ContactNumber(int contact) { return QStringLiteral("06%1").arg(5550000 + contact); }

using benchsupport::ConsoleCatalog;

QString Fill(ConsoleCatalog& filled)
{
    if (QString failure = benchsupport::OpenConsoleCatalog(filled, kPbxId, true); !failure.isEmpty())
        return failure;
    CSqlDatabase& database = *filled.database;
    for (int contact = 0; contact < kContacts; ++contact) {
        QStringList fields(16);
        fields[0] = QStringLiteral("Contatto %1").arg(contact);
        fields[8] = ContactNumber(contact);
        if (database.InsertContactFromList(fields, true, true) != kNoError)
            return QStringLiteral("a contact could not be stored");
    }
    // Even rows: incoming calls on a line from a contact's number; odd rows: internal calls.
    const OleDate first = OleDate::Now().AddDays(-29);
    database.BeginTransaction();
    QString failure;
    for (int start = 0; start < kCalls && failure.isEmpty(); start += 1000) {
        const QString sql = QStringLiteral(
            "INSERT INTO LogCallsSwNew (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,Durata,IndiceEsterna,Scatti,"
            "Totale,Uscente,NumeroChiamato,Fatturato) WITH RECURSIVE n(i) AS (SELECT %1 UNION ALL SELECT i + 1 FROM n "
            "WHERE i < %2) SELECT %3, i % %4, ?, ?, ?, 1 + (i + 1) % 2, i % %5, 65535, 1 + i % 4, "
            "CASE WHEN i % 2 = 0 THEN '06' || (5550000 + i % %6) ELSE '2' || (i % %4) END, 0 FROM n");
        const OleDate at = first.AddSeconds(start * kSecondsBetweenCalls);
        if (database.OpenRecordset(sql.arg(start).arg(start + 999).arg(kPbxId).arg(kExtensions).arg(kLines).arg(kContacts),
                                   {SqlDateText(at), SqlDateText(at.AddSeconds(95)),
                                    SqlDateText(OleDate(1899, 12, 30, 0, 1, 35))}) != kNoError)
            failure = database.LastError();
        database.CloseRecordset();
    }
    database.CommitTransaction();
    return failure;
}

ConsoleCatalog& Catalog(DbBackend backend)
{
    static benchsupport::CatalogCache<ConsoleCatalog> catalogs(Fill);
    return catalogs.For(backend);
}

// A state of one PBX with the benchmark's extensions and lines.
void MakeState(OperatorConsoleState& state)
{
    state.firstInitialization.bytes[PbxInitialization::kExtensionCountOffset] = kExtensions;
    state.firstInitialization.bytes[PbxInitialization::kLineCountOffset] = kLines;
    state.tables.Allocate({kExtensions, kLines, 0, 0});
    state.firstPbxIdentifier = kPbxId;
}

void RefreshCalls(benchmark::State& state, DbBackend backend)
{
    ConsoleCatalog& filled = Catalog(backend);
    if (!benchsupport::CatalogUsable(filled, state))
        return;
    OperatorConsoleState console;
    MakeState(console);
    ConsoleWindowContext context;
    context.state = &console;
    CEventListDlg dialog(CEventListDlg::kCalls, CEventListDlg::kAllExtensions, kAllCalls, 0, OleDate(), context);
    const DbParameters parameters = filled.catalog.Parameters();
    dialog.DialogHooks().connectDatabase = [&parameters](CSqlDatabase& database) {
        database.SetParameters(parameters);
        return database.Connect(QString());
    };
    dialog.DialogHooks().error = [](int) {};
    dialog.show();
    QApplication::processEvents();

    CSortListCtrl list;
    for (int column = 0; column < 10; ++column)
        list.InsertColumn(column, QString::number(column), CSortListCtrl::kText);
    SortListRowSink sink(list);
    const OleDate from = dialog.PeriodStart();
    const OleDate to = dialog.PeriodEnd();
    const auto ours = [&] { return dialog.Refresh() && dialog.List().ItemCount() == kCalls; };
    const auto bare = [&] {
        return filled.database->QueryCallLog(kPbxId, CEventListDlg::kAllExtensions, 0, &from, &to, sink) == kNoError &&
               list.ItemCount() == kCalls;
    };
    benchpairing::PairedSeconds seconds;
    if (!benchpairing::TimeInTurn(state, ours, bare, seconds))
        return;
    const double rows = static_cast<double>(kCalls) * static_cast<double>(state.iterations());
    state.counters["rows_per_second"] = rows / seconds.ours;
    state.counters["sink_rows_per_second"] = rows / seconds.baseline;
    state.counters["vs_sink"] = seconds.baseline / seconds.ours;
}

void EventListRefreshSqlite(benchmark::State& state) { RefreshCalls(state, DbBackend::kSqlite); }
void EventListRefreshPostgres(benchmark::State& state) { RefreshCalls(state, DbBackend::kPostgres); }

BENCHMARK(EventListRefreshSqlite)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(EventListRefreshPostgres)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
