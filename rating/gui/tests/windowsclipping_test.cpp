// Every window of Tarivo at the size the program gives it, in both languages, on a real call log: the main
// frame in each mode of its view with the lists filled, and every dialog the view's commands open. No text
// is cut, no list needs a horizontal scroll bar, and a screenshot of each is kept for a person to look at.
#include "callloggerdlg.h"
#include "callloggersettings.h"
#include "callstatistics.h"
#include "clippedtextcheck.h"
#include "dbtest.h"
#include "extensiongroupdlg.h"
#include "extensiongroupsdlg.h"
#include "defaultprefixgroups.h"
#include "grouptesting.h"
#include "language.h"
#include "localareacodedlg.h"
#include "mainframe.h"
#include "pbxtables.h"
#include "printsettings.h"
#include "printsettingsdlg.h"
#include "ratingdatabase.h"
#include "ratinglist.h"
#include "ratingtestdata.h"
#include "testcallrecords.h"
#include "valuxaaboutdlg.h"
#include "valuxaview.h"
#include "viewtesting.h"
#include "widgettesting.h"

#include <QMessageBox>
#include <QScrollBar>
#include <QTableView>

#include <functional>

namespace {

constexpr int kPulsePbx = 0;
constexpr int kTimingPbx = 1;
constexpr int kPulseExtensions = 8;
constexpr int kPulseLines = 4;
constexpr int kTimingExtensions = 5;
constexpr int kTimingLines = 2;
constexpr int kCalls = 90;  // 30 an extension: more rows than the list shows, its vertical scroll bar is up
const OleDate kDay(2026, 11, 1);

class WindowsClipping : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        if (GetParam() != DbBackend::kSqlite)
            GTEST_SKIP() << "the windows are the same on either database";
        catalog = StartEngineDatabaseWithPbx(kPulsePbx, QStringLiteral("A"));
        ASSERT_EQ(catalog->InsertEngineConfiguration(kTimingPbx, QStringLiteral("B"), 0), kNoError);
        ASSERT_EQ(catalog->ConnectAndCreateSchema(kServer), kNoError);
        database = std::make_unique<CRatingDatabase>(Parameters());
        ASSERT_EQ(database->Connect(kServer), kNoError);
        ASSERT_EQ(database->CreateGroupsTable(), kNoError);
        SetTestPbx(tables, kPulsePbx, kPulseExtensions, kPulseLines, false);
        SetTestPbx(tables, kTimingPbx, kTimingExtensions, kTimingLines, true);
        const QStringList numbers{"00441234567890", "0612345678", "0212345678", "3471234567", "800123456"};
        for (const int pbx : {kPulsePbx, kTimingPbx}) {
            for (int call = 0; call < kCalls; ++call) {
                // Long calls late in the evening: the widest dates and durations a day has.
                const OleDate start = kDay.AddSeconds(21 * 3600 + call * 97);
                ASSERT_EQ(catalog->InsertLoggedCall(pbx,
                                                    PbxLogRecord(start, 3600 + 600 * call, 1 + call % kTimingLines,
                                                                 static_cast<quint32>(100 + call), 1,
                                                                 numbers[call % numbers.size()]),
                                                    ViewFixtureData::kFirstExtensionNumber + call % 3),
                          kNoError);
            }
        }
        group = InsertTestGroup(*database, QStringLiteral("Contabilità"), kPulsePbx, {0, 1, 2});
        InsertTestGroup(*database, QStringLiteral("Vendite"), kPulsePbx, {3, 4});
    }

    void TearDown() override
    {
        frame.reset();
        statistics.reset();
        SetLanguage(kLanguageItalian);
    }

    // The program's windows as its start-up wires them, in the language set now.
    void MakeFrame()
    {
        frame.reset();
        data = std::make_unique<ViewFixtureData>();
        callTypes = TestCallTypes();
        statistics = std::make_unique<CallStatistics>(*database, tables, data->configuration, callTypes);
        frame = std::make_unique<CMainFrame>(data->configuration);
        view = new CValuxaView(data->configuration, data->pbxs, data->tariffPictures, data->rulePictures, false);
        view->SetGroupLister(DatabaseGroupLister(*database));
        view->SetDatabase(database.get());
        view->SetStatistics(statistics.get());
        view->SetCallTypes(&callTypes);
        frame->SetView(view);
        frame->show();
        view->OnInitialUpdate();
        frame->LocalizeMenu();
        for (OleDate* start : {&view->m_historyStart, &view->m_accountStart, &view->m_lineHistoryStart,
                               &view->m_statisticsStart})
            *start = kDay;
        for (OleDate* end : {&view->m_historyEnd, &view->m_accountEnd, &view->m_lineHistoryEnd, &view->m_statisticsEnd})
            *end = kDay.AddDays(2);
    }

    // Shows a mode and, for the lists of calls and the statistics, computes it; the boxes it opened.
    QStringList Show(std::uint8_t mode, int selection, int pbx, bool compute)
    {
        view->ResetMode();
        view->SetViewMode(mode, selection, pbx);
        QStringList boxes;
        if (compute) {
            ModalAnswerer answerer([&](QDialog* shown) {
                if (auto box = qobject_cast<QMessageBox*>(shown))
                    boxes << box->text();
                shown->reject();
            });
            PostAndSettle(*view, CValuxaView::kComputeCommand);
        }
        return boxes;
    }

    std::unique_ptr<CSqlDatabase> catalog;
    std::unique_ptr<CRatingDatabase> database;
    PbxTables tables;
    CallTypeTable callTypes;
    std::unique_ptr<ViewFixtureData> data;
    std::unique_ptr<CallStatistics> statistics;
    std::unique_ptr<CMainFrame> frame;
    CValuxaView* view = nullptr;
    std::int32_t group = 0;
};

