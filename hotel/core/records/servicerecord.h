#pragma once

#include "money.h"

#include <QString>

namespace lodgix {

// An optional service that a booking or a stay can select.
struct ServiceRecord {
    int id = 0;
    Money price;
    QString name;
    bool selected = false;  // set by the booking and check-in dialogs

    friend bool operator==(const ServiceRecord&, const ServiceRecord&) = default;
};

}  // namespace lodgix
