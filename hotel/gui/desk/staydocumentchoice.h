#pragma once

#include "checkinrecord.h"

#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace lodgix {

// A receipt or invoice a stay issued, as the choice of documents lists it.
struct StayDocumentRow {
    QString file;
    QString description;  // arrival, departure, kind, number / year, amount
};

// The issued documents of the stays, stay by stay and within a stay in their order.
std::vector<StayDocumentRow> StayDocumentRows(const std::vector<CheckInRecord>& stays);
// The file of the one row, or of the row the user picks among several; none without rows.
std::optional<QString> ChooseStayDocument(QWidget* parent, const std::vector<StayDocumentRow>& rows);

}  // namespace lodgix
