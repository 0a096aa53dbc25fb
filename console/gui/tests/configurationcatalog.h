#pragma once

#include "engineerrorcode.h"
#include "pbxinitialization.h"
#include "pbxsystemconfiguration.h"
#include "sqldatabase.h"
#include "testcatalog.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

// A catalog on one backend as the engine leaves it: the given PBXs on the LAN (the first) and COM2, COM3...
// (the others), each with its initialization (four extensions, three lines, two entry phones, two relays),
// its system configuration and the programming records of its extensions but the last.
class PbxCatalog {
public:
    static constexpr int kExtensions = 4;
    static constexpr int kLines = 3;
    static constexpr int kEntryPhones = 2;
    static constexpr int kRelays = 2;

    explicit PbxCatalog(DbBackend backend) : m_catalog(backend) {}

    // Empty when the backend can be tested here.
    QString SkipReason() const { return m_catalog.SkipReason(); }
    DbParameters Parameters() const { return m_catalog.Parameters(); }

    // The engine's own connection to the catalog, with the PBXs installed.
    CSqlDatabase& Engine(const QStringList& pbxs = {})
    {
        if (!m_engine) {
            m_engine = std::make_unique<CSqlDatabase>(Parameters());
            EXPECT_EQ(m_engine->ConnectAndCreateSchema(QString()), kNoError) << m_engine->LastError().toStdString();
            for (int pbx = 0; pbx < pbxs.size(); ++pbx)
                EXPECT_EQ(m_engine->InsertEngineConfiguration(pbx, pbxs[pbx], pbx == 0 ? 0 : pbx + 1), kNoError);
            EXPECT_EQ(m_engine->ConnectAndCreateSchema(QString()), kNoError);
            for (int pbx = 0; pbx < pbxs.size(); ++pbx)
                SaveRecords(pbx);
        }
        return *m_engine;
    }

    static QByteArray Initialization()
    {
        QByteArray record(PbxInitialization::kSize, '\0');
        const int counts[] = {kExtensions, kLines, kEntryPhones, kRelays};
        for (int kind = 0; kind < 4; ++kind) {
            record[1 + 2 * kind] = char(counts[kind]);  // handled
            record[2 + 2 * kind] = char(counts[kind]);  // found
        }
        const QByteArray model("VX200 v2.1");
        record.replace(PbxInitialization::kVersionOffset, model.size(), model);
        return record;
    }

    // Writes the PBXs' snapshots again, as the engine does at each start (a start of the schema, the
    // first-run wizard's among them, drops them).
    void SaveSnapshots()
    {
        for (int pbx = 0; pbx < m_engine->PbxCount(); ++pbx)
            SaveRecords(pbx);
    }

private:
    void SaveRecords(int pbx)
    {
        EXPECT_EQ(m_engine->SaveInitialization(pbx, Initialization()), kNoError);
        EXPECT_EQ(m_engine->SaveSystemConfiguration(pbx, QByteArray(PbxSystemConfiguration::kSize, '\0')), kNoError);
        for (int extension = 0; extension < kExtensions - 1; ++extension) {
            QByteArray programming(50, '\0');
            programming[1] = char(extension);
            EXPECT_EQ(m_engine->SaveDerivedProgrammation(pbx, programming), kNoError);
        }
    }

    TestCatalog m_catalog;
    std::unique_ptr<CSqlDatabase> m_engine;
};

// A PbxCatalog for each backend a test is instantiated with.
class ConfigurationCatalog : public ::testing::TestWithParam<DbBackend> {
protected:
    static constexpr int kExtensions = PbxCatalog::kExtensions;
    static constexpr int kLines = PbxCatalog::kLines;
    static constexpr int kEntryPhones = PbxCatalog::kEntryPhones;
    static constexpr int kRelays = PbxCatalog::kRelays;

    void SetUp() override
    {
        m_catalog = std::make_unique<PbxCatalog>(GetParam());
        if (!m_catalog->SkipReason().isEmpty())
            GTEST_SKIP() << m_catalog->SkipReason().toStdString();
    }

    DbParameters Parameters() const { return m_catalog->Parameters(); }
    CSqlDatabase& Engine(const QStringList& pbxs = {}) { return m_catalog->Engine(pbxs); }
    static QByteArray Initialization() { return PbxCatalog::Initialization(); }
    void SaveSnapshots() { m_catalog->SaveSnapshots(); }

private:
    std::unique_ptr<PbxCatalog> m_catalog;
};

#define INSTANTIATE_CONFIGURATION_TEST(suite)                                                                   \
    INSTANTIATE_TEST_SUITE_P(Backends, suite, ::testing::Values(DbBackend::kSqlite, DbBackend::kPostgres),     \
                             [](const ::testing::TestParamInfo<DbBackend>& info) {                              \
                                 return BackendName(info.param).toStdString();                                  \
                             })
