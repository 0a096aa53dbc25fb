#pragma once

#include "messagetarget.h"
#include "oledate.h"
#include "ratingconfiguration.h"
#include "ratingpbxfacts.h"
#include "viewcolumns.h"

#include "coststatsrow.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CallStatistics;
class CardImageList;
class CChartControl;
class CRatingDatabase;
class QPainter;
class QPrinter;
class CRatingList;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

// Sets the orientation of the printer's pages: 1 portrait, 2 landscape.
void SetPrinterOrientation(QPrinter& printer, int orientation);

// The chosen file name with its extension, if any, replaced by `extension`.
QString ReplaceExtension(const QString& chosen, const QString& extension);

// An extension group of a PBX as the statistics' subject list shows it.
struct ViewGroup {
    std::int32_t id = 0;
    QString name;
};
// The groups of a PBX; nothing when they cannot be read.
using ViewGroupLister = std::function<std::optional<std::vector<ViewGroup>>(int pbx)>;
// The lister that reads a PBX's groups from the database's `Groups` table.
ViewGroupLister DatabaseGroupLister(CRatingDatabase& database);

// The rating program's one form: seven modes (history of extensions, rules, prefixes, tariffs,
// statistics, account, history of lines) on the same controls, each mode relabelling, showing and
// hiding them and rebuilding the list with its own columns. It opens in account mode on the selections
// remembered in the configuration's view state, and writes them back when it is destroyed.
class CValuxaView : public QWidget {
    Q_OBJECT
public:
    // Command ids of the view's menu items and buttons.
    static constexpr int kHistoryCommand = 32771;
    static constexpr int kPrefixesCommand = 32772;
    static constexpr int kRulesCommand = 32773;
    static constexpr int kTariffsCommand = 32774;
    static constexpr int kStatisticsCommand = 32775;
    static constexpr int kLineHistoryCommand = 32782;
    static constexpr int kExtensionGroupsCommand = 32783;
    static constexpr int kCallLoggerCommand = 32784;
    static constexpr int kModifyItemCommand = 1006;
    static constexpr int kAddCloneOrDeleteItemCommand = 1007;
    static constexpr int kComputeCommand = 1008;
    static constexpr int kDeleteItemCommand = 1009;
    static constexpr int kCloseAccountCommand = 1010;
    static constexpr int kFileNewCommand = 57600;
    static constexpr int kFileOpenCommand = 57601;
    static constexpr int kFileSaveAsCommand = 57604;
    static constexpr int kFilePrintCommand = 57607;
    static constexpr int kFilePrintSetupCommand = 57606;
    static constexpr int kFilePrintPreviewCommand = 57609;
    static constexpr int kAppExitCommand = 57665;
    static constexpr int kViewAccountCommand = 32778;
    static constexpr int kPrintSettingsCommand = 32776;
    static constexpr int kImportCommand = 32779;
    static constexpr int kExportCommand = 32780;
    static constexpr int kTimerId = 1;
    static constexpr int kTimerIntervalMs = 5000;
    // The estimate the tariff prices are shown on, in minutes.
    static constexpr int kEstimateMinutes = 5;

    CValuxaView(RatingConfiguration& configuration, const RatingPbxFacts& pbxs, CardImageList& tariffPictures,
                CardImageList& rulePictures, bool protectedConfiguration, QWidget* parent = nullptr);
    ~CValuxaView() override;

    // What the view leaves to others: the statistics' groups, the timer's work (the call-logger export),
    // the call-logger settings command, and each command the view posts to itself or receives and does
    // not handle itself (compute and the other buttons' actions).
    void SetGroupLister(ViewGroupLister lister) { m_listGroups = std::move(lister); }
    void SetTimerHandler(std::function<void()> handler) { m_timerHandler = std::move(handler); }
    void SetCommandHandler(std::function<void(int command)> handler) { m_commandHandler = std::move(handler); }
    // The call log the call lists read and the account marks; the application's printer; the main
    // window, which takes the commands the view posts to it (print preview, save as, exit).
    void SetDatabase(CRatingDatabase* database) { m_database = database; }
    void SetPrinter(QPrinter* printer) { m_printer = printer; }
    void SetFrameTarget(MessageTarget* target) { m_frameTarget = target; }
    // The statistics of the call log the statistics mode shows.
    void SetStatistics(CallStatistics* statistics) { m_statistics = statistics; }
    // The statistics' call types: a prefix group they use cannot be deleted, and a deletion renumbers
    // the groups they name.
    void SetCallTypes(CallTypeTable* callTypes) { m_callTypes = callTypes; }

    // Sizes the main window from the form, sets the title font, opens the account mode, starts timer 1.
    void OnInitialUpdate();
    // The one entry to show a mode; rebuilds when the mode differs from the current one (or that was
    // reset to 0), then runs the mode's fill step with the selection.
    void SetViewMode(std::uint8_t mode, int selection, int pbx);
    // Menu commands of the view; false for a command that is not the view's.
    bool OnCommand(int command);
    // Whether a mode menu item is checked; nothing for a command that is not a mode item.
    std::optional<bool> IsCommandChecked(int command) const;
    // Whether a menu item of the view is enabled; nothing for a command the view does not rule.
    std::optional<bool> IsCommandEnabled(int command) const;

