#pragma once

#include "pricetable.h"
#include "vatrate.h"

#include <QString>

namespace lodgix {

// A guest agreement (GuestConventions): prices that replace a room's own for the guests bound to it.
struct ConventionRecord {
    static constexpr int kLabelLength = 63;

    QString label;
    PriceTable prices;
    VatRate vat;

    friend bool operator==(const ConventionRecord&, const ConventionRecord&) = default;
};

}  // namespace lodgix
