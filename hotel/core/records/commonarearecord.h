#pragma once

#include <QString>

namespace lodgix {

// A common area of the key-card system (ITCCommonAreas). Label and code are each unique among visible areas.
struct CommonAreaRecord {
    static constexpr int kLabelLength = 63;
    static constexpr int kCodeLength = 16;  // the whole column

    int id = 0;
    QString label;
    QString code;
    bool free = false;  // guests use it free of charge
    bool visible = true;

    friend bool operator==(const CommonAreaRecord&, const CommonAreaRecord&) = default;
};

}  // namespace lodgix