    // The buttons in the call-list modes: the period bounds, the computation, the account's close.
    void OnModifyItem();
    void OnAddCloneOrDeleteItem();
    void OnCompute();
    void OnDeleteItem();
    void OnCloseAccount();
    // The buttons' commands in the editing modes (rules, prefixes, tariffs); false in the other modes.
    bool RunEditorCommand(int command);
    // File and settings commands.
    void OnFileNew();
    void OnViewAccount();
    void OnFileSaveAs();
    void OnPrintSettings();
    void OnExportConfiguration();
    void OnImportConfiguration();
    // Printing: the print dialog and a real print, or the preview; then the print protocol's steps.
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnPreparePrinting();
    void OnBeginPrinting(QPainter& painter);
    void OnPrint(QPainter& painter, int page);
    void OnEndPrinting(bool preview);
    // Prints every page of the report on the printer (a real job, or the preview's pages).
    void PrintDocument(QPrinter& printer);
    // The page set-up of the reports' printer; what the user chooses holds for every later print.
    void OnFilePrintSetup();
    // The file an account close writes: Shared folder, PBX, extension and the time, ".sbf".
    static QString ClosedAccountPath(int pbx, int extension, const OleDate& now);

    // Statistics mode: the compute command lays out the list and charts for the chosen analysis and runs
    // one of the ten fill operations below.
    void ComputeStatistics();
    void ShowExtensionCostAnalysis();
    void ShowLineCostAnalysis();
    void ShowGroupCostAnalysis();
    void ShowExtensionEfficiencyAnalysis();
    void ShowGroupEfficiencyAnalysis();
    void ShowAllExtensionsCostAnalysis();
    void ShowAllLinesCostAnalysis();
    void ShowAllGroupsCostAnalysis();
    void ShowAllExtensionsEfficiencyAnalysis();
    void ShowAllGroupsEfficiencyAnalysis();
    // The statistics of every subject of an all-subjects view, computed before anything is shown; split
    // from the filling of list and chart so that each can be measured.
    struct StatisticsSubject {
        QString name;
        std::vector<CostStatsRow> rows;
    };
    struct StatisticsRun {
        std::vector<StatisticsSubject> subjects;  // those computed, in order
        bool complete = true;                      // false: the computation stopped at the next subject
        bool noGroups = false;                     // group analyses: the PBX has no group (or none could be read)
    };
    StatisticsRun CollectAllSubjects(int analysis);
    void FillAllSubjects(const StatisticsRun& run, bool efficiency);
    // Command 32783: the extension-groups dialog; the statistics mode shows the groups as they are after it.
    void OnExtensionGroups();

    // Handlers of the form's notifications.
    void OnSelChangeItem();
    void OnSelChangeSubject();
    void OnSelChangePbx();
    void OnToggleHideNumber();
    void OnToggleShowLine();
    void OnListClick(int item);
    void OnListDblClick(int item);

    MessageTarget& Target() { return m_target; }
    const RatingPbxFacts& Pbxs() const { return m_pbxs; }
    CRatingList* List() const { return m_list; }
    CChartControl* Chart1() const { return m_chart1; }
    CChartControl* Chart2() const { return m_chart2; }
    QLabel* Title() const { return m_title; }

    // --- Fields the main frame and the command line set ---
    std::uint8_t mode() const { return m_mode; }
    void ResetMode() { m_mode = kNoMode; }
    OleDate m_historyStart;
    OleDate m_lineHistoryStart;
    OleDate m_historyEnd;
    OleDate m_lineHistoryEnd;
    OleDate m_accountStart;
    OleDate m_accountEnd;
    std::uint8_t m_historyExtension = 0;
    std::uint8_t m_lineHistoryLine = 0;
    std::uint8_t m_accountExtension = 0;
    std::uint8_t m_historyPbx = 0;
    std::uint8_t m_lineHistoryPbx = 0;
    std::uint8_t m_accountPbx = 0;
    std::uint8_t m_historyOptions = 0;
    std::uint8_t m_lineHistoryOptions = 0;
    std::uint16_t m_selectedTariff = 0;
    std::uint16_t m_selectedRule = 0;
    std::uint16_t m_selectedPrefixGroup = 0;
    std::uint8_t m_statisticsAnalysis = 0;
    std::uint8_t m_statisticsExtension = 0;
    std::uint8_t m_statisticsPbx = 0;
    std::uint8_t m_statisticsLine = 0;
    std::int32_t m_statisticsGroup = 0;  // the group's id; 0 all groups
    OleDate m_statisticsStart;
    OleDate m_statisticsEnd;
    std::uint8_t m_applyFlag = 0;
    std::uint8_t m_closeFlag = 0;
    std::uint16_t m_pageCount = 0;
    QImage m_chartImage1;  // the charts as printed in statistics mode (null: not printed)
    QImage m_chartImage2;

protected:
    bool event(QEvent* event) override;

private:
    void BuildForm();
    void LoadViewState();
    void ValidateSelections();
    void StoreViewState() const;
    bool IsProtected() const { return m_protected; }

