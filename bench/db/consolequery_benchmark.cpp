// The operator console's call-log query (CSqlDatabase::QueryCallLog into a row sink, texts and all) and the
// call-log count with its rows (CSqlDatabase::CountCallLog into CallLogEntry values) over 100,000 LogCallsSwNew
// rows, against a bare QSqlQuery that reads the same statement's columns, on SQLite
// and on PostgreSQL; rows per second of each and, from the two, the price of the layer. PostgreSQL runs on
// the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER); without it that run is
// skipped.

#include "engineerrorcode.h"
#include "rowlist.h"
#include "sqldatabase.h"
#include "sqldate.h"
#include "testcatalog.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <map>
#include <vector>
#include <memory>

namespace {

constexpr int kRows = 100000;
constexpr int kPbxId = 0;
constexpr int kExtensions = 16;
constexpr qint64 kSecondsBetweenCalls = 37;
const QString kStatement = QStringLiteral("SELECT * FROM LogCallsSwNew WHERE (PbxIdentifier=?) ORDER BY DataInizio");

// One catalog per backend, filled once for every benchmark of that backend.
struct FilledCatalog {
    std::unique_ptr<TestCatalog> catalog;
    std::unique_ptr<CSqlDatabase> database;
    QString error;
};

// Released before the application ends, while QtSql still serves their connections.
std::map<DbBackend, FilledCatalog>& Catalogs()
{
    static std::map<DbBackend, FilledCatalog> s_catalogs;
    return s_catalogs;
}

FilledCatalog& Catalog(DbBackend backend)
{
    std::map<DbBackend, FilledCatalog>& s_catalogs = Catalogs();
    auto found = s_catalogs.find(backend);
    if (found != s_catalogs.end())
        return found->second;
    FilledCatalog& filled = s_catalogs[backend];
    filled.catalog = std::make_unique<TestCatalog>(backend);
    if (!filled.catalog->SkipReason().isEmpty()) {
        filled.error = filled.catalog->SkipReason();
        return filled;
    }
    filled.database = std::make_unique<CSqlDatabase>(filled.catalog->Parameters());
    CSqlDatabase& database = *filled.database;
    if (database.ConnectAndCreateSchema(QString()) != kNoError ||
        database.InsertEngineConfiguration(0, QStringLiteral("PBX1"), 0) != kNoError ||
        database.ConnectAndCreateSchema(QString()) != kNoError) {
        filled.error = QStringLiteral("the catalog could not be made");
        return filled;
    }
    // One statement per 1000 rows: WITH RECURSIVE works on both backends.
    database.BeginTransaction();
    for (int first = 0; first < kRows && filled.error.isEmpty(); first += 1000) {
        const QString sql = QStringLiteral(
            "INSERT INTO LogCallsSwNew (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,Durata,IndiceEsterna,Scatti,"
            "Totale,Uscente,NumeroChiamato,Fatturato) WITH RECURSIVE n(i) AS (SELECT %1 UNION ALL SELECT i + 1 FROM n "
            "WHERE i < %2) SELECT %3, i % %4, ?, ?, ?, i % 3, i % 50, i, 1 + i % 4, '0612345678', 0 FROM n");
        const OleDate start = OleDate(2024, 1, 1).AddSeconds(first * kSecondsBetweenCalls);
        if (database.OpenRecordset(sql.arg(first).arg(first + 999).arg(kPbxId).arg(kExtensions),
                                   {SqlDateText(start), SqlDateText(start.AddSeconds(95)),
                                    SqlDateText(OleDate(1899, 12, 30, 0, 1, 35))}) != kNoError)
            filled.error = database.LastError();
        database.CloseRecordset();
    }
    database.CommitTransaction();
    return filled;
}

void SetRate(benchmark::State& state)
{
    state.counters["rows_per_second"] =
        benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void QueryCallLogIntoRows(benchmark::State& state, DbBackend backend)
{
    FilledCatalog& filled = Catalog(backend);
    if (!filled.error.isEmpty()) {
        state.SkipWithError(filled.error.toStdString().c_str());
        return;
    }
    RowList rows;
    for (auto _ : state) {
        if (filled.database->QueryCallLog(kPbxId, 255, 0, nullptr, nullptr, rows) != kNoError || rows.Count() != kRows) {
            state.SkipWithError("the query failed");
            return;
        }
    }
    SetRate(state);
}

void CountCallLogWithRows(benchmark::State& state, DbBackend backend)
{
    FilledCatalog& filled = Catalog(backend);
    if (!filled.error.isEmpty()) {
        state.SkipWithError(filled.error.toStdString().c_str());
        return;
    }
    std::vector<CallLogEntry> rows;
    for (auto _ : state) {
        int count = 0;
        if (filled.database->CountCallLog(kPbxId, 255, 0, nullptr, nullptr, &rows, count) != kNoError ||
            count != kRows || rows.size() != static_cast<size_t>(kRows)) {
            state.SkipWithError("the count failed");
            return;
        }
    }
    SetRate(state);
}

// The same rows read by QtSql alone: the statement, then each of the nine columns' texts.
void BareQuery(benchmark::State& state, DbBackend backend)
{
    FilledCatalog& filled = Catalog(backend);
    if (!filled.error.isEmpty()) {
        state.SkipWithError(filled.error.toStdString().c_str());
        return;
    }
    const DbParameters& parameters = filled.catalog->Parameters();
    const QString name = QStringLiteral("bare-%1").arg(static_cast<int>(backend));
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(
            backend == DbBackend::kSqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        if (backend == DbBackend::kSqlite) {
            connection.setDatabaseName(parameters.file);
        } else {
            connection.setHostName(parameters.host);
            connection.setPort(parameters.port);
            connection.setUserName(parameters.user);
            connection.setDatabaseName(parameters.database);
        }
        if (!connection.open()) {
            state.SkipWithError("the bare connection failed");
            return;
        }
        const char* columns[] = {"IndiceDerivato", "DataInizio", "DataFine", "Durata", "IndiceEsterna",
                                 "Scatti", "Uscente", "Totale", "NumeroChiamato"};
        for (auto _ : state) {
            QSqlQuery query(connection);
            query.setForwardOnly(true);
            query.prepare(kStatement);
            query.addBindValue(kPbxId);
            if (!query.exec()) {
                state.SkipWithError("the bare query failed");
                return;
            }
            int read = 0;
            while (query.next()) {
                for (const char* column : columns)
                    benchmark::DoNotOptimize(query.value(QString::fromLatin1(column)).toString());
                ++read;
            }
            if (read != kRows) {
                state.SkipWithError("the bare query missed rows");
                return;
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    SetRate(state);
}

void QueryCallLogSqlite(benchmark::State& state) { QueryCallLogIntoRows(state, DbBackend::kSqlite); }
void CountCallLogSqlite(benchmark::State& state) { CountCallLogWithRows(state, DbBackend::kSqlite); }
void BareQuerySqlite(benchmark::State& state) { BareQuery(state, DbBackend::kSqlite); }
void QueryCallLogPostgres(benchmark::State& state) { QueryCallLogIntoRows(state, DbBackend::kPostgres); }
void CountCallLogPostgres(benchmark::State& state) { CountCallLogWithRows(state, DbBackend::kPostgres); }
void BareQueryPostgres(benchmark::State& state) { BareQuery(state, DbBackend::kPostgres); }

BENCHMARK(QueryCallLogSqlite)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CountCallLogSqlite)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BareQuerySqlite)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(QueryCallLogPostgres)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CountCallLogPostgres)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BareQueryPostgres)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);  // QtSql loads its drivers as plugins
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    Catalogs().clear();
    benchmark::Shutdown();
    return 0;
}
