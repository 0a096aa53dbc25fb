// The view's modes: the rebuild of the form for a mode and the fill steps that show a selection.
#include "valuxaview.h"

#include "cardimagelist.h"
#include "chartcontrol.h"
#include "oledatetext.h"
#include "ratinglist.h"
#include "stringtable.h"
#include "viewstrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr int kAnalysisCount = 5;
constexpr int kCostPerLine = 2;
constexpr int kFirstGroupAnalysis = 3;

bool IsGroupAnalysis(int analysis)
{
    return analysis >= kFirstGroupAnalysis;
}

void Select(QComboBox* combo, int index)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace

void CValuxaView::SetViewMode(std::uint8_t mode, int selection, int /*pbx: the combos show the mode's own*/)
{
    if (mode != m_mode) {
        m_mode = mode;
        RebuildForMode();
    }
    switch (mode) {
    case kHistoryMode:
        ShowHistorySelection(selection);
        break;
    case kRulesMode:
        SelectListItem(selection);
        UpdateRuleButtons(selection);
        break;
    case kPrefixesMode:
        FillPrefixList(selection);
        FillPrefixGroupCombo(selection);
        break;
    case kTariffsMode:
        SelectListItem(selection);
        UpdateTariffButtons(selection);
        break;
    case kStatisticsMode:
        ShowStatisticsSelection(selection);
        break;
    case kAccountMode:
        ShowAccountSelection(selection);
        break;
    case kLineHistoryMode:
        ShowLineHistorySelection(selection);
        break;
    default:
        break;
    }
}

void CValuxaView::RebuildForMode()
{
    m_list->Clear();
    const bool statistics = m_mode == kStatisticsMode;
    // In statistics the charts take the upper two thirds of the frame and the list the rest.
    m_chartRow->setVisible(statistics);
    m_chart1->setVisible(statistics);
    m_chart2->hide();
    m_chart1->Reset();
    ResetControls();
    switch (m_mode) {
    case kHistoryMode:
        BuildHistoryMode(false);
        break;
    case kLineHistoryMode:
        BuildHistoryMode(true);
        break;
    case kRulesMode:
        BuildRulesMode();
        break;
    case kPrefixesMode:
        BuildPrefixesMode();
        break;
    case kTariffsMode:
        BuildTariffsMode();
        break;
    case kStatisticsMode:
        BuildStatisticsMode();
        break;
    case kAccountMode:
        BuildAccountMode();
        break;
    default:
        break;
    }
    if (m_mode == kHistoryMode || m_mode == kStatisticsMode || m_mode == kAccountMode || m_mode == kLineHistoryMode) {
        // A computation enables printing and saving.
        m_buttons[3]->setEnabled(false);
        m_buttons[4]->setEnabled(false);
    }
}

void CValuxaView::ResetControls()
{
    for (QWidget* widget : std::initializer_list<QWidget*>{m_startCaption, m_endCaption, m_hideNumber, m_showSecond,
                                                           m_subjectLabel, m_subjectCombo, m_pbxLabel, m_pbxCombo})
        widget->hide();
    for (QPushButton* button : m_buttons) {
        button->hide();
        button->setEnabled(true);
    }
    m_itemLabel->show();
    m_itemCombo->show();
}

void CValuxaView::ShowButtons(std::initializer_list<std::pair<QPushButton*, unsigned>> buttons, bool enabled)
{
    for (const auto& [button, text] : buttons) {
        button->setText(LoadResString(text));
        button->setEnabled(enabled);
        button->show();
    }
}

void CValuxaView::BuildColumns(std::uint8_t options, bool reportsDurations)
{
    const int unit = ColumnUnit(m_mode, m_list->InnerWidth());
    for (const ViewColumn& column : ModeColumns(m_mode, options, reportsDurations))
        m_list->AddColumn(LoadResString(column.heading), column.units * unit, column.centred);
}

void CValuxaView::FillPbxCombo(int selectedPbx)
{
    const QSignalBlocker blocker(m_pbxCombo);
    m_pbxCombo->clear();
    for (int pbx = 0; pbx < m_pbxs.Count(); ++pbx) {
        if (m_pbxs.IsPresent(pbx))
            m_pbxCombo->addItem(m_pbxs.pbxs[static_cast<std::size_t>(pbx)].deviceName, pbx);
    }
    m_pbxCombo->setCurrentIndex(m_pbxCombo->findData(selectedPbx));
    m_pbxLabel->setText(LoadResString(kSelectPbxText));
    m_pbxLabel->show();
    m_pbxCombo->show();
}

