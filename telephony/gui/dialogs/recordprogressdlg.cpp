#include "recordprogressdlg.h"

#include "event.h"
#include "stringtable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr unsigned kTitleString = 1253;
constexpr unsigned kStopString = 1254;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;
constexpr int kMinimumWidth = 300;

QLabel* TimeLabel(int id, const QString& text, QWidget* parent)
{
    auto label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    return label;
}

}  // namespace

QString CRecordProgressDlg::FormatTime(std::uint16_t seconds)
{
    int rest = seconds;
    const int hours = rest >= kSecondsPerHour ? rest / kSecondsPerHour : 0;
    rest -= hours * kSecondsPerHour;
    const int minutes = rest >= kSecondsPerMinute ? rest / kSecondsPerMinute : 0;
    rest -= minutes * kSecondsPerMinute;
    if (hours > 0)
        return QStringLiteral("%1.%2.%3").arg(hours).arg(minutes, 2, 10, QChar(u'0')).arg(rest, 2, 10, QChar(u'0'));
    return QStringLiteral("%1.%2").arg(minutes).arg(rest, 2, 10, QChar(u'0'));
}

CRecordProgressDlg::CRecordProgressDlg(std::uint16_t totalSeconds, Event& stop, QWidget* parent)
    : QDialog(parent), m_totalSeconds(totalSeconds), m_stop(stop), m_bar(new QProgressBar(this)),
      m_elapsed(TimeLabel(kElapsedTime, FormatTime(0), this))
{
    setObjectName(QStringLiteral("133"));
    setWindowTitle(LoadResString(kTitleString));
    m_bar->setObjectName(QString::number(kBar));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    auto hidden = new QPushButton(this);
    hidden->setObjectName(QString::number(kHiddenButton));
    hidden->hide();
    auto stopButton = new QPushButton(LoadResString(kStopString), this);
    stopButton->setObjectName(QString::number(kStop));
    connect(stopButton, &QPushButton::clicked, this, [this] { m_stop.Set(); });

    auto times = new QHBoxLayout;
    times->addWidget(TimeLabel(kStartTime, FormatTime(0), this));
    times->addStretch();
    times->addWidget(m_elapsed);
    times->addStretch();
    times->addWidget(TimeLabel(kTotalTime, FormatTime(totalSeconds), this));
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addLayout(times);
    layout->addWidget(stopButton, 0, Qt::AlignHCenter);
    setMinimumWidth(kMinimumWidth);
}

void CRecordProgressDlg::SetElapsed(std::uint16_t seconds)
{
    m_elapsed->setText(FormatTime(seconds));
    if (m_totalSeconds != 0)
        m_bar->setValue(std::min(seconds * 100 / m_totalSeconds, 100));
}

