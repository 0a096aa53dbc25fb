#include "datetimedlg.h"

#include "controlid.h"
#include "stringtable.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

constexpr unsigned kTitles[] = {1046, 1047, 1124, 1125, 1166, 1167};
constexpr unsigned kDateText = 1048;
constexpr unsigned kTimeText = 1049;
constexpr unsigned kOkText = 19001;
constexpr unsigned kCancelText = 1202;
// Room a title bar takes besides the title: icon, minimise/close buttons and their gaps.
constexpr int kTitleBarButtonsWidth = 120;

}  // namespace

CDateTimeDlg::CDateTimeDlg(std::uint8_t purpose, QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(LoadResString(TitleString(purpose)));
    m_date = m_time = OleDate::Now();
    m_datePicker = Named(new QDateEdit, 1007);
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(DateFormat(QLocale()));
    m_timePicker = Named(new QTimeEdit, 1009);
    m_timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    auto grid = new QGridLayout;
    grid->addWidget(Named(new QLabel(LoadResString(kDateText)), 1008), 0, 0);
    grid->addWidget(m_datePicker, 0, 1);
    grid->addWidget(Named(new QLabel(LoadResString(kTimeText)), 1010), 1, 0);
    grid->addWidget(m_timePicker, 1, 1);
    auto ok = Named(new QPushButton(LoadResString(kOkText)), 1011);
    auto cancel = Named(new QPushButton(LoadResString(kCancelText)), 1012);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CDateTimeDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CDateTimeDlg::reject);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    // Wide enough for the whole title beside the window manager's buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarButtonsWidth);
}

QString CDateTimeDlg::DateFormat(const QLocale& locale)
{
    // The language's short date, its year always with four digits.
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

unsigned CDateTimeDlg::TitleString(std::uint8_t purpose)
{
    return purpose < std::size(kTitles) ? kTitles[purpose] : kTitles[0];
}

OleDate CDateTimeDlg::Combined() const
{
    return OleDate(m_date.Year(), m_date.Month(), m_date.Day(), m_time.Hour(), m_time.Minute(), m_time.Second());
}

void CDateTimeDlg::showEvent(QShowEvent* event)
{
    m_datePicker->setDate(m_date.Date());
    m_timePicker->setTime(m_time.Time());
    QDialog::showEvent(event);
}

void CDateTimeDlg::accept()
{
    const QDate date = m_datePicker->date();
    const QTime time = m_timePicker->time();
    m_date = OleDate(date.year(), date.month(), date.day());
    m_time = OleDate(1899, 12, 30, time.hour(), time.minute(), time.second());
    QDialog::accept();
}
