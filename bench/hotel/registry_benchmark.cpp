// The customer register's window filled with 20,000 customers (CRegistryListDlg::Fill: the query, the list's
// rows and their tips) against the same query into a plain RowList, on SQLite and on PostgreSQL, the two
// timed in turn. Reports rows per second for both. PostgreSQL runs on the cluster named by
// SUITE_TEST_PGHOST; without it that run is skipped.

#include "hotelbenchsupport.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"
#include "language.h"
#include "pairedtiming.h"
#include "registrylistdlg.h"
#include "rowlist.h"
#include "sortlistctrl.h"

namespace {

using lodgix::CHotelDatabase;

constexpr int kGuests = 20000;

struct RegisterCatalog {
    explicit RegisterCatalog(DbBackend backend) : catalog(backend) {}
    TestCatalog catalog;
    std::unique_ptr<CHotelDatabase> database;
    QString failure;
};

QString Fill(RegisterCatalog& data)
{
    if (!data.catalog.SkipReason().isEmpty())
        return data.catalog.SkipReason();
    {
        CSqlDatabase engine(data.catalog.Parameters());
        if (engine.ConnectAndCreateSchema(hotelbench::kServer) != kNoError)
            return QStringLiteral("the catalog could not be made");
    }
    data.database = std::make_unique<CHotelDatabase>(data.catalog.Parameters());
    CHotelDatabase& db = *data.database;
    if (db.Connect(hotelbench::kServer) != kNoError || lodgix::CreateMasterTables(db) != kNoError ||
        db.BeginTransaction() != kNoError)
        return QStringLiteral("the register could not be made: ") + db.LastError();
    for (int n = 0; n < kGuests; ++n) {
        lodgix::GuestRecord guest;
        guest.name = QStringLiteral("Cliente %1").arg(n, 5, 10, QLatin1Char('0'));
        guest.address = QStringLiteral("Via Roma %1").arg(n % 300);
        guest.city = QStringLiteral("Trento");
        guest.province = QStringLiteral("TN");
        guest.country = QStringLiteral("Italia");
        guest.phone1 = QStringLiteral("0461 %1").arg(100000 + n);
        guest.documentType = QStringLiteral("Passaporto");
        guest.documentNumber = QStringLiteral("YA%1").arg(n);
        guest.issuedBy = QStringLiteral("Questura");
        guest.dateOfBirth = QDate(1950, 1, 1).addDays(n % 20000);
        guest.birthPlace = QStringLiteral("Bolzano (BZ)");
        guest.birthCountry = QStringLiteral("Italia");
        guest.taxCode = QStringLiteral("TX%1").arg(n);
        int id = 0;
        if (db.InsertGuest(guest, id) != kNoError)
            return db.LastError();
    }
    return db.CommitTransaction() == kNoError ? QString() : db.LastError();
}

RegisterCatalog& Catalog(DbBackend backend)
{
    static hotelbench::CatalogCache<RegisterCatalog> catalogs(Fill);
    return catalogs.For(backend);
}

void FillRegister(benchmark::State& state, DbBackend backend)
{
    SetLanguage(1);
    RegisterCatalog& data = Catalog(backend);
    if (!data.failure.isEmpty()) {
        state.SkipWithError(data.failure.toStdString().c_str());
        return;
    }
    lodgix::CRegistryListDlg window(lodgix::CRegistryListDlg::kGuests, *data.database, nullptr);
    const auto ours = [&] {
        window.Fill();
        return window.List().ItemCount() == kGuests;
    };
    const auto rowList = [&] {
        RowList rows;
        return data.database->FillGuestList(rows) == CHotelDatabase::kFilled && rows.Count() == kGuests;
    };
    benchpairing::PairedSeconds seconds;
    if (!benchpairing::TimeInTurn(state, ours, rowList, seconds))
        return;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["rows_per_second"] = kGuests * iterations / seconds.ours;
    state.counters["rowlist_rows_per_second"] = kGuests * iterations / seconds.baseline;
    state.counters["window_ms"] = 1000 * seconds.ours / iterations;
    state.counters["rowlist_ms"] = 1000 * seconds.baseline / iterations;
}

void RegistryFillSqlite(benchmark::State& state) { FillRegister(state, DbBackend::kSqlite); }
void RegistryFillPostgres(benchmark::State& state) { FillRegister(state, DbBackend::kPostgres); }

BENCHMARK(RegistryFillSqlite)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(RegistryFillPostgres)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
