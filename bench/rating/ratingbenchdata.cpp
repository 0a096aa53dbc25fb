#include "ratingbenchdata.h"

#include "callrating.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "engineerrorcode.h"
#include "pbxinitialization.h"
#include "pbxtables.h"
#include "pbxsystemconfiguration.h"

RatingConfiguration BenchRatingConfiguration()
{
    RatingConfiguration configuration;
    BuildDefaultPrefixGroups(QStringLiteral("071"), QStringLiteral("Ancona"), configuration.prefixGroups);
    BuildDefaultRules(configuration.rules, configuration.prefixGroups);
    BuildDefaultTariffs(configuration.tariffs, configuration.variations);
    return configuration;
}

QByteArray BenchTimingConfiguration()
{
    QByteArray record(PbxSystemConfiguration::kSize, '\0');
    record[kExtensionBitmap1Byte] = static_cast<char>(kLogsDurationsBit);
    return record;
}

std::unique_ptr<CRatingDatabase> PrepareBenchCalls(benchmark::State& state, TestCatalog& catalog, int extensions)
{
    if (!catalog.SkipReason().isEmpty()) {
        state.SkipWithError(catalog.SkipReason().toStdString().c_str());
        return nullptr;
    }
    auto database = std::make_unique<CRatingDatabase>(catalog.Parameters());
    if (database->ConnectAndCreateSchema(QString()) != kNoError ||
        database->InsertEngineConfiguration(0, QStringLiteral("PBX1"), 0) != kNoError ||
        database->ConnectAndCreateSchema(QString()) != kNoError) {
        state.SkipWithError("the catalog could not be made");
        return nullptr;
    }
    const bool sqlite = catalog.Parameters().backend == DbBackend::kSqlite;
    const QString series = sqlite ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n "
                                                   "WHERE i<%1) ")
                                        .arg(kBenchCalls - 1)
                                  : QString();
    const QString source = sqlite ? QStringLiteral("n") : QStringLiteral("generate_series(0,%1) AS n(i)").arg(kBenchCalls - 1);
    // Numbers of every kind: local, long distance, mobile, international. (Built by joining, as the
    // statement's "%" would otherwise be taken for argument markers.)
    const QString insert =
        QStringLiteral("INSERT INTO LogCalls (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,Durata,IndiceEsterna,"
                       "Scatti,Totale,Uscente,NumeroChiamato) SELECT 0,") +
        QString::number(kBenchFirstExtensionNumber) + QStringLiteral("+i%") + QString::number(extensions) +
        QStringLiteral(",'2024-05-13 10:00:00','2024-05-13 10:05:00','2000-01-01 00:05:00',i%4,30+i%600,0,1,"
                       "CASE i%4 WHEN 0 THEN '071' WHEN 1 THEN '02' WHEN 2 THEN '347' ELSE '0044' END || "
                       "(1000000+i%1000) FROM ") +
        source;
    if (!catalog.Execute(series + insert)) {
        state.SkipWithError("the calls could not be stored");
        return nullptr;
    }
    return database;
}

void SetBenchPbx(PbxTables& tables, int extensions)
{
    QByteArray initialization(PbxInitialization::kSize, '\0');
    initialization[1] = static_cast<char>(extensions);
    initialization[PbxInitialization::kExtensionCountOffset] = static_cast<char>(extensions);
    tables.SetPbx(0, QStringLiteral("PBX1"), initialization, BenchTimingConfiguration(), {});
}
