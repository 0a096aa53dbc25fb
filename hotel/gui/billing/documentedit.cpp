#include "documentedit.h"

#include "billdatadlg.h"
#include "documentfiles.h"
#include "documentnumberdlg.h"
#include "engineerrorcode.h"
#include "hoteldatabase.h"
#include "lodgixmessagebox.h"

#include <QFile>
#include <QSaveFile>

#include <numeric>
#include <optional>

namespace lodgix {
namespace {

constexpr unsigned kSaveFailedString = 2146;   // "Errore nel salvataggio dei dati.\nRiprovare in seguito"
constexpr unsigned kNoDocumentString = 2317;   // "Documento richiesto non presente o non valido"
constexpr unsigned kPrintQuestionString = 2318;  // "Il documento è stato modificato correttamente\nSi desidera stamparlo?"

std::optional<QByteArray> FileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool PutBack(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

QString EditedDocumentName(int type, int year, int number)
{
    switch (type) {
    case DocumentRecord::kReceipt: return DocumentFileName(DocumentKind::kReceipt, year, number);
    case DocumentRecord::kInvoice: return DocumentFileName(DocumentKind::kInvoice, year, number);
    default: return QStringLiteral("INVALID");
    }
}

bool EditDocumentFile(QWidget* parent, const DocumentEditLinks& links, const QString& fileName)
{
    const QString path = links.dataFolder + fileName;
    DocumentRecord record;
    // The bytes as they were, to put back should the stay refuse the new total.
    std::optional<QByteArray> before;
    if (!LoadDocumentFile(record, path) || !(before = FileBytes(path))) {
        LodgixMessageBox(parent, kNoDocumentString, QMessageBox::Critical);
        return false;
    }
    CBillDataDlg dialog(record, links.database, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const Money total = std::accumulate(record.lines.begin(), record.lines.end(), Money(),
                                        [](Money sum, const BillLine& line) { return sum + line.grossAmount; });
    if (!SaveDocumentFile(record, path)) {
        LodgixMessageBox(parent, kSaveFailedString, QMessageBox::Critical);
        return false;
    }
    if (links.database.FindStayByDocument(links.hotelId, fileName, total, record.paymentType) != kNoError) {
        PutBack(path, *before);
        LodgixMessageBox(parent, kSaveFailedString, QMessageBox::Critical);
        return false;
    }
    if (LodgixMessageBox(parent, kPrintQuestionString, QMessageBox::Information,
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes && links.print)
        links.print(fileName);
    return true;
}

void EditIssuedDocument(QWidget* parent, const DocumentEditLinks& links)
{
    CDocumentNumberDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    EditDocumentFile(parent, links, EditedDocumentName(dialog.Type(), dialog.Year(), dialog.Number()));
}

}  // namespace lodgix
