#pragma once

#include "documentrecord.h"
#include "lodgixdialog.h"

#include <utility>
#include <vector>

class CSortListCtrl;
class QLineEdit;
class QPushButton;

namespace lodgix {

class CHotelDatabase;

// Edits an issued receipt or invoice in place: the payer's texts, the payment method and the lines. The
// lines change the record at once (Cancel leaves them changed: the caller then does not save); the texts
// are copied in on "Conferma", which needs the payer's data (an invoice's company too, and a line).
class CBillDataDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 159;
    static constexpr int kList = 1427;
    static constexpr int kNewLine = 1428;
    static constexpr int kDeleteLine = 1429;
    static constexpr int kEditLine = 1430;
    static constexpr int kConfirm = 1431;
    static constexpr int kCancel = 1432;
    static constexpr int kGuestName = 1433;
    static constexpr int kCompanyName = 1436;
    static constexpr int kAddress = 1438;
    static constexpr int kCity = 1440;
    static constexpr int kPostCode = 1442;
    static constexpr int kProvince = 1444;
    static constexpr int kCountry = 1446;
    static constexpr int kVatNumber = 1448;
    static constexpr int kPayment = 1450;
    static constexpr int kTaxCode = 1452;
    static constexpr int kTextLength = 63;
    static constexpr int kListWidth = 860;  // the amounts' headings fit their ninths
    static constexpr qint64 kNoLine = -1;  // item data of the blank and totals rows

    // The database gives the service dialog its catalogue.
    CBillDataDlg(DocumentRecord& record, CHotelDatabase& database, QWidget* parent = nullptr);

    CSortListCtrl& List() const { return *m_list; }

private:
    struct Field {
        int edit;
        int label;
        unsigned text;
        bool companyField;  // an invoice's company: required and shown only there
        bool required;
        QString DocumentRecord::*member;
    };
    static const std::vector<Field>& Fields();
    bool IsInvoice() const { return m_record.type == DocumentRecord::kInvoice; }
    void AddColumns();
    void FillLines();
    // The record's line of the selected row, or -1 for none (the blank and totals rows included).
    int SelectedLine() const;
    // Shows the line in the service dialog (a new line when its description is empty); true on OK, the
    // line then holding description, quantity, unit price with VAT and VAT.
    bool EditLine(BillLine& line);
    void OnRowClicked();
    void OnNewLine();
    void OnEditLine();
    void OnDeleteLine();
    void OnConfirm();

    DocumentRecord& m_record;
    CHotelDatabase& m_database;
    CSortListCtrl* m_list;
    QPushButton* m_newLine;
    QPushButton* m_editLineButton;
    QPushButton* m_deleteLine;
    std::vector<std::pair<QLineEdit*, const Field*>> m_edits;
};

}  // namespace lodgix
