// The statistics mode of the view on a real call log: the ten views, their lists and charts, the group
// errors, group ids past one byte, and the extension-groups command.
#include "callstatistics.h"
#include "chartcontrol.h"
#include "dbtest.h"
#include "grouptesting.h"
#include "language.h"
#include "pbxinitialization.h"
#include "pbxtables.h"
#include "ratingdatabase.h"
#include "ratinglist.h"
#include "ratingtestdata.h"
#include "testcallrecords.h"
#include "valuxaview.h"
#include "viewtesting.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>

namespace {

constexpr int kPulsePbx = 0;
constexpr int kTimingPbx = 1;
constexpr int kPulseExtensions = 8;
constexpr int kPulseLines = 4;
constexpr int kCostRows = CallStatistics::kCostRows;
constexpr int kOtherRow = kCostRows - 1;
const OleDate kDay(2026, 12, 3);

class ViewStatisticsTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(kLanguageItalian);
        TariffRecord& pulse = data.configuration.tariffs.tariffs[TariffTable::kPulseTariff];
        pulse.pulseCost = kTestPulseCost;
        pulse.answerCharge = kTestAnswerCharge;
        catalog = StartEngineDatabaseWithPbx(kPulsePbx, QStringLiteral("A"));
        ASSERT_EQ(catalog->InsertEngineConfiguration(kTimingPbx, QStringLiteral("B"), 0), kNoError);
        ASSERT_EQ(catalog->ConnectAndCreateSchema(kServer), kNoError);
        database = std::make_unique<CRatingDatabase>(Parameters());
        ASSERT_EQ(database->Connect(kServer), kNoError);
        ASSERT_EQ(database->CreateGroupsTable(), kNoError);
        // PBX 0 handles 12 extensions and found 8: the statistics know the 8.
        QByteArray initialization = TestInitialization(12, kPulseLines);
        initialization[PbxInitialization::kExtensionCountOffset] = kPulseExtensions;
        tables.SetPbx(kPulsePbx, QStringLiteral("A"), initialization, TestSystemConfiguration(false), {});
        SetTestPbx(tables, kTimingPbx, 5, 2, true);
        statistics = std::make_unique<CallStatistics>(*database, tables, data.configuration, callTypes);
        MakeView();
    }

    void TearDown() override
    {
        view.reset();
        SetLanguage(kLanguageItalian);
        QLocale::setDefault(QLocale::c());
    }

    void MakeView()
    {
        view = std::make_unique<CValuxaView>(data.configuration, data.pbxs, data.tariffPictures, data.rulePictures,
                                             false);
        view->SetDatabase(database.get());
        view->SetStatistics(statistics.get());
        view->SetGroupLister(DatabaseGroupLister(*database));
        view->show();
        view->OnInitialUpdate();
        view->m_statisticsStart = kDay;
        view->m_statisticsEnd = kDay.AddDays(1);
    }

    // An outgoing call of extension index `extension` of PBX 0, `minutes` after the day began.
    void Store(int extension, int minutes, quint32 pulses, const QString& number, int seconds = 65)
    {
        ASSERT_EQ(catalog->InsertLoggedCall(kPulsePbx,
                                            PbxLogRecord(kDay.AddSeconds(minutes * 60), seconds, 1, pulses, 1, number),
                                            ViewFixtureData::kFirstExtensionNumber + extension),
                  kNoError);
    }

    std::int32_t AddGroup(const QString& name, int pbx, std::vector<int> members)
    {
        return InsertTestGroup(*database, name, pbx, members);
    }

    // Shows an analysis with its subject (an index, or a group id for analyses 3 and 4) and runs it; the
    // texts of the boxes it shows are kept.
    void Analyse(int analysis, int pbx, int subject)
    {
        view->m_statisticsAnalysis = static_cast<std::uint8_t>(analysis);
        view->m_statisticsPbx = static_cast<std::uint8_t>(pbx);
        if (analysis >= 3)
            view->m_statisticsGroup = subject;
        else if (analysis == 2)
            view->m_statisticsLine = static_cast<std::uint8_t>(subject);
        else
            view->m_statisticsExtension = static_cast<std::uint8_t>(subject);
        view->ResetMode();
        view->SetViewMode(kStatisticsMode, analysis, 0);
        Run(CValuxaView::kComputeCommand);
    }

    void Run(int command)
    {
        boxes.clear();
        ModalAnswerer answerer([&](QDialog* shown) {
            if (auto box = qobject_cast<QMessageBox*>(shown))
                boxes.append(box->text());
            else
                dialogs.append(shown->objectName());
            shown->reject();
        });
        PostAndSettle(*view, command);
    }

    QStringList Row(int row) const
    {
        QStringList texts;
        for (int column = 0; column < view->List()->ColumnCount(); ++column)
            texts << view->List()->Text(row, column);
        return texts;
    }

    QStringList Column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < view->List()->RowCount(); ++row)
            texts << view->List()->Text(row, column);
        return texts;
    }

    ViewFixtureData data;
    PbxTables tables;
    CallTypeTable callTypes = TestCallTypes();
    std::unique_ptr<CSqlDatabase> catalog;
    std::unique_ptr<CRatingDatabase> database;
    std::unique_ptr<CallStatistics> statistics;
    std::unique_ptr<CValuxaView> view;
    QStringList boxes;
    QStringList dialogs;
};

