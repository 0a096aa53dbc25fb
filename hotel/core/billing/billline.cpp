#include "billline.h"

#include "binaryrecord.h"
#include "hundredths.h"

#include <array>

#include <cmath>

namespace lodgix {

namespace {

constexpr qsizetype kQuantityOffset = 64;
constexpr qsizetype kAmountsOffset = 68;

// Hundredths of a value that a float held (a price or a percentage), to the nearest one.
std::optional<qint64> Hundredths(float value)
{
    const double hundredths = double(value) * 100.0;
    if (!std::isfinite(hundredths) || std::fabs(hundredths) > double(kMaxHundredths))
        return std::nullopt;
    return std::llround(hundredths);
}
float Float(qint64 hundredths) { return static_cast<float>(double(hundredths) / 100.0); }

}  // namespace

BillLine BillLine::Make(const QString& description, quint16 quantity, Money unitPrice, VatRate vat)
{
    BillLine line;
    line.description = description.left(kMaxDescription);
    line.quantity = quantity;
    line.unitPrice = unitPrice;
    line.vat = vat;
    line.Recompute();
    return line;
}

void BillLine::Recompute()
{
    // Whole cents and hundredths of a percent: net = gross x 10000 / (10000 + VAT), to the nearest cent.
    const qint64 gross = unitPrice.Cents() * quantity;
    const qint64 divisor = 10000 + vat.Hundredths();
    const auto toCents = [divisor](qint64 cents) {
        if (divisor <= 0)
            return cents;
        const double exact = double(cents) * 10000.0 / double(divisor);
        return static_cast<qint64>(std::llround(exact));
    };
    grossAmount = Money::FromCents(gross);
    netUnitPrice = Money::FromCents(toCents(unitPrice.Cents()));
    netAmount = Money::FromCents(toCents(gross));
    taxAmount = grossAmount - netAmount;
}

void BillLine::Encode(QByteArray& bytes, qsizetype offset) const
{
    WriteAnsiField(bytes, offset, kDescriptionSize, description);
    PutU16(bytes, offset + kQuantityOffset, quantity);
    PutU16(bytes, offset + kQuantityOffset + 2, 0);
    const qint64 values[] = {netUnitPrice.Cents(), unitPrice.Cents(), netAmount.Cents(),
                             vat.Hundredths(),     taxAmount.Cents(), grossAmount.Cents()};
    for (int i = 0; i < 6; ++i)
        PutF32(bytes, offset + kAmountsOffset + 4 * i, Float(values[i]));
}

std::optional<BillLine> BillLine::Decode(QByteArrayView bytes, qsizetype offset)
{
    std::array<qint64, 6> values{};
    for (int i = 0; i < 6; ++i) {
        const std::optional<qint64> value = Hundredths(GetF32(bytes, offset + kAmountsOffset + 4 * i));
        if (!value)
            return std::nullopt;
        values[static_cast<std::size_t>(i)] = *value;
    }
    BillLine line;
    line.description = ReadAnsiField(bytes, offset, kMaxDescription);
    line.quantity = GetU16(bytes, offset + kQuantityOffset);
    line.netUnitPrice = Money::FromCents(values[0]);
    line.unitPrice = Money::FromCents(values[1]);
    line.netAmount = Money::FromCents(values[2]);
    line.vat = VatRate::FromHundredths(values[3]);
    line.taxAmount = Money::FromCents(values[4]);
    line.grossAmount = Money::FromCents(values[5]);
    return line;
}

quint16 FindBillLine(const BillLine& line, const std::vector<BillLine>& lines)
{
    for (std::size_t i = 0; i < lines.size() && i < kNoBillLine; ++i)
        if (lines[i].description == line.description && lines[i].unitPrice == line.unitPrice &&
            lines[i].vat == line.vat)
            return static_cast<quint16>(i);
    return kNoBillLine;
}

void AddBillLine(const BillLine& line, std::vector<BillLine>& lines)
{
    if (line.unitPrice.IsZero() || line.quantity == 0)
        return;
    const quint16 found = FindBillLine(line, lines);
    if (found != kNoBillLine) {
        BillLine& same = lines[found];
        same.quantity = static_cast<quint16>(std::min<int>(same.quantity + line.quantity, 0xFFFF));
        same.Recompute();
        return;
    }
    lines.push_back(BillLine::Make(line.description, line.quantity, line.unitPrice, line.vat));
}

void UpdateBillLine(const BillLine& line, std::vector<BillLine>& lines, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= lines.size())
        return;
    lines[static_cast<std::size_t>(index)] = BillLine::Make(line.description, line.quantity, line.unitPrice, line.vat);
}

void RemoveBillLine(std::vector<BillLine>& lines, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= lines.size())
        return;
    lines.erase(lines.begin() + index);
}

}  // namespace lodgix