    void RebuildForMode();
    void ResetControls();
    void BuildColumns(std::uint8_t options, bool reportsDurations);
    void BuildHistoryMode(bool lines);
    void BuildRulesMode();
    void BuildPrefixesMode();
    void BuildTariffsMode();
    void BuildStatisticsMode();
    void BuildAccountMode();
    void FillPbxCombo(int selectedPbx);
    void FillExtensionCombo(int pbx);
    void FillLineCombo(QComboBox* combo, int pbx);
    void FillGroupCombo();
    void ShowButtons(std::initializer_list<std::pair<QPushButton*, unsigned>> buttons, bool enabled);

    void ShowHistorySelection(int selection);
    void ShowLineHistorySelection(int selection);
    void ShowAccountSelection(int selection);
    void ShowStatisticsSelection(int selection);
    void ShowPeriod(const OleDate& start, const OleDate& end);
    void UpdateTariffButtons(int index);
    void UpdateRuleButtons(int index);
    void SelectListItem(int index);
    void FillPrefixList(int group);
    void FillPrefixGroupCombo(int group);
    void RebuildWith(std::uint8_t mode, int selection, int pbx);

    // The editing modes' commands (valuxaview_items.cpp).
    void ModifyRule();
    void NewRule();
    void DeleteRule();
    void StoreEditedRule(const RatingRule& rule);
    void ModifyOrAddPrefix();
    void DeletePrefix();
    void NewPrefixGroup();
    void RenamePrefixGroup();
    void DeletePrefixGroup();
    void ModifyTariff();
    void CloneTariff();
    void NewTariff();
    void AppendTariff(const TariffRecord* tariff, const double* variation);
    void DeleteTariff();
    void RedrawRulePictures(int from = 0);
    void RedrawTariffPictures(int from, int to);
    bool AskDeletion(unsigned text, const QString& name);
    void Refuse(unsigned text, const QString& name);

    void ChangePeriodBound(bool end);
    void ComputeCallList();
    void FinishAccount(bool listed, bool selected, bool failed);
    int ModeSelection() const;
    void PostToFrame(int command);
    QPrinter& Printer();
    void CaptureCharts();
    bool IsCallListMode() const;
    bool ChooseFileName(const QString& filter, bool save, QString& path, int& filterIndex);
    bool SaveListAs(const QString& path, bool csv);
    bool IsAllSubjects() const;
    void PlaceCharts(bool allSubjects);
    QStringList StatisticsRowNames(bool efficiency) const;
    std::optional<std::vector<CostStatsRow>> ComputeSubject(int analysis, int subject);
    void ShowOneSubject(int analysis, int subject);
    void FillOneSubject(const std::vector<CostStatsRow>& rows, bool efficiency);
    void ShowAllSubjects(int analysis);
    RatingConfiguration& m_configuration;
    const RatingPbxFacts& m_pbxs;
    CardImageList& m_tariffPictures;
    CardImageList& m_rulePictures;
    const bool m_protected;
    ViewGroupLister m_listGroups;
    std::function<void()> m_timerHandler;
    std::function<void(int)> m_commandHandler;
    CRatingDatabase* m_database = nullptr;
    QPrinter* m_printer = nullptr;
    MessageTarget* m_frameTarget = nullptr;
    CallStatistics* m_statistics = nullptr;
    CallTypeTable* m_callTypes = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;  // when the application gave none
    QtMessageTarget m_target;
    MessageMap m_messages;

    std::uint8_t m_mode = kNoMode;
    QTimer* m_timer = nullptr;

    QGroupBox* m_selectionBox = nullptr;   // 1002
    QLabel* m_itemLabel = nullptr;         // 1004
    QComboBox* m_itemCombo = nullptr;      // 1005
    QPushButton* m_buttons[5] = {};        // 1006-1010
    QLabel* m_subjectLabel = nullptr;      // 1011
    QComboBox* m_subjectCombo = nullptr;   // 1012
    QLabel* m_startCaption = nullptr;      // 1013
    QLabel* m_endCaption = nullptr;        // 1014
    QCheckBox* m_hideNumber = nullptr;     // 1015
    QCheckBox* m_showSecond = nullptr;     // 1016
    QLabel* m_pbxLabel = nullptr;          // 1017
    QComboBox* m_pbxCombo = nullptr;       // 1018
    QLabel* m_title = nullptr;             // 1060
    QWidget* m_listFrame = nullptr;        // 1066
    QWidget* m_chartRow = nullptr;         // the charts above the list, statistics only
    CChartControl* m_chart1 = nullptr;     // 1067
    CChartControl* m_chart2 = nullptr;     // 1068
    QWidget* m_sizeFrame = nullptr;        // 1070
    CRatingList* m_list = nullptr;         // 1000
};