TEST_P(ViewStatisticsTest, OneExtensionsCostsByCallTypeWithTheTotal)
{
    Store(2, 10, 3, QStringLiteral("8001"));
    Store(2, 20, 2, QStringLiteral("8002"), 125);
    Store(3, 30, 4, QStringLiteral("8003"));  // another extension's call
    Analyse(0, kPulsePbx, 2);

    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'|').toStdString();
    EXPECT_EQ(view->Title()->text(), QStringLiteral("Analisi dei costi INT. 12 (03/12/2026 : 04/12/2026)"));
    ASSERT_EQ(view->List()->ColumnCount(), 7);
    EXPECT_EQ(view->List()->Heading(3), QStringLiteral("Costo %"));
    ASSERT_EQ(view->List()->RowCount(), kCostRows + 2);
    QStringList names;
    for (const RatingRule& type : callTypes.rules)
        names << type.name;
    EXPECT_EQ(Column(0).mid(0, kCostRows), names + QStringList{QStringLiteral("Altre")});

    // A call type without calls: zeros, and no label on its bar.
    EXPECT_EQ(Row(0).mid(1), (QStringList{"0.00", "0.00", "0.00", "0:00:00", "0:00:00", "0.00"}));
    const double cost = 5 * kTestPulseCost + 2 * kTestAnswerCharge;
    const QStringList other = Row(kOtherRow);
    EXPECT_EQ(other[1], QString::asprintf("%0.2f", cost));
    EXPECT_EQ(other[2], QString::asprintf("%0.2f", cost / 2));
    EXPECT_EQ(other[3], QStringLiteral("100.00"));
    EXPECT_EQ(other[4], QStringLiteral("0:03:10"));
    EXPECT_EQ(other[5], QStringLiteral("0:01:35"));
    EXPECT_EQ(Row(kCostRows), QStringList(7));
    const QStringList total = Row(kCostRows + 1);
    EXPECT_EQ(total[0], QStringLiteral("TOTALE"));
    EXPECT_EQ(total[1], other[1]);
    EXPECT_EQ(total[4], QStringLiteral("0:03:10"));

    // The charts: values and labels in the user's decimal separator.
    CChartControl* chart1 = view->Chart1();
    CChartControl* chart2 = view->Chart2();
    EXPECT_TRUE(chart2->isVisible());
    ASSERT_EQ(chart1->ColumnCount(), kCostRows);
    EXPECT_EQ(chart1->ColumnLabel(kOtherRow), QStringLiteral("Altre"));
    EXPECT_FALSE(chart1->PointLabelsShown(0));
    EXPECT_TRUE(chart1->PointLabelsShown(kOtherRow));
    EXPECT_EQ(chart1->PointLabel(0, kOtherRow), QString::asprintf("%0.2f", cost).replace(u'.', u',') + u'\u20AC');
    EXPECT_EQ(chart2->PointLabel(0, kOtherRow), QStringLiteral("100,0%"));
    EXPECT_FALSE(chart2->PointLabelsShown(1));
    EXPECT_TRUE(Button(*view, 1009)->isEnabled());
    EXPECT_TRUE(Button(*view, 1010)->isEnabled());
}

