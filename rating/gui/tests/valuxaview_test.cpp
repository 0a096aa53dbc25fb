#include "chartcontrol.h"
#include "ratinglist.h"
#include "stringtable.h"
#include "valuxaview.h"
#include "viewstrings.h"
#include "viewtesting.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>

#include <gtest/gtest.h>

#include <numeric>

namespace {

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QStringLiteral("it_IT"))); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    std::unique_ptr<CValuxaView> MakeView(bool protectedConfiguration = false)
    {
        auto view = std::make_unique<CValuxaView>(data.configuration, data.pbxs, data.tariffPictures,
                                                  data.rulePictures, protectedConfiguration);
        view->show();
        view->OnInitialUpdate();
        return view;
    }

    ViewFixtureData data;
};

TEST(ViewColumns, HistoryHasFourVariantsAndTheAccountEighths)
{
    struct Case {
        std::uint8_t mode;
        std::uint8_t options;
        bool durations;
        std::size_t columns;
        int units;
        bool hasPulses;
    } const cases[] = {
        {kHistoryMode, kShowSecondColumnOption, true, 7, 12, false},
        {kHistoryMode, kShowSecondColumnOption, false, 8, 12, true},
        {kHistoryMode, 0, true, 6, 12, false},
        {kLineHistoryMode, kHideDigitsOption, false, 7, 12, true},
        {kAccountMode, 0, true, 4, 8, false},
        {kAccountMode, 0, false, 5, 8, true},
        {kPrefixesMode, 0, false, 2, 6, false},
        {kRulesMode, 0, false, 0, 0, false},
    };
    for (const Case& c : cases) {
        const std::vector<ViewColumn> columns = ModeColumns(c.mode, c.options, c.durations);
        ASSERT_EQ(columns.size(), c.columns) << int(c.mode) << " " << int(c.options);
        EXPECT_EQ(std::accumulate(columns.begin(), columns.end(), 0,
                                  [](int sum, const ViewColumn& column) { return sum + column.units; }),
                  c.units);
        EXPECT_EQ(std::any_of(columns.begin(), columns.end(), [](const ViewColumn& c) { return c.heading == kPulsesText; }),
                  c.hasPulses);
    }
    const std::vector<ViewColumn> lines = ModeColumns(kLineHistoryMode, kShowSecondColumnOption, true);
    EXPECT_EQ(lines[2].heading, kExtensionText);  // the calling extension in place of the line
    EXPECT_TRUE(lines.back().centred);
}

TEST_F(ViewTest, FirstRunOpensTheAccountOfExtensionZeroAndStartsLineHistoryOnFirstJanuary)
{
    QMainWindow frame;
    auto view = new CValuxaView(data.configuration, data.pbxs, data.tariffPictures, data.rulePictures, false);
    frame.setCentralWidget(view);
    frame.show();
    view->OnInitialUpdate();
    EXPECT_EQ(view->mode(), kAccountMode);
    EXPECT_EQ(Combo(*view, 1005)->currentIndex(), 0);
    EXPECT_EQ(Combo(*view, 1005)->count(), 8);
    EXPECT_EQ(Combo(*view, 1018)->currentData().toInt(), 0);
    EXPECT_EQ(view->List()->ColumnCount(), 5);  // PBX 0 counts pulses
    EXPECT_EQ(view->Title()->text(), QStringLiteral("ADDEBITI"));
    EXPECT_EQ(view->m_lineHistoryStart, OleDate(OleDate::Now().Year(), 1, 1));
    EXPECT_EQ(data.configuration.viewState.lineHistoryStart, OleDate(OleDate::Now().Year(), 1, 1));
    EXPECT_FALSE(Button(*view, 1009)->isEnabled());
    EXPECT_TRUE(Button(*view, 1008)->isEnabled());
    EXPECT_FALSE(Button(*view, 1006)->text().isEmpty());  // the period start
    EXPECT_NE(view->findChild<QTimer*>(QStringLiteral("timer1")), nullptr);
    SaveScreenshot(frame, QStringLiteral("rating_view_mode6"));

    const struct {
        int command;
        std::uint8_t mode;
        const char* name;
    } modes[] = {{CValuxaView::kHistoryCommand, kHistoryMode, "rating_view_mode1"},
                 {CValuxaView::kRulesCommand, kRulesMode, "rating_view_mode2"},
                 {CValuxaView::kPrefixesCommand, kPrefixesMode, "rating_view_mode3"},
                 {CValuxaView::kTariffsCommand, kTariffsMode, "rating_view_mode4"},
                 {CValuxaView::kStatisticsCommand, kStatisticsMode, "rating_view_mode5"},
                 {CValuxaView::kLineHistoryCommand, kLineHistoryMode, "rating_view_mode7"}};
    for (const auto& m : modes) {
        ASSERT_TRUE(view->OnCommand(m.command));
        EXPECT_EQ(view->mode(), m.mode);
        EXPECT_EQ(view->IsCommandChecked(m.command), true);
        EXPECT_EQ(view->IsCommandChecked(CValuxaView::kHistoryCommand), m.mode == kHistoryMode);
        SaveScreenshot(frame, QLatin1StringView(m.name));
    }
    EXPECT_FALSE(view->OnCommand(CValuxaView::kCallLoggerCommand));  // the call-logger dialog is not the view's
    EXPECT_FALSE(view->IsCommandChecked(57600));
}

