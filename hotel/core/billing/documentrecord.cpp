#include "documentrecord.h"

#include "binaryrecord.h"

namespace lodgix {

namespace {

constexpr qsizetype kIssuedOffset = 0;
constexpr qsizetype kNumberOffset = 8;
constexpr qsizetype kPaymentOffset = 40;
constexpr qsizetype kGuestOffset = 104;
constexpr qsizetype kCompanyOffset = 168;  // seven fields of 64 bytes
constexpr qsizetype kTypeOffset = 616;
constexpr qsizetype kLineCountOffset = 618;
constexpr qsizetype kLinesOffset = 620;
constexpr qsizetype kTaxCodeOffset = 24172;
static_assert(kLinesOffset + DocumentRecord::kMaxLines * BillLine::kSize == kTaxCodeOffset);
static_assert(kTaxCodeOffset + DocumentRecord::kTextSize + 4 == DocumentRecord::kSize);

// The company's fields in file order.
constexpr QString DocumentRecord::*kCompanyFields[] = {
    &DocumentRecord::companyName,     &DocumentRecord::companyAddress, &DocumentRecord::companyCity,
    &DocumentRecord::companyProvince, &DocumentRecord::companyPostCode, &DocumentRecord::companyCountry,
    &DocumentRecord::companyVatNumber};

}  // namespace

QString DocumentNumberText(int number, int year) { return QStringLiteral("%1 / %2").arg(number).arg(year); }

QByteArray DocumentRecord::Encode() const
{
    QByteArray bytes(kSize, '\0');
    PutF64(bytes, kIssuedOffset, issued.IsValid() ? issued.Value() : 0.0);
    WriteAnsiField(bytes, kNumberOffset, kNumberSize, number);
    WriteAnsiField(bytes, kPaymentOffset, kTextSize, paymentType);
    WriteAnsiField(bytes, kGuestOffset, kTextSize, guestName);
    qsizetype offset = kCompanyOffset;
    for (const auto field : kCompanyFields) {
        WriteAnsiField(bytes, offset, kTextSize, this->*field);
        offset += kTextSize;
    }
    PutU8(bytes, kTypeOffset, type);
    const int count = static_cast<int>(std::min<std::size_t>(lines.size(), kMaxLines));
    PutU16(bytes, kLineCountOffset, static_cast<quint16>(count));
    for (int i = 0; i < count; ++i)
        lines[static_cast<std::size_t>(i)].Encode(bytes, kLinesOffset + i * BillLine::kSize);
    WriteAnsiField(bytes, kTaxCodeOffset, kTextSize, companyTaxCode);
    return bytes;
}

std::optional<DocumentRecord> DocumentRecord::Decode(QByteArrayView bytes)
{
    if (bytes.size() != kSize && bytes.size() != kOlderSize)
        return std::nullopt;
    const int count = GetU16(bytes, kLineCountOffset);
    if (count > kMaxLines)
        return std::nullopt;
    DocumentRecord r;
    r.issued = OleDate(GetF64(bytes, kIssuedOffset));
    // Texts are read to their NUL and never past their field's last byte but one, which a save keeps NUL.
    r.number = ReadAnsiField(bytes, kNumberOffset, kNumberSize - 1);
    r.paymentType = ReadAnsiField(bytes, kPaymentOffset, kTextSize - 1);
    r.guestName = ReadAnsiField(bytes, kGuestOffset, kTextSize - 1);
    qsizetype offset = kCompanyOffset;
    for (const auto field : kCompanyFields) {
        r.*field = ReadAnsiField(bytes, offset, kTextSize - 1);
        offset += kTextSize;
    }
    r.type = GetU8(bytes, kTypeOffset);
    for (int i = 0; i < count; ++i) {
        std::optional<BillLine> line = BillLine::Decode(bytes, kLinesOffset + i * BillLine::kSize);
        if (!line)
            return std::nullopt;
        r.lines.push_back(std::move(*line));
    }
    // The older record ends within the tax code's field: it has none.
    if (bytes.size() == kSize)
        r.companyTaxCode = ReadAnsiField(bytes, kTaxCodeOffset, kTextSize - 1);
    return r;
}

}  // namespace lodgix
