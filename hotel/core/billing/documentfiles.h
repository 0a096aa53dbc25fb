#pragma once

#include "documentfilesystem.h"
#include "documentrecord.h"
#include "policeform.h"

#include <QString>

#include <optional>

class QDateTime;

namespace lodgix {

// Receipts, invoices and police registration forms as files of the data folder. Every file is written
// whole (a temporary file, then its name) and read only when its size is one of its forms.

bool SaveDocumentFile(const DocumentRecord& record, const QString& path);
bool LoadDocumentFile(DocumentRecord& record, const QString& path);
bool SavePoliceForms(const PoliceForm& form, const QString& path);
// The entries of an older file come with an empty document text.
bool LoadPoliceForms(PoliceForm& form, const QString& path);

// Numbers have five digits in the file names: a number past this one is refused (0).
inline constexpr int kMaxDocumentNumber = 99999;

enum class DocumentKind { kReceipt, kInvoice };

// "Recv" or "Fatt", the year with 4 digits, the number with 5, ".psx".
QString DocumentFileName(DocumentKind kind, int year, int number);
// The kind, year and number of a name DocumentFileName makes (without a folder); none for another name.
struct DocumentFileNumber {
    DocumentKind kind = DocumentKind::kReceipt;
    int year = 0;
    int number = 0;
};
std::optional<DocumentFileNumber> ParseDocumentFileName(const QString& name);
// "PS", the form's date as yyyyMMdd, the number with 5 digits, ".psx".
QString PoliceFormFileName(const QDate& date, int number);

// The next free number among the files of the folder: one past the largest number of a file of the
// year (police forms: of any date) whose name has exactly the length of such a name; 1 when there is none;
// 0 when it would pass kMaxDocumentNumber.
int NextReceiptNumber(const QString& folder, int year);
int NextInvoiceNumber(const QString& folder, int year);
int NextPoliceFormNumber(const QString& folder);

// Stores a new document under the first free number from `number` on: the file is written whole under a
// temporary name and then given its numbered name, which fails when another workstation took it; the next
// number is then tried. The name is claimed with a hard link, or, on a share that refuses hard links, by
// creating it exclusively. The record's number text follows the number used. The file's name (in the
// folder), or an empty text when no number up to kMaxDocumentNumber is free or the folder cannot be written.
QString IssueDocumentFile(const QString& folder, DocumentKind kind, int year, int number, DocumentRecord& record,
                          DocumentFileSystem& files = DocumentFileSystem::System());
QString IssuePoliceForm(const QString& folder, const QDate& date, int number, const PoliceForm& form,
                        DocumentFileSystem& files = DocumentFileSystem::System());

// Removes the temporary files of issues that never ended, when older than a day; gives their count.
int RemoveStaleIssueFiles(const QString& folder, const QDateTime& now);

}  // namespace lodgix
