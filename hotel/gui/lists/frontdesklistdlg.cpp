#include "frontdesklistdlg.h"

#include "documentfiles.h"
#include "gridlines.h"
#include "lodgixmessagebox.h"
#include "rowsink.h"
#include "sortlistctrl.h"
#include "stringtable.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace lodgix {

namespace {

constexpr unsigned kCheckInTitle = 2198;
constexpr unsigned kCheckOutTitle = 2209;
constexpr unsigned kBookingTitle = 2246;
constexpr unsigned kPoliceFormTitle = 2211;
constexpr unsigned kPoliceListTitle = 2217;
constexpr unsigned kFromText = 2141;
constexpr unsigned kToText = 2142;
constexpr unsigned kAllRoomsText = 2200;
constexpr unsigned kRoomText = 2033;
constexpr unsigned kAllClientsText = 2208;
constexpr unsigned kCancelText = 2047;
constexpr unsigned kRefreshText = 2212;
constexpr unsigned kNewMessageText = 2228;
constexpr unsigned kDocumentText = 2213;
constexpr unsigned kPrintText = 2193;
constexpr unsigned kGenerateText = 2215;
constexpr unsigned kOpenText = 2220;
constexpr unsigned kConfirmGenerateText = 2216;
constexpr unsigned kSaveFailedText = 2146;
constexpr unsigned kMessageFailedText = 2230;
// The list's size when the window opens: the columns share its width.
constexpr int kListWidth = 1040;
constexpr int kListHeight = 300;
constexpr int kDetailsHeight = 150;
constexpr int kFrame = 4;

// Field widths of a police form's entry, in characters.
constexpr qsizetype kShortField = 63;
constexpr qsizetype kLongField = 255;

// A column: its heading and its share of the list's width (numerator, denominator).
struct Column {
    unsigned text;
    int share;
    int of;
    int sortType = CSortListCtrl::kText;
    QString suffix = {};
};

}  // namespace

PoliceFormEntry PoliceFormEntryOf(const QStringList& columns)
{
    auto column = [&](int index, qsizetype width) { return columns.value(index).left(width); };
    PoliceFormEntry entry;
    entry.name = column(0, kShortField);
    entry.birthDate = column(1, kShortField);
    entry.birthPlace = column(2, kLongField);
    entry.residence = column(3, kLongField);
    entry.document = column(4, kShortField);
    entry.arrival = column(5, kShortField);
    return entry;
}

CFrontDeskListDlg::CFrontDeskListDlg(LodgixState& state, DeskWindowLinks links, Mode mode, int formNumber,
                                     QWidget* parent)
    : CLodgixDialog(parent), m_state(state), m_links(std::move(links)), m_mode(mode), m_formNumber(formNumber)
{
    setObjectName(Id(kDialogId));
    BuildControls();
    Open();
}

