#include "statisticsdlg.h"

#include "gridlines.h"
#include "roomarray.h"
#include "sortlistctrl.h"
#include "statisticsanalysis.h"
#include "stringtable.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lodgix {

namespace {

constexpr unsigned kTitleText = 5051;
constexpr unsigned kStartText = 5052;
constexpr unsigned kTypeText = 5053;
constexpr unsigned kByCustomerText = 5054;  // .. 5056 by company, by room
constexpr unsigned kOutputText = 5057;
constexpr unsigned kDaysText = 5058;        // 5059 amounts paid
constexpr unsigned kMeanText = 2269;
constexpr unsigned kShareText = 5060;
constexpr unsigned kTotalText = 2270;
constexpr unsigned kFromText = 2141;
constexpr unsigned kToText = 2142;
constexpr unsigned kCancelText = 2047;
constexpr unsigned kPrintText = 2193;
constexpr unsigned kSaveText = 2256;
constexpr unsigned kCustomerText = 2166;
constexpr unsigned kCompanyText = 2167;
constexpr unsigned kRoomText = 2033;
// The list's width when the window opens: the columns share it.
constexpr int kListWidth = 840;
constexpr int kListHeight = 320;
// The columns leave room for the list's frame.
constexpr int kFrame = 4;

}  // namespace

CStatisticsDlg::CStatisticsDlg(LodgixState& state, DeskWindowLinks links, QWidget* parent)
    : CLodgixDialog(parent), m_state(state), m_links(std::move(links))
{
    setObjectName(Id(kDialogId));
    setWindowTitle(LoadResString(kTitleText));
    auto label = [this](unsigned text, int id) {
        auto widget = new QLabel(LoadResString(text), this);
        widget->setObjectName(Id(id));
        return widget;
    };
    auto button = [this](unsigned text, int id) {
        auto widget = new QPushButton(LoadResString(text), this);
        widget->setObjectName(Id(id));
        widget->setAutoDefault(false);
        return widget;
    };
    m_type = new QComboBox(this);
    m_type->setObjectName(Id(kTypeCombo));
    for (unsigned text = kByCustomerText; text <= kByCustomerText + 2; ++text)
        m_type->addItem(LoadResString(text));
    m_output = new QComboBox(this);
    m_output->setObjectName(Id(kOutputCombo));
    m_output->addItem(LoadResString(kDaysText));
    m_output->addItem(LoadResString(kDaysText + 1));
    const QDate today = QDate::currentDate();
    m_endDate = new QDateEdit(today, this);
    m_startDate = new QDateEdit(QDate(today.year(), 1, 1), this);
    m_startDate->setObjectName(Id(kStartDate));
    m_endDate->setObjectName(Id(kEndDate));
    for (QDateEdit* date : {m_startDate, m_endDate})
        date->setCalendarPopup(true);
    m_list = new CSortListCtrl(this);
    m_list->setObjectName(Id(kList));
    m_list->setMinimumSize(kListWidth, kListHeight);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    ShowGridLines(*m_list);
    // The analysis sorts its rows once; a click on a heading would move the total rows among them.
    m_list->header()->setSectionsClickable(false);
    SetColumns(0, 0);

    auto start = button(kStartText, kStart);
    auto cancel = button(kCancelText, kCancel);
    m_print = button(kPrintText, kPrint);
    m_save = button(kSaveText, kSave);
    m_print->setEnabled(false);
    m_save->setEnabled(false);
    connect(start, &QPushButton::clicked, this, &CStatisticsDlg::OnStart);
    connect(cancel, &QPushButton::clicked, this, &CStatisticsDlg::reject);
    connect(m_print, &QPushButton::clicked, this, [this] { m_links.PrintList(kPrintStatistics, *m_list); });
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (m_links.exportList)
            m_links.exportList(this, *m_list);
    });

    auto fields = new QGridLayout;
    fields->addWidget(label(kTypeText, 1341), 0, 0);
    fields->addWidget(m_type, 0, 1);
    fields->addWidget(label(kFromText, 1344), 0, 2);
    fields->addWidget(m_startDate, 0, 3);
    fields->addWidget(label(kOutputText, 1343), 1, 0);
    fields->addWidget(m_output, 1, 1);
    fields->addWidget(label(kToText, 1346), 1, 2);
    fields->addWidget(m_endDate, 1, 3);
    fields->setColumnStretch(4, 1);
    auto buttons = new QHBoxLayout;
    buttons->addWidget(start);
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addWidget(m_save);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
}

