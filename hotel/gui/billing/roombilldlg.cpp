#include "roombilldlg.h"

#include "billlinelist.h"
#include "callhistoryrequest.h"
#include "companyrecord.h"
#include "documentfilename.h"
#include "documentrecord.h"
#include "gridlines.h"
#include "guestrecord.h"
#include "hoteldatabase.h"
#include "lodgixmessagebox.h"
#include "serviceeditdlg.h"
#include "sortlistctrl.h"
#include "staybilling.h"
#include "stringtable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lodgix {

namespace {

constexpr unsigned kCaptionText = 2154;
constexpr unsigned kNewServiceText = 2027;
constexpr unsigned kModifyText = 2079;
constexpr unsigned kDeleteText = 2059;
constexpr unsigned kPhoneDetailText = 2268;
constexpr unsigned kConfirmText = 2140;
constexpr unsigned kCancelText = 2047;
constexpr unsigned kReceiptText = 2128;
constexpr unsigned kInvoiceText = 2129;
constexpr unsigned kDeleteQuestion = 2124;
const QString kMoveRightText = QStringLiteral("-->");
const QString kMoveLeftText = QStringLiteral("<--");

constexpr int kButtonGap = 40;   // between the buttons under a single document
constexpr int kRightMargin = 15;  // right of the last list
constexpr int kBottomMargin = 20;  // below the buttons
constexpr int kListRows = 12;

QPushButton* Button(QWidget* parent, int id, const QString& text)
{
    auto button = new QPushButton(text, parent);
    button->setObjectName(CLodgixDialog::Id(id));
    button->setAutoDefault(false);
    return button;
}

// The two arrows between neighbouring documents, one above the other.
QWidget* ArrowPair(QWidget* parent, QPushButton* right, QPushButton* left)
{
    auto pair = new QWidget(parent);
    auto layout = new QVBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(right);
    layout->addWidget(left);
    layout->addStretch();
    right->setParent(pair);
    left->setParent(pair);
    return pair;
}

}  // namespace

CRoomBillDlg::CRoomBillDlg(int mode, std::vector<BillLine>& lines, DocumentLineCounts& counts,
                           const CheckInRecord& stay, CHotelDatabase& database, const std::vector<RoomRecord>& rooms,
                           QWidget* parent)
    : CLodgixDialog(parent), m_mode(mode), m_callerLines(lines), m_counts(counts), m_stay(stay), m_database(database),
      m_rooms(rooms)
{
    setObjectName(Id(kDialogId));
    setWindowTitle(LoadResString(kCaptionText));
    CreateControls();

    int inUse = 0;
    if (m_mode == kView) {
        m_documents[0].inUse = true;
        OpenDocument(0, 0, m_counts.lines[0]);
        inUse = 1;
    } else {
        int first = 0;
        for (int document = 0; document < DocumentLineCounts::kDocuments; ++document) {
            const int count = m_counts.lines[static_cast<std::size_t>(document)];
            if (!m_stay.documents[static_cast<std::size_t>(document)].file.isEmpty()) {
                m_documents[static_cast<std::size_t>(document)].inUse = true;
                OpenDocument(document, first, count);
                ++inUse;
            }
            first += count;
        }
        // The counts follow the documents' own lines from here on; a document not in use holds none.
        for (int document = 0; document < DocumentLineCounts::kDocuments; ++document)
            LinesChanged(document);
    }
    LayOut(inUse);
}

CRoomBillDlg::~CRoomBillDlg() = default;

const std::vector<BillLine>& CRoomBillDlg::DocumentLines(int document) const
{
    return m_documents[static_cast<std::size_t>(document)].lines;
}

Money CRoomBillDlg::DocumentTotal(int document) const
{
    return m_documents[static_cast<std::size_t>(document)].total;
}

