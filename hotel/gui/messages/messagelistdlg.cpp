#include "messagelistdlg.h"

#include "engineerrorcode.h"
#include "gridlines.h"
#include "hoteldatabase.h"
#include "lodgixmessagebox.h"
#include "messageeditdlg.h"
#include "sortlistctrl.h"
#include "staybilling.h"
#include "stringtable.h"

#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using namespace lodgix;

namespace {

constexpr unsigned kRoomString = 2033;          // "Camera"
constexpr unsigned kOperatorString = 2172;      // "Operatore"
constexpr unsigned kOpenString = 2220;          // "Apri"
constexpr unsigned kFromString = 2226;          // "Messaggio da"
constexpr unsigned kTextString = 2227;          // "Testo"
constexpr unsigned kSaveFailedString = 2230;    // "Errore nel salvataggio dei dati del messaggio"
constexpr unsigned kDeleteString = 2231;        // "Elimina"
constexpr unsigned kDateString = 2232;          // "Data messaggio"
constexpr unsigned kHideOneString = 2233;       // "Eliminare il messaggio dalla lista dei messaggi da leggere?"
constexpr unsigned kHideSelectedString = 2234;  // "Confermi l'eliminazione dei messaggi selezionati"
constexpr unsigned kCaptionString = 5044;       // "Lista messaggi"

constexpr int kListWidth = 760;  // the operator's eleventh holds its heading
constexpr int kListHeight = 220;
constexpr int kListMargin = 2;  // each side, inside the list's frame
constexpr int kWidthParts = 11;
// The columns: heading, share of the width in elevenths, sort type, alignment.
struct Column {
    unsigned heading;
    int parts;
    int sortType;
    Qt::Alignment alignment;
};
const Column kColumns[] = {
    {kDateString, 3, CSortListCtrl::kDate, Qt::AlignCenter},
    {kFromString, 4, CSortListCtrl::kText, Qt::AlignLeft},
    {kTextString, 3, CSortListCtrl::kText, Qt::AlignLeft},
    {kOperatorString, 1, CSortListCtrl::kText, Qt::AlignLeft},
};

}  // namespace

CMessageListDlg::CMessageListDlg(CHotelDatabase& database, int hotelId, int operatorId,
                                 const std::vector<RoomRecord>& rooms, int checkInId, int roomId, QWidget* parent)
    : CLodgixDialog(parent), m_database(database), m_hotelId(hotelId), m_operatorId(operatorId), m_checkInId(checkInId),
      m_list(new CSortListCtrl(this)), m_open(new QPushButton(LoadResString(kOpenString), this)),
      m_delete(new QPushButton(LoadResString(kDeleteString), this))
{
    setObjectName(QStringLiteral("CMessageListDlg"));
    m_list->setObjectName(Id(kList));
    m_open->setObjectName(Id(kOpen));
    m_delete->setObjectName(Id(kDelete));
    m_list->setFixedSize(kListWidth, kListHeight);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    ShowGridLines(*m_list);
    m_list->setRootIsDecorated(false);
    const int width = kListWidth - 2 * kListMargin - 2 * m_list->frameWidth();
    for (const Column& column : kColumns)
        m_list->InsertColumn(CSortListCtrl::kMaxColumns, LoadResString(column.heading), column.sortType,
                             column.alignment, width * column.parts / kWidthParts);
    if (const quint16 index = FindRoomIndex(roomId, rooms); index != kNoRoom)
        setWindowTitle(LoadResString(kCaptionString) + u' ' + LoadResString(kRoomString) + u' ' + rooms[index].label);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CMessageListDlg::OnSelectionChanged);
    connect(m_open, &QPushButton::clicked, this, &CMessageListDlg::OnOpen);
    connect(m_delete, &QPushButton::clicked, this, &CMessageListDlg::OnDelete);

    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_open);
    buttons->addWidget(m_delete);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    Refresh();
}

void CMessageListDlg::Refresh()
{
    m_open->setEnabled(false);
    m_delete->setEnabled(false);
    m_list->DeleteAllItems();
    m_messages.clear();
    if (m_database.LoadMessages(m_hotelId, m_messages) != kNoError)
        m_messages.clear();
    const QLocale locale;
    for (const MessageRecord& message : m_messages) {
        if (message.checkInId != m_checkInId)
            continue;
        const int row = m_list->InsertItem(m_list->ItemCount(), locale.toString(message.date.Date(), QLocale::ShortFormat),
                                           message.messageId);
        m_list->SetSortValue(row, 0, message.date.ToDateTime());
        m_list->SetItemText(row, 1, message.from);
        m_list->SetItemText(row, 2, message.text);
        m_list->SetItemText(row, 3, m_database.GetOperatorName(message.userId));
    }
    // Filling the list selected nothing, but a refresh after a change may leave a current row.
    m_list->clearSelection();
    m_open->setEnabled(false);
    m_delete->setEnabled(false);
}

void CMessageListDlg::OnSelectionChanged()
{
    const int selected = static_cast<int>(m_list->selectedItems().size());
    m_delete->setEnabled(selected > 0);
    m_open->setEnabled(selected == 1);
}

const MessageRecord* CMessageListDlg::FindMessage(int messageId) const
{
    for (const MessageRecord& message : m_messages)
        if (message.messageId == messageId)
            return &message;
    return nullptr;
}

void CMessageListDlg::OnOpen()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.size() != 1)
        return;
    const auto id = static_cast<int>(selected.first()->data(0, CSortListCtrl::kItemDataRole).toLongLong());
    const MessageRecord* found = FindMessage(id);
    if (!found)
        return;
    MessageRecord message = *found;
    CMessageEditDlg edit(this);
    edit.SetMessage(message.from, message.text);
    if (edit.exec() == QDialog::Accepted) {
        message.checkInId = m_checkInId;
        message.userId = m_operatorId;
        message.from = edit.From();
        message.text = edit.Text();
        if (m_database.UpdateMessage(m_hotelId, message) != kNoError)
            LodgixMessageBox(this, kSaveFailedString, QMessageBox::Critical);
    } else if (LodgixMessageBox(this, kHideOneString, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes) {
        if (m_database.DeleteMessage(m_hotelId, message.messageId) != kNoError)
            LodgixMessageBox(this, kSaveFailedString, QMessageBox::Critical);
    }
    Refresh();
}

void CMessageListDlg::OnDelete()
{
    if (LodgixMessageBox(this, kHideSelectedString, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    for (const QTreeWidgetItem* item : m_list->selectedItems())
        m_database.DeleteMessage(m_hotelId, static_cast<int>(item->data(0, CSortListCtrl::kItemDataRole).toLongLong()));
    Refresh();
}