void CFrontDeskListDlg::BuildControls()
{
    auto button = [this](const QString& text, int id) {
        auto widget = new QPushButton(text, this);
        widget->setObjectName(Id(id));
        widget->setAutoDefault(false);
        return widget;
    };
    const QDate today = QDate::currentDate();
    m_startDate = new QDateEdit(today, this);
    m_endDate = new QDateEdit(today, this);
    m_startDate->setObjectName(Id(kStartDate));
    m_endDate->setObjectName(Id(kEndDate));
    for (QDateEdit* date : {m_startDate, m_endDate})
        date->setCalendarPopup(true);
    m_fromLabel = new QLabel(LoadResString(kFromText), this);
    m_fromLabel->setObjectName(Id(kFromLabel));
    m_toLabel = new QLabel(LoadResString(kToText), this);
    m_toLabel->setObjectName(Id(kToLabel));
    m_rooms = new QComboBox(this);
    m_rooms->setObjectName(Id(kRoomCombo));
    m_rooms->addItem(LoadResString(kAllRoomsText), kAllItems);
    for (const RoomRecord& room : m_state.rooms)
        m_rooms->addItem(LoadResString(kRoomText) + u' ' + room.label, room.id);
    m_clients = new QComboBox(this);
    m_clients->setObjectName(Id(kClientCombo));
    m_clients->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_list = new CSortListCtrl(this);
    m_list->setObjectName(Id(kList));
    m_list->setMinimumSize(kListWidth, kListHeight);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    ShowGridLines(*m_list);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_details = new QListWidget(this);
    m_details->setObjectName(Id(kDetails));
    m_details->setFixedHeight(kDetailsHeight);
    m_action = button(LoadResString(kPrintText), kAction);
    auto cancel = button(LoadResString(kCancelText), kCancel);
    m_refresh = button(LoadResString(kRefreshText), kRefresh);
    m_second = button(LoadResString(m_mode == kCheckInList ? kNewMessageText : kDocumentText), kSecond);
    m_second->setEnabled(false);
    connect(m_action, &QPushButton::clicked, this, &CFrontDeskListDlg::OnAction);
    connect(cancel, &QPushButton::clicked, this, &CFrontDeskListDlg::reject);
    connect(m_refresh, &QPushButton::clicked, this, &CFrontDeskListDlg::OnRefresh);
    connect(m_second, &QPushButton::clicked, this, &CFrontDeskListDlg::OnSecond);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CFrontDeskListDlg::OnRowClicked);

    auto filters = new QHBoxLayout;
    filters->addWidget(m_fromLabel);
    filters->addWidget(m_startDate);
    filters->addWidget(m_toLabel);
    filters->addWidget(m_endDate);
    filters->addWidget(m_rooms);
    filters->addWidget(m_clients);
    filters->addStretch();
    filters->addWidget(m_refresh);
    auto buttons = new QHBoxLayout;
    buttons->addWidget(m_second);
    buttons->addStretch();
    buttons->addWidget(m_action);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_details);
    layout->addLayout(buttons);
}

void CFrontDeskListDlg::Open()
{
    const QDate today = QDate::currentDate();
    const QDate monthStart(today.year(), today.month(), 1);
    const bool dates = m_mode == kCheckOutList || m_mode == kBookingList || m_mode == kPoliceFormList;
    for (QWidget* widget : std::initializer_list<QWidget*>{m_startDate, m_endDate, m_fromLabel, m_toLabel})
        widget->setVisible(dates);
    m_rooms->setVisible(m_mode == kCheckOutList || m_mode == kBookingList);
    m_clients->setVisible(m_mode == kCheckOutList);
    m_details->setVisible(m_mode != kPoliceFormList);
    m_action->setEnabled(false);
    SetCaption();
    SetColumns();
    switch (m_mode) {
    case kCheckInList:
        m_refresh->setEnabled(false);
        Fill();
        break;
    case kCheckOutList: {
        m_startDate->setDate(monthStart);
        m_clients->addItem(LoadResString(kAllClientsText), kAllItems);
        // The visible guests follow the first row.
        class ComboRows : public RowSink {
        public:
            explicit ComboRows(QComboBox& combo) : m_combo(combo) {}
            void DeleteAll() override {}
            void Append(const QStringList& texts, qint64 itemData) override
            {
                m_combo.addItem(texts.value(0), itemData);
            }

        private:
            QComboBox& m_combo;
        } rows(*m_clients);
        if (m_state.database)
            m_state.database->FillGuestCombo(rows);
        break;
    }
    case kBookingList: break;
    case kNewPoliceForm:
        m_refresh->setEnabled(false);
        m_action->setText(LoadResString(kGenerateText));
        Fill();
        break;
    case kPoliceFormList:
        m_startDate->setDate(monthStart);
        m_action->setText(LoadResString(kOpenText));
        break;
    case kOpenedPoliceForm: break;
    }
}

void CFrontDeskListDlg::SetCaption()
{
    switch (m_mode) {
    case kCheckInList: setWindowTitle(LoadResString(kCheckInTitle)); break;
    case kCheckOutList: setWindowTitle(LoadResString(kCheckOutTitle)); break;
    case kBookingList: setWindowTitle(LoadResString(kBookingTitle)); break;
    case kPoliceFormList: setWindowTitle(LoadResString(kPoliceListTitle)); break;
    case kNewPoliceForm:
        setWindowTitle(LoadResString(kPoliceFormTitle) + u' ' + QString::number(m_formNumber));
        break;
    case kOpenedPoliceForm:
        setWindowTitle(LoadResString(kPoliceFormTitle) + u' ' + QString::number(m_shownForm));
        break;
    }
}