void CRoomBillDlg::CreateControls()
{
    for (int k = 0; k < DocumentLineCounts::kDocuments; ++k) {
        Document& document = m_documents[static_cast<std::size_t>(k)];
        document.list = new CSortListCtrl(this);
        document.list->setObjectName(Id(kLists[static_cast<std::size_t>(k)]));
        document.list->setAllColumnsShowFocus(true);
        document.list->setSelectionBehavior(QAbstractItemView::SelectRows);
        ShowGridLines(*document.list);
        document.list->setMinimumHeight(document.list->fontMetrics().height() * kListRows);
        connect(document.list, &QTreeWidget::itemSelectionChanged, this, [this, k] { OnListClick(k); });
        document.label = new QLabel(this);
        document.label->setObjectName(Id(kLabels[static_cast<std::size_t>(k)]));
        document.newService = Button(this, kNewButtons[static_cast<std::size_t>(k)], LoadResString(kNewServiceText));
        document.modify = Button(this, kModifyButtons[static_cast<std::size_t>(k)], LoadResString(kModifyText));
        document.remove = Button(this, kDeleteButtons[static_cast<std::size_t>(k)], LoadResString(kDeleteText));
        connect(document.newService, &QPushButton::clicked, this, [this, k] { OnNewService(k); });
        connect(document.modify, &QPushButton::clicked, this, [this, k] { OnModifyService(k); });
        connect(document.remove, &QPushButton::clicked, this, [this, k] { OnDeleteService(k); });
        if (kMoveRight[static_cast<std::size_t>(k)] != kNone) {
            document.right = Button(this, kMoveRight[static_cast<std::size_t>(k)], kMoveRightText);
            connect(document.right, &QPushButton::clicked, this, [this, k] { OnMoveLine(k, k + 1); });
        }
        if (kMoveLeft[static_cast<std::size_t>(k)] != kNone) {
            document.left = Button(this, kMoveLeft[static_cast<std::size_t>(k)], kMoveLeftText);
            connect(document.left, &QPushButton::clicked, this, [this, k] { OnMoveLine(k, k - 1); });
        }
    }
    m_phoneDetail = Button(this, kPhoneDetail, LoadResString(kPhoneDetailText));
    m_confirm = Button(this, kConfirm, LoadResString(kConfirmText));
    m_cancel = Button(this, kCancel, LoadResString(kCancelText));
    connect(m_phoneDetail, &QPushButton::clicked, this, &CRoomBillDlg::OnPhoneDetail);
    connect(m_confirm, &QPushButton::clicked, this, &CRoomBillDlg::OnConfirm);
    connect(m_cancel, &QPushButton::clicked, this, &CRoomBillDlg::reject);
}

