#pragma once

// What the check-out tests share: the check-out data and room bill played by scripts that do what the
// dialogs do, the documents read back, and the dialogs of the command's own steps answered.
#include "checkoutcommand.h"
#include "documentchoicedlg.h"
#include "documentfiles.h"
#include "groupconfirmdlg.h"
#include "modalscript.h"

#include <QString>

#include <QComboBox>
#include <QDir>
#include <QPushButton>

#include <gtest/gtest.h>

// Texts as texts in the failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace lodgix {

// One document as the clerk fills the check-out data dialog: the kind, the payer and the payment.
struct ScriptedDocument {
    DocumentKind kind = DocumentKind::kReceipt;
    int payerId = 0;
    QString paymentType;
};

// The check-out data dialog as a script: each document takes the next free number of its kind, as the
// dialog proposes, and the last one ticks the outside-calls box. What each call was given is kept.
inline std::function<bool(CheckOutDocumentData&, QWidget*)> ScriptedDocumentData(std::vector<ScriptedDocument> documents,
                                                                                 std::vector<CheckOutDocumentData>* seen)
{
    return [documents = std::move(documents), seen](CheckOutDocumentData& data, QWidget*) {
        if (seen)
            seen->push_back(data);
        const ScriptedDocument& document = documents.at(static_cast<std::size_t>(data.document - 1));
        int& next = document.kind == DocumentKind::kReceipt ? data.nextReceipt : data.nextInvoice;
        data.file = DocumentFileName(document.kind, data.lastNight.Year(), next++);
        data.payerId = document.payerId;
        data.paymentType = document.paymentType;
        data.disableCalls = data.document == data.documents;
        return true;
    };
}

// The room bill as a script: `move` rearranges the lines (all in document 1 at first) and their counts, as
// the dialog's arrows do; what it was given is kept.
using LineMove = std::function<void(std::vector<BillLine>& lines, DocumentLineCounts& counts)>;
inline std::function<bool(std::vector<BillLine>&, DocumentLineCounts&, const CheckInRecord&, QWidget*)>
ScriptedRoomBill(LineMove move, std::vector<BillLine>* shown, CheckInRecord* shownStay = nullptr)
{
    return [move = std::move(move), shown, shownStay](std::vector<BillLine>& lines, DocumentLineCounts& counts,
                                                      const CheckInRecord& stay, QWidget*) {
        if (shown)
            *shown = lines;
        if (shownStay)
            *shownStay = stay;
        move(lines, counts);
        return true;
    };
}

// The number of accounts chosen in the document choice dialog (row = accounts - 1).
inline ModalScript::Answer Accounts(int accounts)
{
    return [accounts](QDialog* dialog) {
        dialog->findChild<QComboBox*>(QString::number(CDocumentChoiceDlg::kCombo))->setCurrentIndex(accounts - 1);
        dialog->findChild<QPushButton*>(QString::number(CDocumentChoiceDlg::kOk))->click();
    };
}

inline ModalScript::Answer ConfirmGroup()
{
    return [](QDialog* dialog) {
        dialog->findChild<QPushButton*>(QString::number(CGroupConfirmDlg::kOk))->click();
    };
}

// The document file of the folder, read back.
inline DocumentRecord ReadDocument(const QString& folder, const QString& name)
{
    DocumentRecord record;
    EXPECT_TRUE(LoadDocumentFile(record, QDir(folder).filePath(name))) << name.toStdString();
    return record;
}

// The documents of the folder, by name.
inline QStringList DocumentFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.psx")}, QDir::Files, QDir::Name);
}

}  // namespace lodgix