TEST_P(ViewStatisticsTest, CallsThatCostNothingShowNoShare)
{
    Store(1, 10, 0, QStringLiteral("8001"));
    Store(1, 20, 0, QStringLiteral("0612345678"));
    Analyse(0, kPulsePbx, 1);
    ASSERT_EQ(view->List()->RowCount(), kCostRows + 2);
    EXPECT_EQ(Column(3).mid(0, kCostRows), QStringList(kCostRows, QStringLiteral("0.00")));
    EXPECT_EQ(Row(kCostRows + 1)[1], QStringLiteral("0.00"));
    for (int type = 0; type < kCostRows; ++type) {
        EXPECT_FALSE(view->Chart1()->PointLabelsShown(type)) << type;
        EXPECT_FALSE(view->Chart2()->PointLabelsShown(type)) << type;
    }
}

TEST_P(ViewStatisticsTest, AllExtensionsAreTheDetectedOnesWithOneChart)
{
    Store(0, 10, 3, QStringLiteral("8001"));
    Store(7, 20, 2, QStringLiteral("8002"));
    Analyse(0, kPulsePbx, kPulseExtensions);  // the item after the last extension

    EXPECT_EQ(view->Title()->text(), QStringLiteral("Analisi dei costi Tutti i derivati (03/12/2026 : 04/12/2026)"));
    EXPECT_EQ(view->List()->Heading(0), QStringLiteral("Derivato"));
    ASSERT_EQ(view->List()->RowCount(), kPulseExtensions * kCostRows + 2);
    EXPECT_EQ(Row(7 * kCostRows + kOtherRow).mid(0, 2), (QStringList{"INT. 17", "Altre"}));
    const QStringList total = Row(kPulseExtensions * kCostRows + 1);
    EXPECT_EQ(total[0], QStringLiteral("TOTALE"));
    EXPECT_EQ(total[2], QString::asprintf("%0.2f", 5 * kTestPulseCost + 2 * kTestAnswerCharge));
    EXPECT_EQ(total[5], QStringLiteral("0:02:10"));
    EXPECT_FALSE(view->Chart2()->isVisible());
    CChartControl* chart = view->Chart1();
    ASSERT_EQ(chart->RowCount(), kPulseExtensions);
    EXPECT_EQ(chart->RowLabel(7), QStringLiteral("INT. 17"));
    EXPECT_DOUBLE_EQ(chart->Value(7, kOtherRow), 2 * kTestPulseCost + kTestAnswerCharge);
    EXPECT_TRUE(chart->PointLabelsShown(0));
}

TEST_P(ViewStatisticsTest, EfficiencyAndLineViews)
{
    Store(2, 10, 3, QStringLiteral("8001"), 150);
    Analyse(1, kPulsePbx, 2);
    ASSERT_EQ(view->List()->ColumnCount(), 4);
    ASSERT_EQ(view->List()->RowCount(), 4 + 2);
    EXPECT_EQ(Column(0).mid(0, 4),
              (QStringList{"IN - Interne", "OUT - Interne", "IN - Esterne", "OUT - Esterne"}));
    EXPECT_EQ(Row(3).mid(1), (QStringList{"0:02:30", "0:02:30", "100.00"}));
    EXPECT_EQ(Row(5)[1], QStringLiteral("0:02:30"));
    EXPECT_EQ(view->Chart1()->PointLabel(0, 3), QStringLiteral("2,50min"));
    EXPECT_EQ(view->Title()->text(), QStringLiteral("Analisi di efficienza INT. 12 (03/12/2026 : 04/12/2026)"));

    Analyse(1, kPulsePbx, kPulseExtensions);
    EXPECT_EQ(view->List()->RowCount(), kPulseExtensions * 4 + 2);
    EXPECT_EQ(Row(kPulseExtensions * 4 + 1)[2], QStringLiteral("0:02:30"));
    EXPECT_FALSE(view->Chart1()->PointLabelsShown(3));

    Analyse(2, kPulsePbx, kPulseLines);
    EXPECT_EQ(view->List()->Heading(0), QStringLiteral("Linea"));
    EXPECT_EQ(view->List()->RowCount(), kPulseLines * kCostRows + 2);
    EXPECT_EQ(view->Chart1()->RowLabel(0), QStringLiteral("EXT. 1"));
    Analyse(2, kPulsePbx, 1);  // the line the call took
    EXPECT_EQ(Row(kOtherRow)[3], QStringLiteral("100.00"));
    EXPECT_EQ(view->Title()->text(), QStringLiteral("Analisi dei costi EXT. 2 (03/12/2026 : 04/12/2026)"));
}