void CStatisticsDlg::SetColumns(int type, int output)
{
    m_list->clear();
    m_list->setColumnCount(0);
    const int width = std::max(kListWidth, m_list->width()) - kFrame;
    const unsigned heading[] = {kCustomerText, kCompanyText, kRoomText};
    m_list->InsertColumn(0, LoadResString(heading[type]), CSortListCtrl::kText, Qt::AlignLeft, width / 2);
    m_list->InsertColumn(1, LoadResString(kDaysText + static_cast<unsigned>(output)), CSortListCtrl::kNumber,
                         Qt::AlignLeft, width / 6);
    m_list->InsertColumn(2, LoadResString(kMeanText), CSortListCtrl::kNumber, Qt::AlignLeft, width / 6);
    m_list->InsertColumn(3, LoadResString(kShareText), CSortListCtrl::kNumber, Qt::AlignLeft, width / 6);
}

std::optional<QString> CStatisticsDlg::NameOf(int type, int key) const
{
    if (type == static_cast<int>(AnalysisBy::kRoom)) {
        const int index = FindRoomRecord(key, m_state.rooms);
        if (index < 0)
            return std::nullopt;
        return m_state.rooms[static_cast<std::size_t>(index)].label;
    }
    if (type == static_cast<int>(AnalysisBy::kCompany)) {
        CompanyRecord company;
        if (!m_state.database->LoadCompany(key, company))
            return std::nullopt;
        return company.companyName + QStringLiteral(", ") + company.city + u'(' + company.province + u')';
    }
    GuestRecord guest;
    if (!m_state.database->LoadGuest(key, guest))
        return std::nullopt;
    return guest.name + QStringLiteral(", ") + guest.city + QStringLiteral(" (") + guest.province + u')';
}

void CStatisticsDlg::OnStart()
{
    const int type = m_type->currentIndex();
    const int output = m_output->currentIndex();
    m_list->DeleteAllItems();
    SetColumns(type, output);
    m_print->setEnabled(false);
    m_save->setEnabled(false);

    std::vector<CheckInRecord> stays;
    const OleDate from = OleDate::FromDateTime(m_startDate->date().startOfDay());
    const OleDate to = OleDate::FromDateTime(m_endDate->date().startOfDay());
    if (!m_state.database ||
        m_state.database->LoadClosedStays(m_state.hotelId, from, to, CHotelDatabase::kAllRooms,
                                          CHotelDatabase::kAnyGuest, stays) != 0)
        return;
    const auto items = AccumulateStatistics(stays, static_cast<AnalysisBy>(type), static_cast<AnalysisOutput>(output));
    const AnalysisResult result = AnalysisRows(items, static_cast<AnalysisOutput>(output),
                                               [&](int key) { return NameOf(type, key); });
    if (result.rows.empty())
        return;
    for (const AnalysisRow& row : result.rows) {
        const int index = m_list->InsertItem(m_list->ItemCount(), row.name);
        m_list->SetItemText(index, 1, row.value);
        m_list->SetItemText(index, 2, row.mean);
        m_list->SetItemText(index, 3, row.share);
        m_list->SetSortValue(index, 1, row.sortValue);
    }
    m_list->SortByColumn(1);  // its first sort is descending
    m_list->InsertItem(m_list->ItemCount(), QString());
    const int total = m_list->InsertItem(m_list->ItemCount(), LoadResString(kTotalText));
    m_list->SetItemText(total, 1, result.total);
    m_print->setEnabled(true);
    m_save->setEnabled(true);
}

void CStatisticsDlg::reject()
{
    // The view owns this window: it closes and deletes it on the notice.
    m_links.Notify(DeskWindowLinks::kCloseWindows);
}

}  // namespace lodgix
