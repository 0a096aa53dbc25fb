// The operator console's call-log query (CSqlDatabase::QueryCallLog into a row sink, texts and all) and the
// call-log count with its rows (CSqlDatabase::CountCallLog into CallLogEntry values) over 100,000 LogCallsSwNew
// rows, each against a bare QSqlQuery that reads the same statement's columns by position into the same
// rows, the two warmed and timed in turn (bench/support/pairedtiming.h), on SQLite and on PostgreSQL; rows
// per second of each. PostgreSQL runs on the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT,
// SUITE_TEST_PGUSER); without it that run is skipped.

#include "catalogcache.h"
#include "consolecatalog.h"
#include "engineerrorcode.h"
#include "pairedtiming.h"
#include "rowlist.h"
#include "sqldatabase.h"
#include "sqldate.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kPbxId = 0;
constexpr int kExtensions = 16;
constexpr qint64 kSecondsBetweenCalls = 37;
const QString kStatement = QStringLiteral("SELECT * FROM LogCallsSwNew WHERE (PbxIdentifier=?) ORDER BY DataInizio");

using benchsupport::ConsoleCatalog;

QString Fill(ConsoleCatalog& filled)
{
    if (QString failure = benchsupport::OpenConsoleCatalog(filled, kPbxId, false); !failure.isEmpty())
        return failure;
    CSqlDatabase& database = *filled.database;
    // One statement per 1000 rows: WITH RECURSIVE works on both backends.
    database.BeginTransaction();
    QString failure;
    for (int first = 0; first < kRows && failure.isEmpty(); first += 1000) {
        const QString sql = QStringLiteral(
            "INSERT INTO LogCallsSwNew (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,Durata,IndiceEsterna,Scatti,"
            "Totale,Uscente,NumeroChiamato,Fatturato) WITH RECURSIVE n(i) AS (SELECT %1 UNION ALL SELECT i + 1 FROM n "
            "WHERE i < %2) SELECT %3, i % %4, ?, ?, ?, i % 3, i % 50, i, 1 + i % 4, '0612345678', 0 FROM n");
        const OleDate start = OleDate(2024, 1, 1).AddSeconds(first * kSecondsBetweenCalls);
        if (database.OpenRecordset(sql.arg(first).arg(first + 999).arg(kPbxId).arg(kExtensions),
                                   {SqlDateText(start), SqlDateText(start.AddSeconds(95)),
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

// A connection of QtSql's own to the catalog, for the bare reads; removed when it goes.
class BareConnection {
public:
    BareConnection(const DbParameters& parameters, DbBackend backend)
        : m_name(QStringLiteral("bare-%1").arg(static_cast<int>(backend)))
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(
            backend == DbBackend::kSqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), m_name);
        if (backend == DbBackend::kSqlite) {
            connection.setDatabaseName(parameters.file);
        } else {
            connection.setHostName(parameters.host);
            connection.setPort(parameters.port);
            connection.setUserName(parameters.user);
            connection.setDatabaseName(parameters.database);
        }
        m_open = connection.open();
    }
    ~BareConnection() { QSqlDatabase::removeDatabase(m_name); }
    BareConnection(const BareConnection&) = delete;
    BareConnection& operator=(const BareConnection&) = delete;

    bool IsOpen() const { return m_open; }
    // The call-log statement run, positioned before its first row, with the positions of the columns.
    bool Run(QSqlQuery& query, std::vector<int>& positions, std::initializer_list<const char*> columns) const
    {
        query = QSqlQuery(QSqlDatabase::database(m_name));
        query.setForwardOnly(true);
        query.prepare(kStatement);
        query.addBindValue(kPbxId);
        if (!query.exec())
            return false;
        positions.clear();
        for (const char* column : columns)
            positions.push_back(query.record().indexOf(QString::fromLatin1(column)));
        return std::find(positions.begin(), positions.end(), -1) == positions.end();
    }

private:
    QString m_name;
    bool m_open = false;
};

void ReportRates(benchmark::State& state, const benchpairing::PairedSeconds& seconds)
{
    const double rows = static_cast<double>(kRows) * static_cast<double>(state.iterations());
    state.counters["rows_per_second"] = rows / seconds.ours;
    state.counters["bare_rows_per_second"] = rows / seconds.baseline;
}

// QueryCallLog into a row list, against QtSql reading the same statement's nine columns as texts by
// position into a list of texts per row, shaped as the query shapes them.
void QueryCallLogIntoRows(benchmark::State& state, DbBackend backend)
{
    ConsoleCatalog& filled = Catalog(backend);
    if (!benchsupport::CatalogUsable(filled, state))
        return;
    const BareConnection bare(filled.catalog.Parameters(), backend);
    if (!bare.IsOpen()) {
        state.SkipWithError("the bare connection failed");
        return;
    }
    RowList rows;
    const auto ours = [&] {
        return filled.database->QueryCallLog(kPbxId, 255, 0, nullptr, nullptr, rows) == kNoError &&
               rows.Count() == kRows;
    };
    const auto bareRead = [&] {
        QSqlQuery query;
        std::vector<int> at;
        if (!bare.Run(query, at, {"IndiceDerivato", "DataInizio", "DataFine", "Durata", "IndiceEsterna", "Scatti",
                                  "Uscente", "Totale", "NumeroChiamato"}))
            return false;
        std::vector<QStringList> read;
        while (query.next()) {
            const qint64 total = query.value(at[7]).toLongLong();
            read.push_back({query.value(at[0]).toString(), query.value(at[1]).toString(),
                            query.value(at[2]).toString(), query.value(at[3]).toString(),
                            QString::number((query.value(at[4]).toLongLong() & 0xFF) * 256 +
                                            (query.value(at[5]).toLongLong() & 0xFF)),
                            query.value(at[6]).toString(), QString::number(total & 0xFF),
                            QString::number((total >> 8) & 0xFF), query.value(at[8]).toString()});
        }
        return read.size() == static_cast<std::size_t>(kRows);
    };
    benchpairing::PairedSeconds seconds;
    if (benchpairing::TimeInTurn(state, ours, bareRead, seconds))
        ReportRates(state, seconds);
}

// CountCallLog with its rows, against QtSql reading the same statement's seven columns by position into
// the same entries.
void CountCallLogWithRows(benchmark::State& state, DbBackend backend)
{
    ConsoleCatalog& filled = Catalog(backend);
    if (!benchsupport::CatalogUsable(filled, state))
        return;
    const BareConnection bare(filled.catalog.Parameters(), backend);
    if (!bare.IsOpen()) {
        state.SkipWithError("the bare connection failed");
        return;
    }
    const auto ours = [&] {
        std::vector<CallLogEntry> rows;
        int count = 0;
        return filled.database->CountCallLog(kPbxId, 255, 0, nullptr, nullptr, &rows, count) == kNoError &&
               count == kRows && rows.size() == static_cast<std::size_t>(kRows);
    };
    const auto bareRead = [&] {
        QSqlQuery query;
        std::vector<int> at;
        if (!bare.Run(query, at, {"IndiceEsterna", "Scatti", "Uscente", "IndiceDerivato", "DataInizio", "Durata",
                                  "NumeroChiamato"}))
            return false;
        std::vector<CallLogEntry> rows;
        while (query.next()) {
            CallLogEntry entry;
            entry.line = query.value(at[0]).toInt();
            entry.pulses = query.value(at[1]).toInt();
            entry.direction = query.value(at[2]).toInt();
            entry.extension = query.value(at[3]).toInt();
            entry.start = DateFromStored(query.value(at[4]));
            entry.duration = DateFromStored(query.value(at[5]));
            entry.number = query.value(at[6]).toString();
            rows.push_back(std::move(entry));
        }
        return rows.size() == static_cast<std::size_t>(kRows);
    };
    benchpairing::PairedSeconds seconds;
    if (benchpairing::TimeInTurn(state, ours, bareRead, seconds))
        ReportRates(state, seconds);
}

void QueryCallLogSqlite(benchmark::State& state) { QueryCallLogIntoRows(state, DbBackend::kSqlite); }
void CountCallLogSqlite(benchmark::State& state) { CountCallLogWithRows(state, DbBackend::kSqlite); }
void QueryCallLogPostgres(benchmark::State& state) { QueryCallLogIntoRows(state, DbBackend::kPostgres); }
void CountCallLogPostgres(benchmark::State& state) { CountCallLogWithRows(state, DbBackend::kPostgres); }

BENCHMARK(QueryCallLogSqlite)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CountCallLogSqlite)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(QueryCallLogPostgres)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CountCallLogPostgres)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);  // QtSql loads its drivers as plugins
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