// The main frame in every mode of the view: the call lists and statistics filled from the log.
TEST_P(WindowsClipping, MainFrameInEveryModeOfTheView)
{
    struct Mode {
        const char* name;
        std::function<void(CValuxaView&)> select;  // the view's selection before it is shown
        std::uint8_t mode;
        bool compute;
        bool rows;  // the list has rows to look at
    };
    const Mode modes[] = {
        {"account_pulses", [](CValuxaView& v) { v.m_accountPbx = kPulsePbx; v.m_accountExtension = 0; }, kAccountMode, true, true},
        {"account_durations", [](CValuxaView& v) { v.m_accountPbx = kTimingPbx; v.m_accountExtension = 1; }, kAccountMode, true, true},
        {"history_pulses", [](CValuxaView& v) { v.m_historyPbx = kPulsePbx; v.m_historyExtension = 0; v.m_historyOptions = 0; },
         kHistoryMode, true, true},
        {"history_pulses_line", [](CValuxaView& v) { v.m_historyPbx = kPulsePbx; v.m_historyExtension = 0; v.m_historyOptions = 3; },
         kHistoryMode, true, true},
        {"history_durations_line", [](CValuxaView& v) { v.m_historyPbx = kTimingPbx; v.m_historyExtension = 2; v.m_historyOptions = 2; },
         kHistoryMode, true, true},
        {"line_history_durations", [](CValuxaView& v) { v.m_lineHistoryPbx = kTimingPbx; v.m_lineHistoryLine = 1; v.m_lineHistoryOptions = 2; },
         kLineHistoryMode, true, true},
        {"line_history_pulses", [](CValuxaView& v) { v.m_lineHistoryPbx = kPulsePbx; v.m_lineHistoryLine = 1; v.m_lineHistoryOptions = 0; },
         kLineHistoryMode, true, true},
        {"prefixes", [](CValuxaView& v) { v.m_selectedPrefixGroup = 3; }, kPrefixesMode, false, true},
        {"rules", [](CValuxaView&) {}, kRulesMode, false, false},
        {"tariffs", [](CValuxaView&) {}, kTariffsMode, false, false},
        {"statistics_cost_all_extensions",
         [](CValuxaView& v) { v.m_statisticsPbx = kPulsePbx; v.m_statisticsAnalysis = 0; v.m_statisticsExtension = kPulseExtensions; },
         kStatisticsMode, true, true},
        {"statistics_efficiency_extension",
         [](CValuxaView& v) { v.m_statisticsPbx = kPulsePbx; v.m_statisticsAnalysis = 1; v.m_statisticsExtension = 0; },
         kStatisticsMode, true, true},
        {"statistics_cost_all_groups", [](CValuxaView& v) { v.m_statisticsPbx = kPulsePbx; v.m_statisticsAnalysis = 3; v.m_statisticsGroup = 0; },
         kStatisticsMode, true, true},
    };
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        MakeFrame();
        const QString suffix = language == kLanguageEnglish ? QStringLiteral("_en") : QStringLiteral("_it");
        for (const Mode& shown : modes) {
            const std::string name = shown.name + suffix.toStdString();
            SCOPED_TRACE(name);
            shown.select(*view);
            const int selection = shown.mode == kAccountMode       ? view->m_accountExtension
                                  : shown.mode == kHistoryMode     ? view->m_historyExtension
                                  : shown.mode == kLineHistoryMode ? view->m_lineHistoryLine
                                  : shown.mode == kPrefixesMode    ? view->m_selectedPrefixGroup
                                  : shown.mode == kStatisticsMode  ? view->m_statisticsAnalysis
                                                                   : 0;
            EXPECT_TRUE(Show(shown.mode, selection, 0, shown.compute).isEmpty());
            if (shown.rows) {
                EXPECT_GT(view->List()->RowCount(), 2);
            }
            EXPECT_TRUE(HasNoClippedText(*frame));
            auto* report = view->List()->findChild<QTableView*>();
            ASSERT_NE(report, nullptr);
            EXPECT_FALSE(report->horizontalScrollBar()->isVisible());
            SaveScreenshot(*frame, QStringLiteral("rating_clip_") + QLatin1StringView(shown.name) + suffix);
        }
    }
}

