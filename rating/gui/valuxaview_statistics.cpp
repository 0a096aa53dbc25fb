// The view's statistics mode: layout, title and the ten fill operations of the list and the charts, and
// the extension-groups command.
#include "valuxaview.h"

#include "callstatistics.h"
#include "chartcontrol.h"
#include "errorbox.h"
#include "extensiongroupsdlg.h"
#include "oledatetext.h"
#include "ratingdatabase.h"
#include "ratingformat.h"
#include "ratinglist.h"
#include "stringtable.h"
#include "viewstrings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

namespace {

enum Analysis : int {
    kCostPerExtension = 0,
    kEfficiencyPerExtension = 1,
    kCostPerLineAnalysis = 2,
    kCostPerGroup = 3,
    kEfficiencyPerGroup = 4,
};

constexpr unsigned kProgramNameString = 1003;
constexpr unsigned kFirstErrorString = 15000;
constexpr unsigned kTotalString = 1045;
constexpr unsigned kOtherCallsString = 1121;
constexpr unsigned kCallTypeString = 1127;       // then 1128-1133: the cost and duration columns
constexpr unsigned kExtensionColumnString = 1134;
constexpr unsigned kLineColumnString = 1229;
constexpr unsigned kGroupLoadFailedString = 1230;
constexpr unsigned kGroupColumnString = 1231;
constexpr unsigned kNoGroupsString = 1232;
constexpr unsigned kFirstDirectionString = 3200;  // four directions, 3200-3203
constexpr unsigned kCostTitleString = 21100;
constexpr unsigned kEfficiencyTitleString = 21101;

constexpr int kDirectionCount = 4;
constexpr int kListMargin = 4;
constexpr double kSecondsPerMinute = 60.0;
// The upper chart takes three fifths of the width beside the lower one's two.
constexpr int kChart1Stretch = 3;
constexpr int kChart2Stretch = 2;

bool IsEfficiency(int analysis)
{
    return analysis == kEfficiencyPerExtension || analysis == kEfficiencyPerGroup;
}

bool IsGroup(int analysis)
{
    return analysis == kCostPerGroup || analysis == kEfficiencyPerGroup;
}

QString Money(double value)
{
    return QString::asprintf("%0.2f", value);
}

// A chart takes its values as "%0.2f" texts: what it shows is the value to two decimals.
double ChartValue(double value)
{
    return Money(value).toDouble();
}

// Point-label formats: the digits after the user's separator, then the unit.
QString EuroFormat(const QString& separator)
{
    return u'0' + separator + QStringLiteral("00\u20AC");
}

QString MinutesFormat(const QString& separator, int decimals)
{
    return u'0' + separator + QString(decimals, u'0') + QStringLiteral("\"min\"");
}

QString ShareFormat(const QString& separator)
{
    return u'0' + separator + QStringLiteral("0%");
}

// The seven cost columns, or the four duration columns, from "Tipo chiamata" on.
QStringList StatisticsColumns(bool efficiency)
{
    QStringList columns;
    for (unsigned id = kCallTypeString; id <= kCallTypeString + 6; ++id) {
        if (!efficiency || id == kCallTypeString || id >= kCallTypeString + 4)
            columns << LoadResString(id);
    }
    return columns;
}

// The texts of one row after its name: the cost view's six, or the efficiency view's three.
QStringList StatisticsTexts(const CostStatsRow& row, bool efficiency)
{
    if (efficiency)
        return {FormatDuration(row.totalDuration), FormatDuration(row.meanDuration), Money(row.durationShare * 100.0)};
    return {Money(row.totalCost),          Money(row.meanCost),
            Money(row.costShare * 100.0),  FormatDuration(row.totalDuration),
            FormatDuration(row.meanDuration), Money(row.durationShare * 100.0)};
}

void ShowGroupError(QWidget* parent, unsigned text)
{
    QMessageBox::critical(parent, LoadResString(kProgramNameString), LoadResString(text));
}

}  // namespace

bool CValuxaView::IsAllSubjects() const
{
    switch (m_statisticsAnalysis) {
    case kCostPerExtension:
    case kEfficiencyPerExtension:
        return m_statisticsExtension == m_pbxs.ExtensionCount(m_statisticsPbx);
    case kCostPerLineAnalysis:
        return m_statisticsLine == m_pbxs.LineCount(m_statisticsPbx);
    default:
        return m_statisticsGroup == 0;
    }
}

void CValuxaView::PlaceCharts(bool allSubjects)
{
    if (auto charts = qobject_cast<QHBoxLayout*>(m_chartRow->layout())) {
        charts->setStretchFactor(m_chart1, kChart1Stretch);
        charts->setStretchFactor(m_chart2, kChart2Stretch);
    }
    m_chartRow->show();
    m_chart1->show();
    m_chart2->setVisible(!allSubjects);
}

