#include "wakeuptimedlg.h"

#include "dialogbuttons.h"
#include "stringtable.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr unsigned kProgramNameString = 1004;
constexpr unsigned kInvalidTimeString = 1069;
constexpr unsigned kWakeUpTitle = 10030;
constexpr unsigned kTimeLabelString = 10032;
constexpr unsigned kDailyString = 10033;
constexpr unsigned kSingleString = 10034;
constexpr unsigned kModeLabelString = 10035;
constexpr unsigned kDateLabelString = 10041;
constexpr unsigned kDateFilterTitle = 10042;
constexpr unsigned kDoneString = 10049;
constexpr unsigned kCancelString = 10050;
constexpr int kTimeDigits = 4;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kIconSide = 32;

// The wake-up picture: an alarm clock with its two bells at seven.
QIcon AlarmClockIcon()
{
    QPixmap pixmap(kIconSide, kIconSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = kIconSide / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC0, 0x30, 0x30));
    painter.drawEllipse(QRectF(1 * unit, 1 * unit, 5 * unit, 5 * unit));
    painter.drawEllipse(QRectF(10 * unit, 1 * unit, 5 * unit, 5 * unit));
    painter.setPen(QPen(QColor(0xC0, 0x30, 0x30), 1.5 * unit));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(2.5 * unit, 3 * unit, 11 * unit, 11 * unit));
    painter.setPen(QPen(Qt::black, 1.2 * unit, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(8 * unit, 8.5 * unit);
    painter.drawLine(centre, centre + QPointF(0, -3.5 * unit));
    painter.drawLine(centre, centre + QPointF(-2 * unit, 2.5 * unit));
    return QIcon(pixmap);
}

QLabel* IdLabel(unsigned text, int id, QWidget* parent)
{
    auto label = new QLabel(LoadResString(text), parent);
    label->setObjectName(QString::number(id));
    return label;
}

}  // namespace

bool CWakeUpTimeDlg::ParseTime(const QString& text, int& hour, int& minute)
{
    if (text.size() != kTimeDigits)
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    hour = text.left(2).toInt();
    minute = text.right(2).toInt();
    return hour <= kLastHour && minute <= kLastMinute;
}

CWakeUpTimeDlg::CWakeUpTimeDlg(Mode mode, QWidget* parent)
    : QDialog(parent), m_mode(mode), m_time(new QLineEdit(this)), m_kind(new QComboBox(this)),
      m_date(new QDateEdit(this))
{
    setObjectName(QStringLiteral("176"));
    m_time->setObjectName(QString::number(kTime));
    m_kind->setObjectName(QString::number(kKind));
    m_date->setObjectName(QString::number(kDate));
    m_date->setCalendarPopup(true);
    QLabel* modeLabel = IdLabel(mode == kWakeUpMode ? kModeLabelString : kDateLabelString, kModeLabel, this);
    QPushButton* ok = IdButton(LoadResString(kDoneString), kOk, this);
    ok->setDefault(true);
    QPushButton* cancel = IdButton(LoadResString(kCancelString), kCancel, this);
    connect(ok, &QPushButton::clicked, this, &CWakeUpTimeDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto grid = new QGridLayout;
    grid->addWidget(IdLabel(kTimeLabelString, kTimeLabel, this), 0, 0);
    grid->addWidget(m_time, 0, 1);
    grid->addWidget(modeLabel, 1, 0);
    grid->addWidget(m_kind, 1, 1);
    grid->addWidget(m_date, 2, 1);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow({ok, cancel}));
}

CWakeUpTimeDlg::CWakeUpTimeDlg(PbxStateTables::WakeUp& record, QWidget* parent)
    : CWakeUpTimeDlg(kWakeUpMode, parent)
{
    m_record = &record;
    setWindowTitle(LoadResString(kWakeUpTitle));
    setWindowIcon(AlarmClockIcon());
    m_time->setText(QStringLiteral("%1%2").arg(record[2], 2, 10, QChar(u'0')).arg(record[3], 2, 10, QChar(u'0')));
    m_kind->addItem(LoadResString(kSingleString));
    m_kind->addItem(LoadResString(kDailyString));
    m_kind->setCurrentIndex(record[1] == kDaily ? kDailyPosition : kSinglePosition);
    m_date->hide();
}

CWakeUpTimeDlg::CWakeUpTimeDlg(OleDate& date, QWidget* parent) : CWakeUpTimeDlg(kDateFilterMode, parent)
{
    setWindowTitle(LoadResString(kDateFilterTitle));
    m_time->setText(QStringLiteral("%1:%2").arg(date.Hour(), 2, 10, QChar(u'0')).arg(date.Minute(), 2, 10, QChar(u'0')));
    m_kind->hide();
    m_date->setDate(date.Date());
}

void CWakeUpTimeDlg::OnOk()
{
    if (m_mode == kDateFilterMode) {
        accept();
        return;
    }
    int hour = 0;
    int minute = 0;
    if (!ParseTime(m_time->text(), hour, minute)) {
        QMessageBox::critical(this, LoadResString(kProgramNameString), LoadResString(kInvalidTimeString));
        return;
    }
    (*m_record)[1] = m_kind->currentIndex() == kDailyPosition ? kDaily : kSingle;
    (*m_record)[2] = static_cast<std::uint8_t>(hour);
    (*m_record)[3] = static_cast<std::uint8_t>(minute);
    (*m_record)[4] = 0;
    accept();
}