// Every dialog of the view's commands, at the size it opens with.
TEST_P(WindowsClipping, EveryDialogOfTheViewsCommands)
{
    RatingPbxFacts pbxs;
    pbxs.pbxs = {ViewFixtureData::Pbx(QStringLiteral("Centralino dell'albergo principale"), kPulseExtensions,
                                      kPulseLines, false),
                 ViewFixtureData::Pbx(QStringLiteral("Centralino B"), kTimingExtensions, kTimingLines, true)};
    PrefixGroupTable prefixGroups;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), prefixGroups);
    PrintSettings printSettings;
    SetDefaultPrintSettings(printSettings);
    CallLoggerSettings loggerSettings;
    // A group name longer than the list's share for it: the name column widens, the count column gives way.
    InsertTestGroup(*database, QStringLiteral("Amministrazione, contabilità e ufficio acquisti"), kPulsePbx, {5});
    ExtensionGroup newGroup;
    ExtensionGroup storedGroup;
    ASSERT_EQ(database->SelectGroup(group, storedGroup), 0);
    struct Dialog {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> make;
    };
    const Dialog dialogs[] = {
        {"call_logger", [&] { return std::make_unique<CCallLoggerDlg>(&loggerSettings, tables); }},
        {"extension_groups", [&] { return std::make_unique<CExtensionGroupsDlg>(*database, pbxs); }},
        {"extension_group_new", [&] { return std::make_unique<CExtensionGroupDlg>(newGroup, pbxs); }},
        {"extension_group_stored", [&] { return std::make_unique<CExtensionGroupDlg>(storedGroup, pbxs); }},
        {"local_area_code",
         [&] { return std::make_unique<CLocalAreaCodeDlg>(prefixGroups.groups[PrefixGroupTable::kAreaCodeGroup]); }},
        {"about", [] { return std::make_unique<CValuxaAboutDlg>(); }},
        {"print_settings",
         [&] { return std::make_unique<CPrintSettingsDlg>(printSettings, PrintSettingsForm::Rating()); }},
    };
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        const QString suffix = language == kLanguageEnglish ? QStringLiteral("_en") : QStringLiteral("_it");
        for (const Dialog& shown : dialogs) {
            SCOPED_TRACE(shown.name + suffix.toStdString());
            const std::unique_ptr<QDialog> dialog = shown.make();
            dialog->show();
            EXPECT_FALSE(dialog->windowTitle().isEmpty());
            // The caption shows the whole title beside the window's buttons.
            EXPECT_GE(dialog->width(), dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()));
            EXPECT_TRUE(HasNoClippedText(*dialog));
            for (const QTableView* list : dialog->findChildren<QTableView*>())
                EXPECT_FALSE(list->horizontalScrollBar()->isVisible()) << list->objectName().toStdString();
            SaveScreenshot(*dialog, QStringLiteral("rating_clip_") + QLatin1StringView(shown.name) + suffix);
        }
    }
}

INSTANTIATE_DB_TEST(WindowsClipping);

}  // namespace