QStringList CValuxaView::StatisticsRowNames(bool efficiency) const
{
    QStringList names;
    if (efficiency) {
        for (int direction = 0; direction < kDirectionCount; ++direction)
            names << LoadResString(kFirstDirectionString + static_cast<unsigned>(direction));
        return names;
    }
    if (m_statistics) {
        for (const RatingRule& type : m_statistics->CallTypes().rules)
            names << type.name;
    }
    names << LoadResString(kOtherCallsString);
    return names;
}

ViewGroupLister DatabaseGroupLister(CRatingDatabase& database)
{
    return [&database](int pbx) -> std::optional<std::vector<ViewGroup>> {
        std::vector<GroupListEntry> entries;
        if (database.SelectGroups(pbx, entries) != 0)
            return std::nullopt;
        std::vector<ViewGroup> groups;
        for (const GroupListEntry& entry : entries)
            groups.push_back({entry.id, entry.name});
        return groups;
    };
}

void CValuxaView::ComputeStatistics()
{
    const int analysis = m_statisticsAnalysis;
    const bool efficiency = IsEfficiency(analysis);
    const bool all = IsAllSubjects();
    m_list->Clear();
    PlaceCharts(all);

    QStringList headings = StatisticsColumns(efficiency);
    if (all) {
        const unsigned subject = IsGroup(analysis)                   ? kGroupColumnString
                                 : analysis == kCostPerLineAnalysis ? kLineColumnString
                                                                    : kExtensionColumnString;
        headings.prepend(LoadResString(subject));
    }
    // Equal shares of the width beside the vertical scroll bar, which the rows of a statistic need, as the
    // columns' least widths: the filled list widens them to their texts.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = (m_list->InnerWidth() - kListMargin - scrollBar) / static_cast<int>(headings.size());
    for (const QString& heading : headings)
        m_list->AddColumn(heading, width, false);

    QString name;
    if (all) {
        name = LoadResString(IsGroup(analysis)                   ? kAllGroupsText
                             : analysis == kCostPerLineAnalysis ? kAllLinesText
                                                                : kAllExtensionsText);
    } else if (IsGroup(analysis)) {
        ExtensionGroup group;
        if (!m_database || m_database->SelectGroup(m_statisticsGroup, group) != 0 || group.memberCount == 0) {
            ShowGroupError(this, kGroupLoadFailedString);
            return;
        }
        name = group.name;
    } else if (analysis == kCostPerLineAnalysis) {
        name = m_pbxs.LineName(m_statisticsPbx, m_statisticsLine);
    } else {
        name = m_pbxs.ExtensionLabel(m_statisticsPbx, m_statisticsExtension);
    }
    const auto date = [](const OleDate& d) { return FormatOleDate(OleDate(d.Year(), d.Month(), d.Day()), QLocale()); };
    m_title->setText(LoadResString(efficiency ? kEfficiencyTitleString : kCostTitleString) + u' ' + name +
                     QStringLiteral(" (") + date(m_statisticsStart) + QStringLiteral(" : ") + date(m_statisticsEnd) +
                     u')');

    // Every subject of the analysis is rated with the rules compiled once.
    std::optional<CallStatistics::Command> command;
    if (m_statistics)
        command.emplace(*m_statistics);
    switch (analysis) {
    case kCostPerExtension:
        all ? ShowAllExtensionsCostAnalysis() : ShowExtensionCostAnalysis();
        break;
    case kEfficiencyPerExtension:
        all ? ShowAllExtensionsEfficiencyAnalysis() : ShowExtensionEfficiencyAnalysis();
        break;
    case kCostPerLineAnalysis:
        all ? ShowAllLinesCostAnalysis() : ShowLineCostAnalysis();
        break;
    case kCostPerGroup:
        all ? ShowAllGroupsCostAnalysis() : ShowGroupCostAnalysis();
        break;
    case kEfficiencyPerGroup:
        all ? ShowAllGroupsEfficiencyAnalysis() : ShowGroupEfficiencyAnalysis();
        break;
    default:
        break;
    }
    m_list->FitColumns();
    m_buttons[3]->setEnabled(m_list->RowCount() > 0);
    m_buttons[4]->setEnabled(m_list->RowCount() > 0);
}