// Documents 1 and 2 side by side, 3 and 4 below them, each arrow pair between its two documents (the pair
// of 2 and 3 between the rows); the dialog's buttons under everything. Controls of documents not in use
// are hidden and take no room, so one document, two, or three and four give the three layouts.
void CRoomBillDlg::LayOut(int documentsInUse)
{
    const bool checkOut = m_mode == kCheckOut;
    auto grid = new QGridLayout(this);
    grid->setContentsMargins(kRightMargin, kRightMargin, kRightMargin, kBottomMargin);
    constexpr int kCells[][2] = {{0, 0}, {0, 2}, {2, 0}, {2, 2}};
    constexpr int kArrowCells[][2] = {{0, 1}, {1, 1}, {2, 1}};
    for (int k = 0; k < DocumentLineCounts::kDocuments; ++k) {
        Document& document = m_documents[static_cast<std::size_t>(k)];
        auto panel = new QWidget(this);
        auto column = new QVBoxLayout(panel);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(document.label);
        column->addWidget(document.list);
        auto buttons = new QHBoxLayout;
        buttons->addWidget(document.newService);
        buttons->addWidget(document.modify);
        buttons->addWidget(document.remove);
        buttons->addStretch();
        column->addLayout(buttons);
        grid->addWidget(panel, kCells[k][0], kCells[k][1]);
        panel->setVisible(document.inUse);
        for (QWidget* control : {static_cast<QWidget*>(document.label), static_cast<QWidget*>(document.newService),
                                 static_cast<QWidget*>(document.modify), static_cast<QWidget*>(document.remove)})
            control->setVisible(checkOut && document.inUse);
        if (document.right) {
            Document& next = m_documents[static_cast<std::size_t>(k + 1)];
            // An arrow is there only when both of its documents are.
            const bool shown = checkOut && document.inUse && next.inUse;
            QWidget* pair = ArrowPair(this, document.right, next.left);
            grid->addWidget(pair, kArrowCells[k][0], kArrowCells[k][1]);
            pair->setVisible(shown);
        }
    }

    auto bar = new QHBoxLayout;
    m_confirm->setVisible(checkOut);
    m_cancel->setVisible(checkOut);
    if (!checkOut) {
        bar->addStretch();
        bar->addWidget(m_phoneDetail);
        bar->addStretch();
    } else if (documentsInUse <= 1) {
        bar->addWidget(m_confirm);
        bar->addSpacing(kButtonGap);
        bar->addWidget(m_phoneDetail);
        bar->addSpacing(kButtonGap);
        bar->addWidget(m_cancel);
        bar->addStretch();
    } else {
        bar->addWidget(m_confirm);
        bar->addStretch();
        bar->addWidget(m_phoneDetail);
        bar->addStretch();
        bar->addWidget(m_cancel);
    }
    grid->addLayout(bar, 3, 0, 1, 3);
    grid->setRowMinimumHeight(3, 0);
}

void CRoomBillDlg::OpenDocument(int document, int first, int count)
{
    Document& shown = m_documents[static_cast<std::size_t>(document)];
    const QString& file = m_stay.documents[static_cast<std::size_t>(document)].file;
    shown.invoice = m_mode == kCheckOut && !IsReceiptFile(file);
    if (m_mode == kCheckOut)
        shown.label->setText(DocumentLabel(document));
    SetBillListColumns(*shown.list, shown.invoice ? BillListKind::kInvoice : BillListKind::kReceipt);
    // A count beyond the caller's lines takes what is there.
    const int size = static_cast<int>(m_callerLines.size());
    const int begin = std::min(first, size);
    const int end = std::min(first + count, size);
    shown.lines.assign(m_callerLines.begin() + begin, m_callerLines.begin() + end);
    FillDocumentList(document);
}

QString CRoomBillDlg::DocumentLabel(int document) const
{
    const StayDocument& slot = m_stay.documents[static_cast<std::size_t>(document)];
    const bool receipt = IsReceiptFile(slot.file);
    QString text = LoadResString(receipt ? kReceiptText : kInvoiceText) + u' ' + DocumentNumberOfFile(slot.file);
    // Each document names the client of its own slot: the guest of a receipt, the company of an invoice.
    QString client;
    if (receipt) {
        GuestRecord guest;
        if (m_database.LoadGuest(slot.billId, guest))
            client = guest.name;
    } else {
        CompanyRecord company;
        if (m_database.LoadCompany(slot.billId, company))
            client = company.companyName;
    }
    if (!client.isEmpty())
        text += QStringLiteral(", ") + client;
    return text;
}

void CRoomBillDlg::FillDocumentList(int document)
{
    Document& shown = m_documents[static_cast<std::size_t>(document)];
    shown.total = FillBillList(*shown.list, shown.lines, shown.invoice ? BillListKind::kInvoice : BillListKind::kReceipt);
    EnableLineButtons(document, false);
}

void CRoomBillDlg::EnableLineButtons(int document, bool enabled)
{
    Document& shown = m_documents[static_cast<std::size_t>(document)];
    shown.modify->setEnabled(enabled);
    shown.remove->setEnabled(enabled);
    if (shown.right)
        shown.right->setEnabled(enabled);
    if (shown.left)
        shown.left->setEnabled(enabled);
}

