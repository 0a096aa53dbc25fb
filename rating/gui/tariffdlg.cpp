#include "tariffdlg.h"

#include "dialogparts.h"
#include "numericedit.h"
#include "timebanddlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace {

constexpr unsigned kTitleText = 1069;
constexpr unsigned kNameText = 1085;
constexpr unsigned kTypeText = 1067;
constexpr unsigned kPulseTariffText = 1001;
constexpr unsigned kTimeTariffText = 1000;
constexpr unsigned kPulseCostText = 1066;
constexpr unsigned kAnswerGroupText = 1064;
constexpr unsigned kCoveredText = 1075;
constexpr unsigned kAnswerCostText = 1074;
constexpr unsigned kDataGroupText = 1065;
constexpr unsigned kBandsHintText = 1068;
constexpr unsigned kFirstDayText = 3100;  // 3100-3106 the days, 3107-3109 the copy's day sets
constexpr unsigned kCentsPerSecondText = 1062;
constexpr unsigned kPulseSecondsText = 1063;
constexpr unsigned kBandsColumnText = 1059;
constexpr unsigned kCostColumnText = 1060;
constexpr unsigned kDurationColumnText = 1061;
constexpr unsigned kCopyGroupText = 1076;
constexpr unsigned kFromText = 1077;
constexpr unsigned kToText = 1078;
constexpr unsigned kApplyText = 1079;
constexpr unsigned kVariationGroupText = 1084;
constexpr unsigned kRaiseCostText = 1080;  // 1080-1081 time tariff, 1082-1083 pulse tariff
constexpr unsigned kRaisePulseText = 1082;

constexpr int kPulseTypeItem = 0;
constexpr int kTimeTypeItem = 1;
constexpr int kLowerItem = 1;
constexpr int kCopyTargets = 10;  // seven days, weekdays, weekdays and Saturday, all
constexpr int kWeekdaysTarget = 7;
constexpr int kWeekdaysSaturdayTarget = 8;
constexpr int kAllDaysTarget = 9;
constexpr double kCentsPerEuro = 100.0;
constexpr double kNewPulseCost = 0.1;  // euro: a tariff switched to pulses starts at 10 cents
constexpr double kMinPulseCents = 0.05;
constexpr double kMaxCents = 50000.0;
constexpr double kMaxSeconds = 100000.0;
constexpr double kMaxPercent = 100.0;
constexpr qsizetype kNameLength = TariffRecord::kNameWidth - 1;
constexpr int kListWidth = 230;
constexpr int kListHeight = 120;

QString HourMinutes(double seconds)
{
    const auto whole = static_cast<long>(seconds);
    return QString::asprintf("%ld:%02ld", whole / 3600, whole % 3600 / 60);
}

CNumericEdit* NumericEdit(int id, int decimals, double minimum, double maximum, double value)
{
    auto edit = NamedControl(new CNumericEdit, id);
    edit->SetFormat(CNumericEdit::kDecimals, static_cast<short>(decimals), 0);
    edit->SetRangeAndValue(minimum, maximum, value);
    return edit;
}

}  // namespace

CTariffDlg::CTariffDlg(const TariffRecord* tariff, const double* variation, bool nameEditable,
                       bool pulseCounterForm, QWidget* parent)
    : QDialog(parent)
{
    if (tariff)
        m_tariff = *tariff;
    else
        InitEmptyTariff(m_tariff);
    m_variation = variation ? *variation : 0.0;
    setObjectName(QString::number(kDialogId));
    setWindowTitle(LoadResString(kTitleText));

    auto left = new QVBoxLayout;
    left->addWidget(BuildDataGroup(nameEditable));
    left->addWidget(BuildCopyGroup());
    left->addWidget(BuildVariationGroup());
    left->addStretch();
    auto top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(BuildDayLists());
    auto layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(OkCancelRow(this, 1041, 1042));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_variationSign->addItems({QString(), QString()});
    m_variationSign->setCurrentIndex(m_variation < 0 ? kLowerItem : 0);
    Refresh();

    if (pulseCounterForm) {
        // The PBX pulse tariff: no bands, no copy, no variation; the dialog ends below the answer charge.
        m_days->hide();
        m_copyGroup->hide();
        m_variationGroup->hide();
        m_type->setEnabled(false);
        m_covered->setEnabled(false);
    }
}