void CFrontDeskListDlg::SetColumns()
{
    const QString second = QStringLiteral(" 2");
    std::vector<Column> columns;
    switch (m_mode) {
    case kCheckInList:
        columns = {{2033, 1, 10}, {2164, 2, 10, CSortListCtrl::kDate}, {2199, 2, 10, CSortListCtrl::kDate},
                   {2206, 2, 10}, {2104, 3, 20}, {2281, 3, 20}};
        break;
    case kCheckOutList:
        columns = {{2033, 1, 10}, {2164, 2, 10, CSortListCtrl::kDate}, {2199, 2, 10, CSortListCtrl::kDate},
                   {2206, 3, 10}, {2166, 2, 10, CSortListCtrl::kText, second}};
        break;
    case kBookingList:
        columns = {{2033, 1, 10}, {2164, 2, 10, CSortListCtrl::kDate}, {2199, 2, 10, CSortListCtrl::kDate},
                   {2166, 2, 10}, {2181, 3, 20}, {2281, 3, 20}};
        break;
    case kNewPoliceForm:
    case kOpenedPoliceForm:
        columns = {{2062, 3, 20}, {2069, 1, 10, CSortListCtrl::kDate}, {2058, 1, 5},
                   {2214, 1, 5},  {2304, 1, 5},  {2164, 3, 20, CSortListCtrl::kDate}};
        break;
    case kPoliceFormList:
        columns = {{2221, 1, 4, CSortListCtrl::kDate}, {2219, 1, 4, CSortListCtrl::kNumber},
                   {2218, 1, 4, CSortListCtrl::kDate}, {2172, 1, 4}};
        break;
    }
    m_list->DeleteAllItems();
    m_list->setColumnCount(0);
    const int width = std::max(kListWidth, m_list->width()) - kFrame;
    for (const Column& column : columns)
        m_list->InsertColumn(m_list->columnCount(), LoadResString(column.text) + column.suffix, column.sortType,
                             Qt::AlignLeft, width * column.share / column.of);
}

void CFrontDeskListDlg::AfterFill(bool found)
{
    const bool enable = found && m_mode != kPoliceFormList;
    m_action->setEnabled(enable);
    m_second->setEnabled(false);
}

void CFrontDeskListDlg::OnRefresh()
{
    Fill();
}

void CFrontDeskListDlg::Fill()
{
    m_list->DeleteAllItems();
    m_details->clear();
    m_stays.clear();
    m_bookings.clear();
    switch (m_mode) {
    case kCheckInList: FillOpenStays(); break;
    case kCheckOutList: FillClosedStays(); break;
    case kBookingList: FillBookings(); break;
    case kNewPoliceForm: FillPoliceForm(); break;
    case kPoliceFormList: FillIssuedForms(); break;
    case kOpenedPoliceForm: return;
    }
    AfterFill(m_list->ItemCount() > 0);
}

void CFrontDeskListDlg::OnAction()
{
    switch (m_mode) {
    case kCheckInList: m_links.PrintList(kPrintCheckInList, *m_list); break;
    case kCheckOutList: m_links.PrintList(kPrintCheckOutList, *m_list); break;
    case kBookingList: m_links.PrintList(kPrintBookingList, *m_list); break;
    case kNewPoliceForm: Generate(); break;
    case kPoliceFormList: OpenForm(); break;
    case kOpenedPoliceForm: PrintForm(); break;
    }
}

std::optional<PoliceFormTitle> CFrontDeskListDlg::ShownForm() const
{
    if (m_shownForm == 0)
        return std::nullopt;
    return PoliceFormTitle{m_shownForm, m_formDate};
}

void CFrontDeskListDlg::PrintForm()
{
    m_links.PrintList(kPrintPoliceForm, *m_list, ShownForm());
}

