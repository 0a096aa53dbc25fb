#pragma once

#include "money.h"
#include "vatrate.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace lodgix {

// One line of a stay's bill. The unit price is the price as entered, VAT included; the other amounts follow
// from it to the cent: gross = unit x quantity, net = gross x 100 / (100 + VAT), tax = gross - net.
struct BillLine {
    static constexpr qsizetype kSize = 92;           // as a document file stores it
    static constexpr qsizetype kDescriptionSize = 64;
    static constexpr int kMaxDescription = 63;

    QString description;
    quint16 quantity = 0;
    Money netUnitPrice;
    Money unitPrice;
    Money netAmount;
    VatRate vat;
    Money taxAmount;
    Money grossAmount;

    // A line of that quantity and price with its amounts worked out.
    static BillLine Make(const QString& description, quint16 quantity, Money unitPrice, VatRate vat);
    // Works the net and tax amounts out again from the unit price, quantity and VAT.
    void Recompute();

    // The file's form: description, quantity (WORD at 64), then six floats from 68 (net unit price, unit
    // price, net amount, VAT percent, tax, gross). Floats are read back to the cent; nothing for a float
    // that is no number or beyond what an amount column holds.
    void Encode(QByteArray& bytes, qsizetype offset) const;
    static std::optional<BillLine> Decode(QByteArrayView bytes, qsizetype offset);

    friend bool operator==(const BillLine&, const BillLine&) = default;
};

inline constexpr quint16 kNoBillLine = 0xFFFF;

// Adds a line, or raises the quantity of the line of the same description (exact case), unit price and VAT.
// A line of quantity 0 or unit price 0 is left out.
void AddBillLine(const BillLine& line, std::vector<BillLine>& lines);
// Rewrites description, VAT, unit price and quantity of one line; an index past the end does nothing.
void UpdateBillLine(const BillLine& line, std::vector<BillLine>& lines, int index);
// Removes one line (the later ones move up); an index past the end does nothing.
void RemoveBillLine(std::vector<BillLine>& lines, int index);
// The index of the line of the same description, unit price and VAT, or kNoBillLine.
quint16 FindBillLine(const BillLine& line, const std::vector<BillLine>& lines);

}  // namespace lodgix
