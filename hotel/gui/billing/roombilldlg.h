#pragma once

#include "billline.h"
#include "checkinrecord.h"
#include "documentlinecounts.h"
#include "lodgixdialog.h"
#include "money.h"
#include "roomrecord.h"

#include <array>
#include <vector>

class CSortListCtrl;
class QLabel;
class QPushButton;
class QWidget;

namespace lodgix {

class CHotelDatabase;

// Dialog 142, "Visualizza conto camera": the account of one stay as bill lines.
//
// Use:
//   CRoomBillDlg dialog(mode, lines, counts, stay, database, rooms, parent);
//   dialog.exec();
// - mode kView (0): one read-only list of the first counts.lines[0] lines, and the phone-call detail.
// - mode kCheckOut (1): one list per document of the stay whose file name (stay.documents[k].file) is set,
//   filled from its slice of `lines` (document 1's counts.lines[0] lines first, then 2's, 3's, 4's), with
//   new / modify / delete, arrows that move a line to the neighbouring document, "Conferma" and "Annulla".
// The dialog writes nothing to the database or to files. `counts` follows every edit while the dialog
// runs; `lines` is replaced only by "Conferma" (then exec() returns Accepted): documents 1 to 4 in order,
// empty when every document is. After "Annulla" or the close box (Rejected) `lines` is as it was and the
// caller drops `counts`. "Conferma" refuses a document of more than DocumentRecord::kMaxLines lines, which
// its file could not hold. `database` (names of the documents' clients) and `rooms` (the room's PBX and
// extension for the phone-call detail) must outlive the dialog.
class CRoomBillDlg : public CLodgixDialog {
    Q_OBJECT
public:
    enum Mode { kView = 0, kCheckOut = 1 };

    static constexpr int kDialogId = 142;
    static constexpr int kPhoneDetail = 1216;
    static constexpr int kConfirm = 1217;
    static constexpr int kCancel = 1228;
    // Per document 1 to 4; kNone where a document has no such control.
    static constexpr int kNone = 0;
    static constexpr std::array<int, 4> kLists{1206, 1212, 1213, 1214};
    static constexpr std::array<int, 4> kLabels{1416, 1417, 1418, 1419};
    static constexpr std::array<int, 4> kNewButtons{1207, 1210, 1220, 1224};
    static constexpr std::array<int, 4> kModifyButtons{1215, 1218, 1221, 1225};
    static constexpr std::array<int, 4> kDeleteButtons{1208, 1211, 1222, 1226};
    static constexpr std::array<int, 4> kMoveRight{1209, 1229, 1231, kNone};  // to the next document
    static constexpr std::array<int, 4> kMoveLeft{kNone, 1219, 1230, 1232};   // to the previous one
    static constexpr unsigned kTooManyLinesString = 2998;

    CRoomBillDlg(int mode, std::vector<BillLine>& lines, DocumentLineCounts& counts, const CheckInRecord& stay,
                 CHotelDatabase& database, const std::vector<RoomRecord>& rooms, QWidget* parent = nullptr);
    ~CRoomBillDlg() override;

    // A document's lines (0 to 3) as the dialog holds them, and their gross total.
    const std::vector<BillLine>& DocumentLines(int document) const;
    Money DocumentTotal(int document) const;

private:
    struct Document {
        CSortListCtrl* list = nullptr;
        QLabel* label = nullptr;
        QPushButton* newService = nullptr;
        QPushButton* modify = nullptr;
        QPushButton* remove = nullptr;
        QPushButton* right = nullptr;
        QPushButton* left = nullptr;
        std::vector<BillLine> lines;
        Money total;
        bool invoice = false;
        bool inUse = false;
    };

    void CreateControls();
    void LayOut(int documentsInUse);
    void OpenDocument(int document, int first, int count);
    QString DocumentLabel(int document) const;
    void FillDocumentList(int document);
    void EnableLineButtons(int document, bool enabled);
    int SelectedLine(int document) const;  // -1: none, or the blank or totals row
    void OnListClick(int document);
    void OnMoveLine(int from, int to);
    void OnNewService(int document);
    void OnModifyService(int document);
    void OnDeleteService(int document);
    void OnConfirm();
    void OnPhoneDetail();
    // Shows the service edit dialog in plain mode, prefilled with the line when asked; true on OK, the line
    // then holding what was entered.
    bool EditServiceLine(BillLine& line, bool prefill);
    void LinesChanged(int document);

    int m_mode;
    std::vector<BillLine>& m_callerLines;
    DocumentLineCounts& m_counts;
    CheckInRecord m_stay;
    CHotelDatabase& m_database;
    const std::vector<RoomRecord>& m_rooms;
    std::array<Document, DocumentLineCounts::kDocuments> m_documents;
    QPushButton* m_phoneDetail = nullptr;
    QPushButton* m_confirm = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace lodgix