std::optional<std::vector<CostStatsRow>> CValuxaView::ComputeSubject(int analysis, int subject)
{
    if (!m_statistics)
        return std::nullopt;
    const bool efficiency = IsEfficiency(analysis);
    std::vector<CostStatsRow> rows(
        static_cast<std::size_t>(efficiency ? CallStatistics::kEfficiencyRows : m_statistics->CallTypes().Count() + 1));
    StatsRequest request{m_statisticsStart, m_statisticsEnd, subject, m_statisticsPbx};
    int code = 0;
    if (IsGroup(analysis)) {
        const bool done = efficiency ? m_statistics->ComputeGroupEfficiencyStats(subject, request, rows, code)
                                     : m_statistics->ComputeGroupCostStats(subject, request, rows, code);
        if (done)
            return rows;
        ShowGroupError(this, kGroupLoadFailedString);
        return std::nullopt;
    }
    int capacity = static_cast<int>(rows.size());
    const int done = analysis == kCostPerLineAnalysis ? m_statistics->ComputeLineCostStats(request, capacity, rows, code)
                     : efficiency ? m_statistics->ComputeExtensionEfficiencyStats(request, capacity, rows, code)
                                  : m_statistics->ComputeExtensionCostStats(request, capacity, rows, code);
    if (done == 1)
        return rows;
    if (code != 0)
        ShowErrorBox(LoadResString(kProgramNameString), LoadResString(kFirstErrorString + static_cast<unsigned>(code)),
                     static_cast<std::uint8_t>(code), QString());
    return std::nullopt;
}

void CValuxaView::ShowExtensionCostAnalysis() { ShowOneSubject(kCostPerExtension, m_statisticsExtension); }
void CValuxaView::ShowLineCostAnalysis() { ShowOneSubject(kCostPerLineAnalysis, m_statisticsLine); }
void CValuxaView::ShowGroupCostAnalysis() { ShowOneSubject(kCostPerGroup, m_statisticsGroup); }
void CValuxaView::ShowExtensionEfficiencyAnalysis() { ShowOneSubject(kEfficiencyPerExtension, m_statisticsExtension); }
void CValuxaView::ShowGroupEfficiencyAnalysis() { ShowOneSubject(kEfficiencyPerGroup, m_statisticsGroup); }
void CValuxaView::ShowAllExtensionsCostAnalysis() { ShowAllSubjects(kCostPerExtension); }
void CValuxaView::ShowAllLinesCostAnalysis() { ShowAllSubjects(kCostPerLineAnalysis); }
void CValuxaView::ShowAllGroupsCostAnalysis() { ShowAllSubjects(kCostPerGroup); }
void CValuxaView::ShowAllExtensionsEfficiencyAnalysis() { ShowAllSubjects(kEfficiencyPerExtension); }
void CValuxaView::ShowAllGroupsEfficiencyAnalysis() { ShowAllSubjects(kEfficiencyPerGroup); }

void CValuxaView::ShowOneSubject(int analysis, int subject)
{
    if (const auto rows = ComputeSubject(analysis, subject))
        FillOneSubject(*rows, IsEfficiency(analysis));
}

void CValuxaView::FillOneSubject(const std::vector<CostStatsRow>& rows, bool efficiency)
{
    const QString separator = QLocale().decimalPoint();
    const QStringList names = StatisticsRowNames(efficiency);
    const int count = static_cast<int>(rows.size());
    const auto value = [efficiency](const CostStatsRow& row) {
        return efficiency ? row.totalDuration / kSecondsPerMinute : row.totalCost;
    };
    const auto share = [efficiency](const CostStatsRow& row) { return efficiency ? row.durationShare : row.costShare; };

    std::vector<double> values;
    std::vector<double> shares;
    for (const CostStatsRow& row : rows) {
        values.push_back(ChartValue(value(row)));
        shares.push_back(ChartValue(share(row)));
    }
    m_chart1->Reset();
    m_chart1->SetData(1, count, values);
    m_chart1->SetLegendShown(true);
    for (int i = 0; i < count; ++i) {
        const QString name = i < names.size() ? names[i] : QString();
        m_chart1->SetColumnLabel(i, name);
        m_list->AddRow(QStringList{name} + StatisticsTexts(rows[static_cast<std::size_t>(i)], efficiency), i);
    }
    const int columns = m_list->ColumnCount();
    QStringList total(columns);
    total[0] = LoadResString(kTotalString);
    if (efficiency) {
        total[1] = FormatDuration(rows.empty() ? 0.0 : rows[0].grandTotalDuration);
    } else {
        total[1] = Money(rows.empty() ? 0.0 : rows[0].grandTotalCost);
        total[4] = FormatDuration(rows.empty() ? 0.0 : rows[0].grandTotalDuration);
    }
    m_list->AddRow(QStringList(columns), count);
    m_list->AddRow(total, count + 1);

    // A point's label is shown only where there is something to show.
    const QString format = efficiency ? MinutesFormat(separator, 2) : EuroFormat(separator);
    for (int i = 0; i < count; ++i) {
        m_chart1->SetPointLabels(i, values[static_cast<std::size_t>(i)] != 0.0, format);
    }
    m_chart1->SetRowLabel(0, QString());

    m_chart2->Reset();
    m_chart2->SetData(1, count, shares);
    for (int i = 0; i < count; ++i)
        m_chart2->SetPointLabels(i, shares[static_cast<std::size_t>(i)] != 0.0, ShareFormat(separator));
    m_chart2->SetRowLabel(0, QString());
}

