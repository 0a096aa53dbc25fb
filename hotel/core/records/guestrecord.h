#pragma once

#include "textcolumn.h"

#include <QDate>
#include <QString>

#include <span>

namespace lodgix {

// A guest of the register (GuestConfiguration). The date of birth is a date, stored as one; with the name
// and the place of birth it tells guests apart.
struct GuestRecord {
    QString name;
    QString address;
    QString city;
    QString province;
    QString postCode;
    QString country;
    QString phone1;
    QString phone2;
    QString phone3;
    QString email;
    QString documentType;
    QString documentNumber;
    QString issuedBy;
    QDate dateOfBirth;
    QString birthPlace;
    QString birthCountry;
    QString taxCode;
    QString conventionName;  // the label of the guest's agreement, or empty

    // The text fields, in column order (the date of birth lies between issuedBy and birthPlace).
    static std::span<const TextColumn<GuestRecord>> Columns();
    friend bool operator==(const GuestRecord&, const GuestRecord&) = default;
};

}  // namespace lodgix