TEST_F(ViewTest, SelectionsOfAPbxNoLongerPresentFallBack)
{
    ViewState& state = data.configuration.viewState;
    state.accountPbx = 7;     // beyond the PBXs
    state.historyPbx = 0;
    state.historyExtension = 8;  // PBX 0 has 8 extensions
    state.lineHistoryPbx = 1;
    state.lineHistoryLine = 2;   // PBX 1 has 2 lines
    state.statisticsPbx = 0;
    state.statisticsExtension = 8;  // "all extensions" stays
    state.statisticsLine = 5;       // past "all lines"
    data.pbxs.pbxs[1].present = false;
    CValuxaView view(data.configuration, data.pbxs, data.tariffPictures, data.rulePictures, false);
    EXPECT_EQ(view.m_accountPbx, 0);  // the highest present PBX
    EXPECT_EQ(view.m_lineHistoryPbx, 0);
    EXPECT_EQ(view.m_historyExtension, 0);
    EXPECT_EQ(view.m_lineHistoryLine, 2);  // PBX 0 has 4 lines
    EXPECT_EQ(view.m_statisticsExtension, 8);
    EXPECT_EQ(view.m_statisticsLine, 0);
}

TEST_F(ViewTest, SameModeFillsOnlyAndAnOptionRebuildsTheColumns)
{
    auto view = MakeView();
    view->OnCommand(CValuxaView::kHistoryCommand);
    EXPECT_EQ(view->List()->ColumnCount(), 7);
    view->List()->AddRow({QStringLiteral("01/12/2026")}, 0);
    view->SetViewMode(kHistoryMode, 3, 0);
    EXPECT_EQ(view->List()->RowCount(), 1);  // not rebuilt
    EXPECT_EQ(Combo(*view, 1005)->currentIndex(), 3);

    view->findChild<QCheckBox*>(QStringLiteral("1016"))->click();
    EXPECT_EQ(view->m_historyOptions, kShowSecondColumnOption);
    EXPECT_EQ(view->List()->ColumnCount(), 8);
    EXPECT_EQ(view->List()->RowCount(), 0);
    EXPECT_TRUE(view->findChild<QCheckBox*>(QStringLiteral("1016"))->isChecked());

    // A PBX that reports durations has no pulses column; its extensions fill the combo.
    Combo(*view, 1018)->setCurrentIndex(1);
    view->OnSelChangePbx();
    EXPECT_EQ(view->m_historyPbx, 1);
    EXPECT_EQ(view->List()->ColumnCount(), 7);
    EXPECT_EQ(Combo(*view, 1005)->count(), 5);
}

TEST_F(ViewTest, ProtectionDisablesEveryEditingButton)
{
    auto view = MakeView(true);
    for (int command : {CValuxaView::kRulesCommand, CValuxaView::kPrefixesCommand, CValuxaView::kTariffsCommand}) {
        view->OnCommand(command);
        view->OnListClick(1);
        for (int id = 1006; id <= 1010; ++id)
            EXPECT_FALSE(Button(*view, id)->isVisible() && Button(*view, id)->isEnabled()) << command << " " << id;
    }
    view->OnCommand(CValuxaView::kHistoryCommand);
    EXPECT_TRUE(Button(*view, 1008)->isEnabled());
    EXPECT_FALSE(view->findChild<QCheckBox*>(QStringLiteral("1015"))->isEnabled());
    view->SetViewMode(kAccountMode, 0, 0);
    EXPECT_TRUE(Button(*view, 1008)->isEnabled());
}

