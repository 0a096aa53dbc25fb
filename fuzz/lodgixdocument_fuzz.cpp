// The hotel's document and police-form files with any bytes: a file that loads encodes to bytes that load
// back to the same record. The first input byte chooses the file: even a receipt or invoice, whose size is
// fixed (the rest of the input is a list of patches on a good file: 2 bytes of offset, high first, 1 byte of
// length, then that many bytes; a first byte of 2 cuts the file to the older size), odd a police form
// (the rest of the input is the file).
#include "documentrecord.h"
#include "policeform.h"

#include <cstdlib>

namespace {

using namespace lodgix;

const QByteArray& GoodDocument()
{
    static const QByteArray file = [] {
        DocumentRecord record;
        record.number = DocumentNumberText(1, 2026);
        record.lines = {BillLine::Make(QStringLiteral("Camera"), 2, Money::FromCents(8000), VatRate::FromHundredths(1000))};
        return record.Encode();
    }();
    return file;
}

template <typename Record>
void CheckRoundTrip(const Record& record)
{
    const std::optional<Record> again = Record::Decode(record.Encode());
    if (!again || !(*again == record))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] % 2 == 1) {
        if (const std::optional<PoliceForm> form =
                PoliceForm::Decode(QByteArrayView(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1))))
            CheckRoundTrip(*form);
        return 0;
    }
    QByteArray file = GoodDocument();
    if (data[0] == 2)
        file.truncate(DocumentRecord::kOlderSize);
    std::size_t i = 1;
    while (i + 3 <= size) {
        const qsizetype offset = (qsizetype{data[i]} << 8 | data[i + 1]) * 3 % file.size();
        const std::size_t length = data[i + 2];
        i += 3;
        for (std::size_t k = 0; k < length && i < size; ++k, ++i)
            file[(offset + static_cast<qsizetype>(k)) % file.size()] = static_cast<char>(data[i]);
    }
    if (const std::optional<DocumentRecord> record = DocumentRecord::Decode(file))
        CheckRoundTrip(*record);
    return 0;
}