void CValuxaView::FillExtensionCombo(int pbx)
{
    const QSignalBlocker blocker(m_itemCombo);
    m_itemCombo->clear();
    for (int extension = 0; extension < m_pbxs.ExtensionCount(pbx); ++extension)
        m_itemCombo->addItem(m_pbxs.ExtensionLabel(pbx, extension));
}

void CValuxaView::FillLineCombo(QComboBox* combo, int pbx)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (int line = 0; line < m_pbxs.LineCount(pbx); ++line)
        combo->addItem(m_pbxs.LineName(pbx, line));
}

void CValuxaView::BuildHistoryMode(bool lines)
{
    const int pbx = lines ? m_lineHistoryPbx : m_historyPbx;
    const std::uint8_t options = lines ? m_lineHistoryOptions : m_historyOptions;
    m_list->ShowReport(true, false);
    BuildColumns(options, m_pbxs.ReportsDurations(pbx));
    m_itemLabel->setText(LoadResString(lines ? kSelectLineText : kSelectExtensionText));
    m_selectionBox->setTitle(LoadResString(kShowCallListText));
    FillPbxCombo(pbx);
    if (lines)
        FillLineCombo(m_itemCombo, pbx);
    else
        FillExtensionCombo(pbx);
    m_startCaption->setText(LoadResString(kHistoryStartText));
    m_endCaption->setText(LoadResString(kHistoryEndText));
    m_hideNumber->setText(LoadResString(kHideNumberText));
    m_showSecond->setText(LoadResString(lines ? kShowCallingExtensionText : kShowLineText));
    for (QWidget* widget : std::initializer_list<QWidget*>{m_startCaption, m_endCaption, m_hideNumber, m_showSecond})
        widget->show();
    m_hideNumber->setEnabled(!IsProtected());
    m_showSecond->setEnabled(!IsProtected());
    m_buttons[0]->show();
    m_buttons[1]->show();
    ShowButtons({{m_buttons[2], kShowText}, {m_buttons[3], kPrintText}, {m_buttons[4], kSaveText}}, true);
    m_title->setText(LoadResString(kHistoryTitleText));
}

void CValuxaView::BuildRulesMode()
{
    m_list->ShowPictures(m_rulePictures, m_configuration.rules.Count());
    m_itemLabel->setText(LoadResString(kChooseRuleText));
    m_selectionBox->setTitle(LoadResString(kRuleListText));
    {
        const QSignalBlocker blocker(m_itemCombo);
        m_itemCombo->clear();
        for (const RatingRule& rule : m_configuration.rules.rules)
            m_itemCombo->addItem(rule.name);
    }
    ShowButtons({{m_buttons[0], kModifyRuleText}, {m_buttons[1], kNewRuleText}, {m_buttons[2], kDeleteRuleText}},
                !IsProtected());
    m_title->setText(LoadResString(kRulesTitleText));
}

void CValuxaView::BuildPrefixesMode()
{
    m_list->ShowReport(true, true);
    BuildColumns(0, false);
    m_itemLabel->setText(LoadResString(kSelectPrefixGroupText));
    m_selectionBox->setTitle(LoadResString(kPrefixGroupsText));
    ShowButtons({{m_buttons[0], kNewPrefixText},
                 {m_buttons[1], kDeletePrefixText},
                 {m_buttons[2], kNewPrefixGroupText},
                 {m_buttons[3], kDeletePrefixGroupText},
                 {m_buttons[4], kModifyPrefixGroupText}},
                !IsProtected());
}