QWidget* CTariffDlg::BuildDataGroup(bool nameEditable)
{
    m_name = NamedControl(new QLineEdit(m_tariff.name), 1043);
    m_type = NamedControl(new QComboBox, 1017);
    m_name->setEnabled(nameEditable);
    // The fixed slots (the PBX pulse tariff, the generic tariff) keep their type as well as their name.
    m_type->setEnabled(nameEditable);
    m_type->addItems({LoadResString(kPulseTariffText), LoadResString(kTimeTariffText)});
    m_type->setCurrentIndex(IsPulseTariff() ? kPulseTypeItem : kTimeTypeItem);
    m_pulseCost = NumericEdit(1018, 4, kMinPulseCents, kMaxCents, 0);
    m_covered = NumericEdit(1021, 1, 0, kMaxSeconds, m_tariff.coveredSeconds);
    m_answer = NumericEdit(1023, 4, 0, kMaxCents, m_tariff.answerCharge * kCentsPerEuro);

    auto answer = NamedControl(new QGroupBox(LoadResString(kAnswerGroupText)), 1025);
    auto answerForm = new QFormLayout(answer);
    answerForm->addRow(NamedControl(new QLabel(LoadResString(kCoveredText)), 1022), m_covered);
    answerForm->addRow(NamedControl(new QLabel(LoadResString(kAnswerCostText)), 1024), m_answer);

    auto group = NamedControl(new QGroupBox(LoadResString(kDataGroupText)), 1020);
    auto form = new QFormLayout(group);
    form->addRow(NamedControl(new QLabel(LoadResString(kNameText)), 1044), m_name);
    form->addRow(NamedControl(new QLabel(LoadResString(kTypeText)), 1016), m_type);
    form->addRow(NamedControl(new QLabel(LoadResString(kPulseCostText)), 1019), m_pulseCost);
    form->addRow(answer);
    m_name->setMinimumWidth(220);

    // Closing the type's list (a choice, also the same one) sets the type's pulse cost.
    connect(m_type, &QComboBox::activated, this, [this] { OnTypeChosen(); });
    connect(m_pulseCost, &CNumericEdit::Notify, this, [this](int code) {
        if (code == CNumericEdit::kCommittedCode && IsPulseTariff())
            m_tariff.pulseCost = m_pulseCost->GetValue() / kCentsPerEuro;
    });
    return group;
}

QWidget* CTariffDlg::BuildDayLists()
{
    m_days = new QWidget;
    auto grid = new QGridLayout(m_days);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(NamedControl(new QLabel(LoadResString(kBandsHintText)), 1040), 0, 0, 1, 2);
    for (int day = 0; day < TariffRecord::kDayCount; ++day) {
        m_dayLabels[day] = NamedControl(new QLabel, kFirstDayList + 2 * day + 1);
        auto list = NamedControl(new QTableWidget(0, 2), kFirstDayList + 2 * day);
        list->verticalHeader()->hide();
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setShowGrid(true);
        list->setFixedSize(kListWidth, kListHeight);
        const int inner = kListWidth - 2 * list->frameWidth();
        list->setColumnWidth(0, inner * 3 / 5 - 4);
        list->setColumnWidth(1, inner * 2 / 5);
        list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
        connect(list, &QTableWidget::cellDoubleClicked, this, [this, day] { EditDayBands(day); });
        m_dayLists[day] = list;
        const int row = 1 + day / 2 * 2;
        grid->addWidget(m_dayLabels[day], row, day % 2);
        grid->addWidget(list, row + 1, day % 2);
    }
    return m_days;
}

QWidget* CTariffDlg::BuildCopyGroup()
{
    m_copyGroup = NamedControl(new QGroupBox(LoadResString(kCopyGroupText)), 1053);
    m_copyFrom = NamedControl(new QComboBox, 1051);
    for (int day = 0; day < TariffRecord::kDayCount; ++day)
        m_copyFrom->addItem(LoadResString(kFirstDayText + static_cast<unsigned>(day)));
    m_copyTo = NamedControl(new QComboBox, 1052);
    auto apply = NamedControl(new QPushButton(LoadResString(kApplyText)), 1054);
    auto form = new QGridLayout(m_copyGroup);
    form->addWidget(NamedControl(new QLabel(LoadResString(kFromText)), 1055), 0, 0);
    form->addWidget(m_copyFrom, 0, 1);
    form->addWidget(NamedControl(new QLabel(LoadResString(kToText)), 1056), 1, 0);
    form->addWidget(m_copyTo, 1, 1);
    form->addWidget(apply, 2, 1, Qt::AlignRight);
    connect(m_copyFrom, &QComboBox::activated, this, [this] { Refresh(); });
    connect(apply, &QPushButton::clicked, this, [this] { OnCopyBands(); });
    return m_copyGroup;
}

QWidget* CTariffDlg::BuildVariationGroup()
{
    m_variationGroup = NamedControl(new QGroupBox(LoadResString(kVariationGroupText)), 1059);
    m_variationSign = NamedControl(new QComboBox, 1045);
    m_variationPercent = NumericEdit(1057, 2, 0, kMaxPercent, std::fabs(m_variation) * kCentsPerEuro);
    auto row = new QHBoxLayout;
    row->addWidget(m_variationPercent);
    row->addWidget(NamedControl(new QLabel(QStringLiteral("%")), 1096));
    auto layout = new QVBoxLayout(m_variationGroup);
    layout->addWidget(m_variationSign);
    layout->addLayout(row);
    return m_variationGroup;
}

QString CTariffDlg::BandTimes(const TariffBand& band)
{
    return HourMinutes(band.start) + QStringLiteral(" - ") + HourMinutes(band.end);
}

