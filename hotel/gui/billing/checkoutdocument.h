#pragma once

#include "checkinrecord.h"
#include "documentfiles.h"
#include "documentrecord.h"

#include <vector>

namespace lodgix {

class CHotelDatabase;

// The receipt or invoice of one document of a check-out, before its number is claimed: issued at the
// check-out moment, the paying guest's name (a receipt) or the company's fields and the stay's first
// guest's name (an invoice), the lines and the payment method. A payer that does not load is reset to 0.
DocumentRecord CheckOutDocument(CHotelDatabase& database, DocumentKind kind, int& payerId, const CheckInRecord& stay,
                                std::vector<BillLine> lines, const QString& paymentType);

// The gross sum of the lines.
Money DocumentTotal(const std::vector<BillLine>& lines);

}  // namespace lodgix