CValuxaView::StatisticsRun CValuxaView::CollectAllSubjects(int analysis)
{
    StatisticsRun run;
    std::vector<std::pair<int, QString>> subjects;  // the value the computation takes, the text shown
    if (IsGroup(analysis)) {
        std::vector<GroupListEntry> groups;
        if (!m_database || m_database->SelectGroups(m_statisticsPbx, groups) != 0 || groups.empty()) {
            run.noGroups = true;
            return run;
        }
        for (const GroupListEntry& group : groups)
            subjects.emplace_back(group.id, group.name);
    } else if (analysis == kCostPerLineAnalysis) {
        for (int line = 0; line < m_pbxs.LineCount(m_statisticsPbx); ++line)
            subjects.emplace_back(line, m_pbxs.LineName(m_statisticsPbx, line));
    } else {
        for (int extension = 0; extension < m_pbxs.ExtensionCount(m_statisticsPbx); ++extension)
            subjects.emplace_back(extension, m_pbxs.ExtensionLabel(m_statisticsPbx, extension));
    }
    for (const auto& [subject, name] : subjects) {
        auto rows = ComputeSubject(analysis, subject);
        if (!rows) {
            run.complete = false;
            break;
        }
        run.subjects.push_back({name, std::move(*rows)});
    }
    return run;
}

void CValuxaView::ShowAllSubjects(int analysis)
{
    const StatisticsRun run = CollectAllSubjects(analysis);
    if (run.noGroups) {
        ShowGroupError(this, kNoGroupsString);
        return;
    }
    FillAllSubjects(run, IsEfficiency(analysis));
}

void CValuxaView::FillAllSubjects(const StatisticsRun& run, bool efficiency)
{
    const QStringList names = StatisticsRowNames(efficiency);
    const int types = static_cast<int>(names.size());
    double costSum = 0.0;
    double durationSum = 0.0;
    std::vector<double> values;
    values.reserve(run.subjects.size() * static_cast<std::size_t>(types));
    for (const StatisticsSubject& subject : run.subjects) {
        for (int k = 0; k < types; ++k) {
            const CostStatsRow row = k < static_cast<int>(subject.rows.size()) ? subject.rows[static_cast<std::size_t>(k)]
                                                                              : CostStatsRow{};
            values.push_back(ChartValue(efficiency ? row.totalDuration / kSecondsPerMinute : row.totalCost));
            m_list->AddRow(QStringList{subject.name, names[k]} + StatisticsTexts(row, efficiency), m_list->RowCount());
        }
        if (!subject.rows.empty()) {
            costSum += subject.rows[0].grandTotalCost;
            durationSum += subject.rows[0].grandTotalDuration;
        }
    }
    if (!run.complete)
        return;  // the rows so far stay; no total, and the chart keeps what it showed

    const int columns = m_list->ColumnCount();
    QStringList total(columns);
    total[0] = LoadResString(kTotalString);
    if (efficiency) {
        total[2] = FormatDuration(durationSum);
    } else {
        total[2] = Money(costSum);
        total[5] = FormatDuration(durationSum);
    }
    m_list->AddRow(QStringList(columns), m_list->RowCount());
    m_list->AddRow(total, m_list->RowCount());

    const QString separator = QLocale().decimalPoint();
    const int subjects = static_cast<int>(run.subjects.size());
    m_chart1->Reset();
    m_chart1->SetData(subjects, types, values);
    m_chart1->SetLegendShown(true);
    for (int k = 0; k < types; ++k)
        m_chart1->SetColumnLabel(k, names[k]);
    // Costs carry their labels; durations of many subjects would crowd the chart.
    m_chart1->SetPointLabels(-1, !efficiency, efficiency ? MinutesFormat(separator, 1) : EuroFormat(separator));
    for (int s = 0; s < subjects; ++s)
        m_chart1->SetRowLabel(s, run.subjects[static_cast<std::size_t>(s)].name);
}

void CValuxaView::OnExtensionGroups()
{
    if (m_database) {
        CExtensionGroupsDlg dialog(*m_database, m_pbxs, this);
        dialog.exec();
    }
    if (m_mode == kStatisticsMode)
        RebuildWith(kStatisticsMode, m_statisticsAnalysis, 0);
}