void CFrontDeskListDlg::Generate()
{
    if (LodgixMessageBox(this, kConfirmGenerateText, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    PoliceForm form;
    form.issued = OleDate::Now();
    form.operatorId = static_cast<quint16>(m_state.currentOperator.id);
    for (int row = 0; row < m_list->ItemCount(); ++row) {
        QStringList columns;
        for (int column = 0; column < m_list->columnCount(); ++column)
            columns << m_list->ItemText(row, column);
        form.entries.push_back(PoliceFormEntryOf(columns));
    }
    const QDate today = QDate::currentDate();
    const QString name = IssuePoliceForm(m_state.dataFolder, today, m_formNumber, form);
    // The name says which number the form got: another workstation may have taken the one offered.
    static const QRegularExpression kFormName(QStringLiteral("^PS(\\d{8})(\\d{5})\\.psx$"));
    const QRegularExpressionMatch match = kFormName.match(name);
    if (!match.hasMatch()) {
        LodgixMessageBox(this, kSaveFailedText, QMessageBox::Critical);
        return;
    }
    m_formDate = today;
    m_shownForm = match.captured(2).toInt();
    m_formNumber = m_shownForm + 1;
    SetCaption();
    PrintForm();
}

void CFrontDeskListDlg::OpenForm()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const QDate formDate = m_list->topLevelItem(row)->data(0, CSortListCtrl::kSortRole).toDate();
    const int number = m_list->ItemText(row, 1).toInt();
    PoliceForm form;
    if (!LoadPoliceForms(form, QDir(m_state.dataFolder).filePath(PoliceFormFileName(formDate, number))))
        return;
    m_mode = kOpenedPoliceForm;
    m_formDate = formDate;
    m_shownForm = number;
    SetColumns();
    for (const PoliceFormEntry& entry : form.entries) {
        const int index = m_list->InsertItem(m_list->ItemCount(), entry.name);
        const QString texts[] = {entry.birthDate, entry.birthPlace, entry.residence, entry.document, entry.arrival};
        for (int column = 1; column <= 5; ++column)
            m_list->SetItemText(index, column, texts[column - 1]);
    }
    m_details->setVisible(true);
    SetCaption();
    m_action->setText(LoadResString(kPrintText));
    m_action->setEnabled(true);
}

void CFrontDeskListDlg::OnSecond()
{
    if (m_mode == kCheckOutList) {
        const int stay = SelectedStay();
        if (stay >= 0)
            m_links.Notify(DeskWindowLinks::kPrintListedStay, static_cast<std::uint64_t>(stay));
        return;
    }
    if (m_mode != kCheckInList || !m_messageEditor || !m_state.database)
        return;
    const int stay = SelectedStay();
    if (stay < 0)
        return;
    MessageRecord message;
    if (!m_messageEditor(this, message.from, message.text))
        return;
    message.checkInId = m_stays[static_cast<std::size_t>(stay)].checkInId;
    message.userId = m_state.currentOperator.id;
    if (m_state.database->InsertMessage(m_state.hotelId, message) != 0) {
        LodgixMessageBox(this, kMessageFailedText, QMessageBox::Critical);
        return;
    }
    m_links.Notify(DeskWindowLinks::kListChanged);
}

void CFrontDeskListDlg::OnRowClicked()
{
    const bool selected = SelectedRow() >= 0;
    if (m_mode == kPoliceFormList) {
        m_action->setEnabled(selected);
        return;
    }
    m_details->clear();
    if (!selected) {
        m_second->setEnabled(false);
        return;
    }
    ShowDetails();
    if (m_mode == kCheckInList || m_mode == kCheckOutList)
        m_second->setEnabled(true);
}

int CFrontDeskListDlg::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.constFirst());
}

int CFrontDeskListDlg::SelectedStay() const
{
    const int row = SelectedRow();
    if (row < 0)
        return -1;
    const qint64 id = m_list->ItemData(row);
    for (std::size_t stay = 0; stay < m_stays.size(); ++stay)
        if (m_stays[stay].checkInId == id)
            return static_cast<int>(stay);
    return -1;
}

int CFrontDeskListDlg::SelectedBooking() const
{
    const int row = SelectedRow();
    if (row < 0)
        return -1;
    const qint64 id = m_list->ItemData(row);
    for (std::size_t booking = 0; booking < m_bookings.size(); ++booking)
        if (m_bookings[booking].bookingId == id)
            return static_cast<int>(booking);
    return -1;
}

int CFrontDeskListDlg::FilterOf(const QComboBox* combo) const
{
    return combo->currentIndex() < 0 ? kAllItems : combo->currentData().toInt();
}

void CFrontDeskListDlg::reject()
{
    // The view owns this window: it closes and deletes it on the notice.
    m_links.Notify(DeskWindowLinks::kCloseWindows);
}

}  // namespace lodgix
