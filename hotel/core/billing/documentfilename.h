#pragma once

#include <QString>

namespace lodgix {

// What a document's file name ("Recv" or "Fatt", year in 4 digits, number in 5, ".psx") tells.

// True for a receipt's name ("Recv" anywhere in it); any other name counts as an invoice's.
bool IsReceiptFile(const QString& file);
// "number / year" from the digits after the kind's tag, both as plain numbers: "Recv200700012.psx" gives
// "12 / 2007".
QString DocumentNumberOfFile(const QString& file);

}  // namespace lodgix
