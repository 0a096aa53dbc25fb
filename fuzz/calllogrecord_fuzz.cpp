// A call-log answer of any bytes: decoding it reads only the record and gives a number of digits only.
#include "calllogrecord.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CallLogRecord record;
    if (!record.Decode(std::span<const std::uint8_t>(data, size)))
        return 0;
    const QDate date = record.Date();
    if (date.isValid() && (date.year() < 2000 || date.year() > 2255))
        std::abort();
    const QString number = record.DialledNumber();
    if (number.size() > static_cast<qsizetype>(CallLogRecord::kNumberSize))
        std::abort();
    (void)record.Pulses();
    (void)record.Charge();
    (void)record.Start();
    return 0;
}
