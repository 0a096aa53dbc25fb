#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace lodgix {

class CHotelDatabase;

// The file name of an issued document by the type the document number dialog gives: 0 a receipt, 1 an
// invoice; any other type gives "INVALID", a name no document has.
QString EditedDocumentName(int type, int year, int number);

// What an edit of an issued document needs: the database and hotel of the stay that holds it, the
// documents' folder, and the preview of a saved document.
struct DocumentEditLinks {
    CHotelDatabase& database;
    int hotelId = 0;
    QString dataFolder;  // with its trailing '/'
    std::function<void(const QString& fileName)> print;
};

// Shows the document of that name (in the data folder) in the bill data dialog; on "Conferma" saves it and
// gives the stay that holds it the new total (the sum of the lines' gross amounts) and payment method,
// then offers to print it. A name that does not load: 2317. A failed save or stay update: 2146, and the
// file as it was before (a document never disagrees with its stay's total). True when saved.
bool EditDocumentFile(QWidget* parent, const DocumentEditLinks& links, const QString& fileName);

// The whole edit: the document number dialog, then EditDocumentFile.
void EditIssuedDocument(QWidget* parent, const DocumentEditLinks& links);

}  // namespace lodgix
