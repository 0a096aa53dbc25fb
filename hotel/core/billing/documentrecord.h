#pragma once

#include "billline.h"
#include "oledate.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace lodgix {

// A receipt or an invoice as its file keeps it: 24,240 bytes, little-endian, texts NUL-terminated in their
// fields, up to 256 bill lines of 92 bytes.
struct DocumentRecord {
    static constexpr qsizetype kSize = 24240;
    static constexpr qsizetype kOlderSize = 24176;  // written before the tax code was kept
    static constexpr int kMaxLines = 256;
    static constexpr qsizetype kTextSize = 64;
    static constexpr qsizetype kNumberSize = 32;

    enum Type : quint8 { kReceipt = 0, kInvoice = 1 };

    OleDate issued;          // the check-out moment
    QString number;          // "number / year"
    QString paymentType;
    QString guestName;
    QString companyName;     // RagioneSociale, and the company's other fields: invoices only
    QString companyAddress;
    QString companyCity;
    QString companyProvince;
    QString companyPostCode;
    QString companyCountry;
    QString companyVatNumber;
    quint8 type = kReceipt;
    std::vector<BillLine> lines;  // at most kMaxLines are stored
    QString companyTaxCode;       // CodiceFiscale

    QByteArray Encode() const;
    // Nothing for bytes of another size than kSize or kOlderSize, a line count beyond the slots or a line's
    // amount that is no number. An older record has no tax code.
    static std::optional<DocumentRecord> Decode(QByteArrayView bytes);

    friend bool operator==(const DocumentRecord&, const DocumentRecord&) = default;
};

// The number text of a document: "12 / 2026".
QString DocumentNumberText(int number, int year);

}  // namespace lodgix