TEST_F(ViewTest, PrefixButtonsFollowTheGroupsSize)
{
    PrefixGroup& full = data.configuration.prefixGroups.groups[2];
    full.entries.clear();
    for (int i = 0; i < PrefixGroup::kMaxEntries; ++i)
        full.entries.push_back({QString::number(3000 + i), QStringLiteral("P%1").arg(i, 3, 10, QChar(u'0'))});
    PrefixGroup& single = data.configuration.prefixGroups.groups[3];
    single.entries.resize(1);
    auto view = MakeView();

    view->m_selectedPrefixGroup = 2;
    view->OnCommand(CValuxaView::kPrefixesCommand);
    EXPECT_EQ(view->List()->RowCount(), 513);
    EXPECT_EQ(view->Title()->text(), full.name);
    ASSERT_EQ(view->List()->RowData(0), 512);  // the empty row sorts first
    view->OnListClick(0);
    EXPECT_EQ(Button(*view, 1006)->text(), QStringLiteral("Nuovo prefisso"));
    EXPECT_FALSE(Button(*view, 1006)->isEnabled());
    view->OnListClick(5);
    EXPECT_EQ(Button(*view, 1006)->text(), QStringLiteral("Modifica prefisso"));
    EXPECT_TRUE(Button(*view, 1007)->isEnabled());

    Combo(*view, 1005)->setCurrentIndex(3);
    view->OnSelChangeItem();
    EXPECT_EQ(view->m_selectedPrefixGroup, 3);
    EXPECT_EQ(view->List()->RowCount(), 2);
    view->OnListClick(1);
    EXPECT_TRUE(Button(*view, 1006)->isEnabled());
    EXPECT_FALSE(Button(*view, 1007)->isEnabled());  // a group keeps its last prefix
    view->OnListClick(-1);
    EXPECT_FALSE(Button(*view, 1006)->isEnabled());
}

TEST_F(ViewTest, StatisticsGroupsAreThirtyTwoBitIdsStoredAsAByteWhenTheyFit)
{
    data.configuration.viewState.statisticsAnalysis = 3;
    data.configuration.viewState.statisticsGroup = 9;  // not among the groups read
    std::optional<std::vector<ViewGroup>> groups = std::vector<ViewGroup>{{300, QStringLiteral("Sala d'attesa")},
                                                                          {12, QStringLiteral("Uffici")}};
    {
        auto view = MakeView();
        view->SetGroupLister([&groups](int) { return groups; });
        view->OnCommand(CValuxaView::kStatisticsCommand);
        EXPECT_EQ(view->m_statisticsGroup, 300);
        EXPECT_EQ(Combo(*view, 1012)->count(), 3);
        EXPECT_EQ(Combo(*view, 1012)->currentData().toInt(), 300);
        Combo(*view, 1012)->setCurrentIndex(1);
        view->OnSelChangeSubject();
        EXPECT_EQ(view->m_statisticsGroup, 12);

        // Another PBX: its first group, or all groups when it has none.
        groups = std::vector<ViewGroup>{};
        Combo(*view, 1018)->setCurrentIndex(1);
        view->OnSelChangePbx();
        EXPECT_EQ(view->m_statisticsPbx, 1);
        EXPECT_EQ(view->m_statisticsGroup, 0);
        EXPECT_EQ(Combo(*view, 1012)->currentText(), QStringLiteral("Tutti i gruppi"));

        groups = std::vector<ViewGroup>{{300, QStringLiteral("Sala d'attesa")}};
        Combo(*view, 1018)->setCurrentIndex(0);
        view->OnSelChangePbx();
        EXPECT_EQ(view->m_statisticsGroup, 300);
    }
    EXPECT_EQ(data.configuration.viewState.statisticsGroup, 0);  // 300 does not fit the stored byte
    EXPECT_EQ(data.configuration.viewState.statisticsPbx, 0);
}

TEST_F(ViewTest, ChangingTheAnalysisKeepsPbxAndPeriod)
{
    auto view = MakeView();
    view->OnCommand(CValuxaView::kStatisticsCommand);
    view->m_statisticsPbx = 1;
    const OleDate start = view->m_statisticsStart;
    Combo(*view, 1005)->setCurrentIndex(2);
    view->OnSelChangeItem();
    EXPECT_EQ(view->m_statisticsAnalysis, 2);
    EXPECT_EQ(view->m_statisticsPbx, 1);
    EXPECT_EQ(view->m_statisticsStart, start);
    EXPECT_EQ(Combo(*view, 1012)->count(), 3);  // PBX 1's two lines and "all lines"
    EXPECT_TRUE(view->Chart1()->isVisible());
    EXPECT_FALSE(view->Chart2()->isVisible());
}

}  // namespace