void CValuxaView::BuildTariffsMode()
{
    m_list->ShowPictures(m_tariffPictures, m_configuration.tariffs.Count());
    m_itemLabel->setText(LoadResString(kSelectTariffText));
    m_selectionBox->setTitle(LoadResString(kTariffListText));
    {
        const QSignalBlocker blocker(m_itemCombo);
        m_itemCombo->clear();
        for (const TariffRecord& tariff : m_configuration.tariffs.tariffs)
            m_itemCombo->addItem(tariff.name);
    }
    ShowButtons({{m_buttons[0], kModifyTariffText},
                 {m_buttons[1], kCloneTariffText},
                 {m_buttons[2], kNewTariffText},
                 {m_buttons[3], kDeleteTariffText}},
                !IsProtected());
    m_title->setText(LoadResString(kTariffsTitleText) + u' ' + LoadResString(kEstimatedOnText) + u' ' +
                     QString::asprintf("%d", kEstimateMinutes) + u' ' + LoadResString(kMinutesText) + u')');
}

void CValuxaView::FillGroupCombo()
{
    std::optional<std::vector<ViewGroup>> groups;
    if (m_listGroups)
        groups = m_listGroups(m_statisticsPbx);
    if (!groups) {
        groups.emplace();
        m_statisticsGroup = 0;
    }
    bool found = false;
    for (const ViewGroup& group : *groups) {
        m_subjectCombo->addItem(group.name, group.id);
        found = found || group.id == m_statisticsGroup;
    }
    if (m_statisticsGroup != 0 && !found)
        m_statisticsGroup = groups->empty() ? 0 : groups->front().id;
    m_subjectCombo->addItem(LoadResString(kAllGroupsText), 0);
}

void CValuxaView::BuildStatisticsMode()
{
    m_list->ShowReport(false, false);
    m_itemLabel->setText(LoadResString(kSelectAnalysisText));
    m_selectionBox->setTitle(LoadResString(kStatisticsText));
    {
        const QSignalBlocker blocker(m_itemCombo);
        m_itemCombo->clear();
        for (int analysis = 0; analysis < kAnalysisCount; ++analysis)
            m_itemCombo->addItem(LoadResString(kFirstAnalysisText + static_cast<unsigned>(analysis)));
    }
    FillPbxCombo(m_statisticsPbx);
    {
        const QSignalBlocker blocker(m_subjectCombo);
        m_subjectCombo->clear();
        if (m_statisticsAnalysis == kCostPerLine) {
            m_subjectLabel->setText(LoadResString(kSelectLineText));
            FillLineCombo(m_subjectCombo, m_statisticsPbx);
            m_subjectCombo->addItem(LoadResString(kAllLinesText));
        } else if (IsGroupAnalysis(m_statisticsAnalysis)) {
            m_subjectLabel->setText(LoadResString(kSelectGroupText));
            FillGroupCombo();
        } else {
            m_subjectLabel->setText(LoadResString(kSelectExtensionText));
            for (int extension = 0; extension < m_pbxs.ExtensionCount(m_statisticsPbx); ++extension)
                m_subjectCombo->addItem(m_pbxs.ExtensionLabel(m_statisticsPbx, extension));
            m_subjectCombo->addItem(LoadResString(kAllExtensionsText));
        }
    }
    m_subjectLabel->show();
    m_subjectCombo->show();
    m_startCaption->setText(LoadResString(kAnalysisStartText));
    m_endCaption->setText(LoadResString(kAnalysisEndText));
    m_startCaption->show();
    m_endCaption->show();
    m_buttons[0]->show();
    m_buttons[1]->show();
    ShowButtons({{m_buttons[2], kComputeText}, {m_buttons[3], kPrintText}, {m_buttons[4], kSaveText}}, true);
    m_title->setText(LoadResString(kStatisticsText));
}

void CValuxaView::BuildAccountMode()
{
    m_list->ShowReport(true, false);
    BuildColumns(0, m_pbxs.ReportsDurations(m_accountPbx));
    m_itemLabel->setText(LoadResString(kSelectExtensionText));
    m_selectionBox->setTitle(LoadResString(kAccountText));
    FillPbxCombo(m_accountPbx);
    FillExtensionCombo(m_accountPbx);
    m_startCaption->setText(LoadResString(kAccountStartText));
    m_endCaption->setText(LoadResString(kAccountEndText));
    m_startCaption->show();
    m_endCaption->show();
    m_buttons[0]->show();
    m_buttons[1]->show();
    ShowButtons({{m_buttons[2], kComputeText}, {m_buttons[4], kCloseAccountText}, {m_buttons[3], kPrintText}}, true);
    m_title->setText(LoadResString(kAccountTitleText));
}