TEST_P(ViewStatisticsTest, GroupErrors)
{
    // A PBX without groups, in both all-groups views.
    for (const int analysis : {3, 4}) {
        Analyse(analysis, kTimingPbx, 0);
        EXPECT_EQ(boxes, QStringList{"Non ci sono gruppi impostati per il centralino selezionato"}) << analysis;
        EXPECT_EQ(view->List()->RowCount(), 0);
        EXPECT_FALSE(Button(*view, 1009)->isEnabled());
    }

    Store(1, 10, 3, QStringLiteral("8001"));
    AddGroup(QStringLiteral("Primo"), kPulsePbx, {1});
    const std::int32_t empty = AddGroup(QStringLiteral("Vuoto"), kPulsePbx, {2});
    AddGroup(QStringLiteral("Terzo"), kPulsePbx, {3});
    ASSERT_TRUE(Catalog().Execute(QStringLiteral("UPDATE Groups SET NumElement=0 WHERE ID=%1").arg(empty)));
    for (const int analysis : {3, 4}) {
        // One group without members: the error, and nothing but the columns.
        Analyse(analysis, kPulsePbx, empty);
        EXPECT_EQ(boxes, QStringList{"Errore nel caricamento dei dati del gruppo"}) << analysis;
        EXPECT_EQ(view->List()->RowCount(), 0);
        EXPECT_GT(view->List()->ColumnCount(), 0);
        // All groups stop at it: the first group's rows stay, no total.
        Analyse(analysis, kPulsePbx, 0);
        EXPECT_EQ(boxes, QStringList{"Errore nel caricamento dei dati del gruppo"}) << analysis;
        const int rows = analysis == 3 ? kCostRows : 4;
        ASSERT_EQ(view->List()->RowCount(), rows) << analysis;
        EXPECT_EQ(Column(0), QStringList(rows, QStringLiteral("Primo")));
    }
}

TEST_P(ViewStatisticsTest, AGroupIdPastOneByteNamesItsOwnGroup)
{
    // Ids up to 300 on the other PBX, so that this PBX's group has an id that a byte cannot hold.
    ASSERT_TRUE(Catalog().Execute(
        GetParam() == DbBackend::kSqlite
            ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<300) "
                             "INSERT INTO Groups (GroupName,PBXIdentifier,NumElement,Index1) SELECT 'G'||i,1,1,0 FROM n")
            : QStringLiteral("INSERT INTO Groups (GroupName,PBXIdentifier,NumElement,Index1) "
                             "SELECT 'G'||i,1,1,0 FROM generate_series(1,300) AS n(i)")));
    Store(2, 10, 3, QStringLiteral("8001"));
    Store(3, 20, 2, QStringLiteral("8002"));
    Store(4, 30, 9, QStringLiteral("8003"));  // not a member
    const std::int32_t id = AddGroup(QStringLiteral("Vendite"), kPulsePbx, {2, 3});
    ASSERT_GT(id, 300);
    ASSERT_NE(id & 0xFF, 0);

    Analyse(3, kPulsePbx, 0);
    QComboBox* subjects = Combo(*view, 1012);
    const int item = subjects->findText(QStringLiteral("Vendite"));
    ASSERT_GE(item, 0);
    EXPECT_EQ(subjects->itemData(item).toInt(), id);
    subjects->setCurrentIndex(item);
    emit subjects->activated(item);
    EXPECT_EQ(view->m_statisticsGroup, id);
    Run(CValuxaView::kComputeCommand);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(view->Title()->text(), QStringLiteral("Analisi dei costi Vendite (03/12/2026 : 04/12/2026)"));
    ASSERT_EQ(view->List()->RowCount(), kCostRows + 2);
    EXPECT_EQ(Row(kOtherRow)[1], QString::asprintf("%0.2f", 5 * kTestPulseCost + 2 * kTestAnswerCharge));
    EXPECT_EQ(Row(kOtherRow)[2], QString::asprintf("%0.2f", (5 * kTestPulseCost + 2 * kTestAnswerCharge) / 2));
}

