#include "timebanddlg.h"

#include "dialogparts.h"
#include "numericedit.h"
#include "tariffrecord.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr unsigned kTitleText = 1070;
constexpr unsigned kStartText = 1071;
constexpr unsigned kEndText = 1072;
constexpr unsigned kCentsPerSecondText = 1062;
constexpr unsigned kPulseSecondsText = 1063;
constexpr unsigned kBadEntryText = 1073;
constexpr unsigned kEndHintText = 1112;
constexpr int kHhmmLength = 4;
constexpr int kLastHour = 24;
constexpr int kMinutesPerHour = 60;
constexpr double kCentsPerEuro = 100.0;
constexpr double kMaxCents = 50000.0;
constexpr double kMaxPulseSeconds = 100000.0;

}  // namespace

QString HhmmText(double seconds)
{
    const auto whole = static_cast<long>(seconds);
    return QString::asprintf("%02ld%02ld", whole / 3600, whole % 3600 / 60);
}

CTimeBandDlg::CTimeBandDlg(int band, double start, QWidget* parent)
    : QDialog(parent), m_pulseTariff(band & kPulseTariffFlag), m_start(start), m_end(kSecondsPerDay)
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(LoadResString(kTitleText) + u' ' + QString::number((band & ~kPulseTariffFlag) + 1));
    auto startEdit = NamedControl(new QLineEdit(HhmmText(start)), 1043);
    startEdit->setEnabled(false);
    m_endEdit = NamedControl(new QLineEdit(HhmmText(m_end)), 1044);
    m_valueEdit = NamedControl(new CNumericEdit, 1045);
    m_valueEdit->SetFormat(CNumericEdit::kDecimals, m_pulseTariff ? 1 : 4, 0);
    m_valueEdit->SetRange(0, m_pulseTariff ? kMaxPulseSeconds : kMaxCents);

    auto grid = new QGridLayout;
    grid->addWidget(NamedControl(new QLabel(LoadResString(kStartText)), 1046), 0, 0);
    grid->addWidget(startEdit, 0, 1);
    grid->addWidget(NamedControl(new QLabel(LoadResString(kEndText)), 1047), 1, 0);
    grid->addWidget(m_endEdit, 1, 1);
    grid->addWidget(
        NamedControl(new QLabel(LoadResString(m_pulseTariff ? kPulseSecondsText : kCentsPerSecondText)), 1048), 2, 0);
    grid->addWidget(m_valueEdit, 2, 1);
    auto hint = NamedControl(new QLabel(LoadResString(kEndHintText)), 1061);
    hint->setWordWrap(true);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(hint);
    layout->addLayout(OkCancelRow(this, 1, 1050));
    setMinimumWidth(360);
}

void CTimeBandDlg::Prefill(double end, double shownValue)
{
    m_end = end;
    m_endEdit->setText(HhmmText(end));
    m_valueEdit->SetValue(shownValue);
}

double CTimeBandDlg::ShownValue() const
{
    return m_valueEdit->GetValue();
}

std::optional<double> CTimeBandDlg::ParseEnd(const QString& text)
{
    // Four digits, nothing else: "ab30" is no time (it once read as 00:30).
    if (text.size() != kHhmmLength ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const int hours = text.left(2).toInt();
    const int minutes = text.right(2).toInt();
    if (hours > kLastHour || minutes >= kMinutesPerHour)
        return std::nullopt;
    return hours * 3600.0 + minutes * 60.0;
}

void CTimeBandDlg::accept()
{
    const std::optional<double> end = ParseEnd(m_endEdit->text());
    if (!end || *end > kSecondsPerDay || *end <= m_start) {
        QMessageBox::critical(this, LoadResString(kProgramCaptionText), LoadResString(kBadEntryText));
        return;
    }
    m_end = *end;
    m_value = m_pulseTariff ? ShownValue() : ShownValue() / kCentsPerEuro;
    QDialog::accept();
}