int CRoomBillDlg::SelectedLine(int document) const
{
    const Document& shown = m_documents[static_cast<std::size_t>(document)];
    const QList<QTreeWidgetItem*> selected = shown.list->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int row = shown.list->indexOfTopLevelItem(selected.first());
    return row >= 0 && row < static_cast<int>(shown.lines.size()) ? row : -1;
}

void CRoomBillDlg::OnListClick(int document)
{
    EnableLineButtons(document, SelectedLine(document) >= 0);
}

void CRoomBillDlg::LinesChanged(int document)
{
    m_counts.lines[static_cast<std::size_t>(document)] =
        static_cast<quint16>(m_documents[static_cast<std::size_t>(document)].lines.size());
}

void CRoomBillDlg::OnMoveLine(int from, int to)
{
    const int index = SelectedLine(from);
    if (index < 0)
        return;
    Document& source = m_documents[static_cast<std::size_t>(from)];
    Document& target = m_documents[static_cast<std::size_t>(to)];
    const BillLine& line = source.lines[static_cast<std::size_t>(index)];
    // The whole line moves; the target merges it into a line of the same description and price.
    const BillLine moved = BillLine::Make(line.description, line.quantity, line.unitPrice, line.vat);
    RemoveBillLine(source.lines, index);
    LinesChanged(from);
    FillDocumentList(from);
    AddBillLine(moved, target.lines);
    LinesChanged(to);
    FillDocumentList(to);
}

void CRoomBillDlg::OnNewService(int document)
{
    BillLine line;
    if (!EditServiceLine(line, false))
        return;
    Document& shown = m_documents[static_cast<std::size_t>(document)];
    AddBillLine(line, shown.lines);
    LinesChanged(document);
    FillDocumentList(document);
}

void CRoomBillDlg::OnModifyService(int document)
{
    const int index = SelectedLine(document);
    if (index < 0)
        return;
    Document& shown = m_documents[static_cast<std::size_t>(document)];
    BillLine line = shown.lines[static_cast<std::size_t>(index)];
    if (!EditServiceLine(line, true))
        return;
    UpdateBillLine(line, shown.lines, index);
    FillDocumentList(document);
}

void CRoomBillDlg::OnDeleteService(int document)
{
    const int index = SelectedLine(document);
    if (index < 0)
        return;
    if (LodgixMessageBox(this, kDeleteQuestion, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    RemoveBillLine(m_documents[static_cast<std::size_t>(document)].lines, index);
    LinesChanged(document);
    FillDocumentList(document);
}

void CRoomBillDlg::OnConfirm()
{
    // A document file holds kMaxLines lines: a fuller document (a group's bill) must be split first.
    for (const Document& document : m_documents) {
        if (static_cast<int>(document.lines.size()) > DocumentRecord::kMaxLines) {
            LodgixMessageBox(this, kTooManyLinesString, QMessageBox::Warning);
            return;
        }
    }
    m_callerLines.clear();
    for (const Document& document : m_documents)
        m_callerLines.insert(m_callerLines.end(), document.lines.begin(), document.lines.end());
    accept();
}

void CRoomBillDlg::OnPhoneDetail()
{
    const quint16 index = FindRoomIndex(m_stay.roomId, m_rooms);
    if (index == kNoRoom)
        return;
    const RoomRecord& room = m_rooms[index];
    RequestCallHistory({room.pbx, room.extension, m_stay.checkInDate, OleDate::Now()}, QLocale());
}

bool CRoomBillDlg::EditServiceLine(BillLine& line, bool prefill)
{
    CServiceEditDlg dialog(CServiceEditDlg::kPlain, 0, m_database, this);
    if (prefill) {
        dialog.SetDescription(line.description);
        dialog.SetPrice(line.unitPrice);
        dialog.SetVat(line.vat);
        dialog.SetQuantity(line.quantity);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    line = BillLine::Make(dialog.Description(), static_cast<quint16>(dialog.Quantity()), dialog.Price(), dialog.Vat());
    return true;
}

}  // namespace lodgix