TEST_P(ViewStatisticsTest, TheGroupsCommandRebuildsOnlyTheStatistics)
{
    Store(1, 10, 3, QStringLiteral("8001"));
    view->m_accountPbx = kPulsePbx;
    view->m_accountExtension = 1;
    view->m_accountStart = kDay;
    view->m_accountEnd = kDay.AddDays(1);
    view->ResetMode();
    view->SetViewMode(kAccountMode, 1, kPulsePbx);
    Run(CValuxaView::kComputeCommand);
    const int rows = view->List()->RowCount();
    const QString title = view->Title()->text();
    ASSERT_GT(rows, 0);
    AddGroup(QStringLiteral("Nuovo gruppo"), kPulsePbx, {1});
    Run(CValuxaView::kExtensionGroupsCommand);
    EXPECT_EQ(dialogs, QStringList{"146"});
    EXPECT_EQ(view->mode(), kAccountMode);
    EXPECT_EQ(view->List()->RowCount(), rows);
    EXPECT_EQ(view->Title()->text(), title);

    Analyse(3, kPulsePbx, 0);
    QComboBox* subjects = Combo(*view, 1012);
    EXPECT_EQ(subjects->count(), 2);  // the group and "Tutti i gruppi"
    AddGroup(QStringLiteral("Altro gruppo"), kPulsePbx, {2});
    Run(CValuxaView::kExtensionGroupsCommand);
    EXPECT_EQ(view->mode(), kStatisticsMode);
    EXPECT_EQ(subjects->count(), 3);
    EXPECT_EQ(view->List()->RowCount(), 0);
}

// Every statistics view in both languages, pictured; the English ones keep no Italian heading or name.
TEST_P(ViewStatisticsTest, EveryViewInBothLanguages)
{
    if (GetParam() != DbBackend::kSqlite)
        GTEST_SKIP() << "pictured once";
    for (int extension = 0; extension < kPulseExtensions; ++extension)
        for (int call = 0; call <= extension % 3; ++call)
            Store(extension, 10 * extension + call,
                  static_cast<quint32>(1 + call + extension),
                  QStringList{"0044123456", "0612345678", "021234567", "3471234567", "8001"}[(extension + call) % 5],
                  60 + 30 * call);
    const std::int32_t group = AddGroup(QStringLiteral("Vendite"), kPulsePbx, {1, 2, 3});
    AddGroup(QStringLiteral("Amministrazione"), kPulsePbx, {4, 5});
    struct View {
        int analysis;
        int subject;
        bool all;
        const char* name;
    };
    const View views[] = {{0, 2, false, "cost_extension"},       {0, kPulseExtensions, true, "cost_all_extensions"},
                          {1, 2, false, "efficiency_extension"}, {1, kPulseExtensions, true, "efficiency_all_extensions"},
                          {2, 1, false, "cost_line"},            {2, kPulseLines, true, "cost_all_lines"},
                          {3, group, false, "cost_group"},       {3, 0, true, "cost_all_groups"},
                          {4, group, false, "efficiency_group"}, {4, 0, true, "efficiency_all_groups"}};
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        callTypes = TestCallTypes();  // named in the language, as the program builds them at start
        MakeView();
        const QString suffix = language == kLanguageEnglish ? QStringLiteral("_en") : QStringLiteral("_it");
        for (const View& shown : views) {
            Analyse(shown.analysis, kPulsePbx, shown.subject);
            EXPECT_TRUE(boxes.isEmpty()) << shown.name;
            EXPECT_GT(view->List()->RowCount(), 0) << shown.name;
            SaveScreenshot(*view, QStringLiteral("rating_statistics_") + QLatin1StringView(shown.name) + suffix);
            if (language == kLanguageEnglish) {
                const QString title = view->Title()->text();
                EXPECT_TRUE(title.startsWith(QStringLiteral("Cost analysis")) ||
                            title.startsWith(QStringLiteral("Efficiency analysis")))
                    << title.toStdString();
                EXPECT_FALSE(Column(0).contains(QStringLiteral("TOTALE"))) << shown.name;
                EXPECT_FALSE(Column(shown.all ? 1 : 0)
                                 .contains(QStringLiteral("Altre")))
                    << shown.name;
                EXPECT_EQ(view->Chart1()->PointLabel(0, 0).contains(u','), false) << shown.name;
            }
        }
    }
}

INSTANTIATE_DB_TEST(ViewStatisticsTest);

}  // namespace
