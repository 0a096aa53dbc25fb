#include "pbxtables.h"

#include "callrating.h"
#include "dbtest.h"
#include "engineerrorcode.h"
#include "extensionlabel.h"
#include "ratinglabels.h"
#include "ratingtestdata.h"

namespace {

constexpr quint8 kLinkDown = 33;

class PbxTablesTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        m_database = StartEngineDatabaseWithPbx(0, QStringLiteral("DOWN"));
        ASSERT_EQ(m_database->InsertEngineConfiguration(1, QStringLiteral("UP"), 0), kNoError);
        ASSERT_EQ(m_database->ConnectAndCreateSchema(kServer), kNoError);
        ASSERT_EQ(m_database->UpdateComStat(0, kLinkDown), kNoError);
        // PBX 1 handles 3 of the 4 extensions it found.
        QByteArray initialization = TestInitialization(4, 6);
        initialization[1] = 3;
        ASSERT_EQ(m_database->SaveInitialization(1, initialization), kNoError);
        ASSERT_EQ(m_database->SaveSystemConfiguration(1, TestSystemConfiguration(true)), kNoError);
        for (int i = 0; i < 4; ++i)
            SaveProgramming(i);
    }

    void SaveProgramming(int extension)
    {
        QByteArray record(50, '\0');
        record[1] = static_cast<char>(extension);
        ASSERT_EQ(m_database->SaveDerivedProgrammation(1, record), kNoError);
    }

    CSqlDatabase& Database() { return *m_database; }

private:
    std::unique_ptr<CSqlDatabase> m_database;
};

TEST_P(PbxTablesTest, LoadsTheReadablePbxsAndKeepsThePendingCode)
{
    PbxTables tables;
    std::vector<unsigned> steps;
    EXPECT_EQ(tables.Load(Database(), [&steps](unsigned id) { steps.push_back(id); }), kLinkDown);
    EXPECT_EQ(steps, (std::vector<unsigned>{PbxTables::kCheckingPbxString, PbxTables::kCheckingPbxString,
                                            PbxTables::kReadingPbxString}));
    EXPECT_EQ(tables.PbxCount(), 2);
    EXPECT_FALSE(tables.IsLoaded(0));
    ASSERT_TRUE(tables.IsLoaded(1));
    EXPECT_TRUE(tables.AnyLoaded());
    EXPECT_EQ(tables.DeviceName(1), QStringLiteral("UP"));
    EXPECT_EQ(tables.ExtensionCount(1), 3);  // the smaller count
    EXPECT_EQ(tables.LineCount(1), 6);
    EXPECT_EQ(tables.SystemConfiguration(1).ExtensionBitmap1(), kLogsDurationsBit);

    EXPECT_EQ(tables.DefaultExtensionNumber(1, 0), QStringLiteral("201"));
    EXPECT_EQ(tables.DefaultExtensionNumber(1, 2), QStringLiteral("203"));
    EXPECT_EQ(tables.DefaultExtensionNumber(1, 3), QString());  // beyond the handled extensions
    EXPECT_EQ(tables.DefaultExtensionNumber(0, 0), QString());  // not loaded
    EXPECT_EQ(tables.DefaultExtensionNumber(5, 0), QString());  // no such PBX

    ASSERT_EQ(Database().SaveDerivedLabel(1, 2, QStringLiteral("Direzione")), kNoError);
    EXPECT_EQ(GetExtensionLabel(Database(), 1, 2, tables.DefaultExtensionNumber(1, 2)), QStringLiteral("Direzione"));
    EXPECT_EQ(GetExtensionLabel(Database(), 1, 1, tables.DefaultExtensionNumber(1, 1)), QStringLiteral("INT. 202"));
    ASSERT_EQ(Database().SaveLineLabel(1, 0, QStringLiteral("Linea Roma")), kNoError);
    EXPECT_EQ(FormatLineName(Database(), 1, 0), QStringLiteral("Linea Roma"));
    EXPECT_EQ(FormatLineName(Database(), 1, 4), QStringLiteral("EXT. 5"));
}

TEST_P(PbxTablesTest, AMissingExtensionRecordSkipsThePbx)
{
    ASSERT_TRUE(Catalog().Execute(QStringLiteral("DELETE FROM DerivedProgrammations_UP WHERE IndiceOggetto=3")));
    ASSERT_EQ(Database().UpdateComStat(0, 0), kNoError);
    ASSERT_TRUE(Catalog().Execute(QStringLiteral("DELETE FROM Initialization_DOWN")));
    PbxTables tables;
    EXPECT_EQ(tables.Load(Database()), kDbTableCheckFailed);
    EXPECT_FALSE(tables.AnyLoaded());
}

INSTANTIATE_DB_TEST(PbxTablesTest);

}  // namespace