void CValuxaView::ShowPeriod(const OleDate& start, const OleDate& end)
{
    m_buttons[0]->setText(FormatOleDate(start, QLocale()));
    m_buttons[1]->setText(FormatOleDate(end, QLocale()));
}

void CValuxaView::ShowHistorySelection(int selection)
{
    Select(m_itemCombo, selection);
    ShowPeriod(m_historyStart, m_historyEnd);
    m_hideNumber->setChecked(m_historyOptions & kHideDigitsOption);
    m_showSecond->setChecked(m_historyOptions & kShowSecondColumnOption);
}

void CValuxaView::ShowLineHistorySelection(int selection)
{
    Select(m_itemCombo, selection);
    ShowPeriod(m_lineHistoryStart, m_lineHistoryEnd);
    m_hideNumber->setChecked(m_lineHistoryOptions & kHideDigitsOption);
    m_showSecond->setChecked(m_lineHistoryOptions & kShowSecondColumnOption);
}

void CValuxaView::ShowAccountSelection(int selection)
{
    Select(m_itemCombo, selection);
    ShowPeriod(m_accountStart, m_accountEnd);
}

void CValuxaView::ShowStatisticsSelection(int selection)
{
    Select(m_itemCombo, selection);
    ShowPeriod(m_statisticsStart, m_statisticsEnd);
    if (m_statisticsAnalysis == kCostPerLine) {
        Select(m_subjectCombo, m_statisticsLine);
    } else if (IsGroupAnalysis(m_statisticsAnalysis)) {
        const int found = m_statisticsGroup == 0 ? -1 : m_subjectCombo->findData(m_statisticsGroup);
        if (found < 0)
            m_statisticsGroup = 0;
        Select(m_subjectCombo, found < 0 ? m_subjectCombo->count() - 1 : found);
    } else {
        Select(m_subjectCombo, m_statisticsExtension);
    }
}

void CValuxaView::UpdateTariffButtons(int index)
{
    Select(m_itemCombo, index);
    const int tariffs = m_configuration.tariffs.Count();
    m_buttons[0]->setEnabled(tariffs >= 1 && !IsProtected());
    m_buttons[2]->setEnabled(tariffs >= 1 && tariffs < TariffTable::kMaxTariffs && !IsProtected());
}

void CValuxaView::UpdateRuleButtons(int index)
{
    Select(m_itemCombo, index);
    const int rules = m_configuration.rules.Count();
    m_buttons[0]->setEnabled(rules >= 1 && !IsProtected());
    m_buttons[2]->setEnabled(rules >= 1 && !IsProtected());
    if (rules >= RuleTable::kMaxRules)
        m_buttons[1]->setEnabled(false);
}

void CValuxaView::SelectListItem(int index)
{
    m_list->EnsureVisible(index);
}

void CValuxaView::FillPrefixList(int group)
{
    m_list->Model()->removeRows(0, m_list->RowCount());
    m_list->FitColumns();
    if (group < 0 || group >= m_configuration.prefixGroups.Count())
        return;
    const PrefixGroup& prefixes = m_configuration.prefixGroups.groups[static_cast<std::size_t>(group)];
    m_list->AddRow({QString(), QString()}, prefixes.Count());  // stands for a new prefix
    for (int i = 0; i < prefixes.Count(); ++i) {
        const PrefixEntry& entry = prefixes.entries[static_cast<std::size_t>(i)];
        m_list->AddRow({entry.label, entry.number}, i);
    }
    m_list->FitColumns();
}

void CValuxaView::FillPrefixGroupCombo(int group)
{
    const PrefixGroupTable& groups = m_configuration.prefixGroups;
    {
        const QSignalBlocker blocker(m_itemCombo);
        m_itemCombo->clear();
        for (const PrefixGroup& prefixGroup : groups.groups)
            m_itemCombo->addItem(prefixGroup.name);
    }
    Select(m_itemCombo, group);
    m_title->setText(group >= 0 && group < groups.Count() ? groups.groups[static_cast<std::size_t>(group)].name
                                                          : QString());
    m_buttons[0]->setEnabled(false);
    m_buttons[1]->setEnabled(false);
    m_buttons[2]->setEnabled(groups.Count() < PrefixGroupTable::kMaxGroups && !IsProtected());
}