void CTariffDlg::FillDayList(int day)
{
    QTableWidget* list = m_dayLists[day];
    const std::vector<TariffBand>& bands = m_tariff.days[day].bands;
    list->setHorizontalHeaderLabels(
        {LoadResString(kBandsColumnText), LoadResString(IsPulseTariff() ? kDurationColumnText : kCostColumnText)});
    list->setRowCount(static_cast<int>(bands.size()));
    for (int row = 0; row < list->rowCount(); ++row) {
        const TariffBand& band = bands[static_cast<std::size_t>(row)];
        list->setItem(row, 0, new QTableWidgetItem(BandTimes(band)));
        list->setItem(row, 1, new QTableWidgetItem(IsPulseTariff() ? QString::asprintf("%0.1f", band.value)
                                                                   : QString::asprintf("%0.4f", band.value * 100)));
    }
}

void CTariffDlg::Refresh()
{
    const bool pulses = IsPulseTariff();
    for (int day = 0; day < TariffRecord::kDayCount; ++day) {
        m_dayLabels[day]->setText(LoadResString(kFirstDayText + static_cast<unsigned>(day)) + QStringLiteral(" - ") +
                                  LoadResString(pulses ? kPulseSecondsText : kCentsPerSecondText));
        FillDayList(day);
    }
    m_pulseCost->setEnabled(pulses);
    m_pulseCost->SetValue(pulses ? m_tariff.pulseCost * kCentsPerEuro : 0.0);

    const int sign = m_variationSign->currentIndex();
    const unsigned first = pulses ? kRaisePulseText : kRaiseCostText;
    m_variationSign->setItemText(0, LoadResString(first));
    m_variationSign->setItemText(1, LoadResString(first + 1));
    m_variationSign->setCurrentIndex(sign);

    const int source = m_copyFrom->currentIndex();
    const QSignalBlocker blocker(m_copyTo);
    m_copyTo->clear();
    for (int target = 0; target < kCopyTargets; ++target) {
        if (target != source)
            m_copyTo->addItem(LoadResString(kFirstDayText + static_cast<unsigned>(target)));
    }
    m_copyTo->setCurrentIndex(0);
}

void CTariffDlg::OnTypeChosen()
{
    m_tariff.pulseCost = m_type->currentIndex() == kPulseTypeItem ? kNewPulseCost : 0.0;
    Refresh();
}

void CTariffDlg::EditDayBands(int day)
{
    if (day < 0 || day >= TariffRecord::kDayCount)
        return;
    const std::vector<TariffBand>& old = m_tariff.days[day].bands;
    const bool pulses = IsPulseTariff();
    TariffDay working;
    double start = 0.0;
    double lastShown = 0.0;
    for (int band = 0; band < TariffDay::kMaxBands; ++band) {
        CTimeBandDlg dialog(band | (pulses ? CTimeBandDlg::kPulseTariffFlag : 0), start, this);
        if (band < static_cast<int>(old.size())) {
            const TariffBand& previous = old[static_cast<std::size_t>(band)];
            dialog.Prefill(previous.end > start ? previous.end : kSecondsPerDay,
                           pulses ? previous.value : previous.value * kCentsPerEuro);
        } else if (band > 0) {
            dialog.Prefill(kSecondsPerDay, lastShown);
        }
        if (dialog.exec() != QDialog::Accepted)
            return;
        lastShown = dialog.ShownValue();
        TariffBand entered{start, dialog.End(), dialog.Value(), band % 2 ? kRedBand : kGreenBand};
        if (band == TariffDay::kMaxBands - 1)
            entered.end = kSecondsPerDay;  // the eighth band always closes the day
        working.bands.push_back(entered);
        if (entered.end >= kSecondsPerDay)
            break;
        start = entered.end;
    }
    m_tariff.days[day] = working;
    Refresh();
}

void CTariffDlg::OnCopyBands()
{
    const int source = m_copyFrom->currentIndex();
    const int chosen = m_copyTo->currentIndex();
    if (source < 0 || chosen < 0)
        return;
    // The target list leaves the source day out: the entries from it on stand one further.
    const int target = chosen + (chosen >= source ? 1 : 0);
    const auto [first, last] = target == kWeekdaysTarget            ? std::pair{0, 4}
                               : target == kWeekdaysSaturdayTarget ? std::pair{0, 5}
                               : target == kAllDaysTarget          ? std::pair{0, TariffRecord::kDayCount - 1}
                                                                   : std::pair{target, target};
    const TariffDay copied = m_tariff.days[source];
    for (int day = first; day <= last; ++day)
        m_tariff.days[day] = copied;
    Refresh();
}

void CTariffDlg::accept()
{
    m_tariff.name = m_name->text().left(kNameLength);
    m_tariff.answerCharge = m_answer->GetValue() / kCentsPerEuro;
    m_tariff.coveredSeconds = m_covered->GetValue();
    m_tariff.pulseCost = m_type->currentIndex() == kTimeTypeItem ? 0.0 : m_pulseCost->GetValue() / kCentsPerEuro;
    m_variation = m_variationPercent->GetValue() / kCentsPerEuro;
    if (m_variationSign->currentIndex() == kLowerItem)
        m_variation = -m_variation;
    QDialog::accept();
}
