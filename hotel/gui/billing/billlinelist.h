#pragma once

#include "billline.h"
#include "money.h"

#include <vector>

class CSortListCtrl;

namespace lodgix {

// A document's bill lines shown in a list: receipt columns (description, unit price with VAT, quantity,
// gross amount) or invoice columns (description, net unit price, VAT, quantity, net, tax, gross). The rows
// are never re-sorted: a row's position is its line's index.
enum class BillListKind { kReceipt, kInvoice };

// The kind's columns: the numbers as wide as their heading or an amount needs, the description over the
// rest of the list's width; the list is made wide enough for every heading to fit.
void SetBillListColumns(CSortListCtrl& list, BillListKind kind);

// Cuts every "Internet access" line to that name: the access code after it never reaches a document.
void CutInternetAccessNames(std::vector<BillLine>& lines);

// Cuts the internet access names, then shows one row per line, a blank row and the totals row. Returns
// the gross total.
Money FillBillList(CSortListCtrl& list, std::vector<BillLine>& lines, BillListKind kind);

}  // namespace lodgix
