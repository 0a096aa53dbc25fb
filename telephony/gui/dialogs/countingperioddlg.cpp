#include "countingperioddlg.h"

#include "dialogbuttons.h"
#include "stringtable.h"

#include <QDateEdit>
#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QTimeEdit>

namespace {

constexpr unsigned kStartTitle = 1166;
constexpr unsigned kEndTitle = 1167;
constexpr unsigned kCancelString = 10050;
constexpr unsigned kDateString = 1086;
constexpr unsigned kTimeString = 1087;

QLabel* IdLabel(unsigned text, int id, QWidget* parent)
{
    auto label = new QLabel(LoadResString(text), parent);
    label->setObjectName(QString::number(id));
    return label;
}

}  // namespace

CCountingPeriodDlg::CCountingPeriodDlg(int mode, QWidget* parent)
    : QDialog(parent), m_date(new QDateEdit(QDate::currentDate(), this)),
      m_time(new QTimeEdit(QTime::currentTime(), this))
{
    setObjectName(QStringLiteral("131"));
    if (mode == kStartMode)
        setWindowTitle(LoadResString(kStartTitle));
    else if (mode == kEndMode)
        setWindowTitle(LoadResString(kEndTitle));
    m_date->setObjectName(QString::number(kDate));
    m_date->setCalendarPopup(true);
    m_time->setObjectName(QString::number(kTime));
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    QPushButton* ok = IdButton(LoadResString(kOkButtonString), kOk, this);
    ok->setDefault(true);
    QPushButton* cancel = IdButton(LoadResString(kCancelString), kCancel, this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto grid = new QGridLayout;
    grid->addWidget(IdLabel(kDateString, kDateLabel, this), 0, 0);
    grid->addWidget(m_date, 0, 1);
    grid->addWidget(IdLabel(kTimeString, kTimeLabel, this), 1, 0);
    grid->addWidget(m_time, 1, 1);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow({ok, cancel}));
}

void CCountingPeriodDlg::SetDate(const QDate& date)
{
    m_date->setDate(date);
}

void CCountingPeriodDlg::SetTime(const QTime& time)
{
    m_time->setTime(time);
}

QDate CCountingPeriodDlg::Date() const
{
    return m_date->date();
}

QTime CCountingPeriodDlg::Time() const
{
    return m_time->time();
}
