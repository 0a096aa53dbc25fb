#pragma once

#include "textcolumn.h"

#include <QString>

#include <span>

namespace lodgix {

// A company of the register (CompanyConfiguration), unique by its tax code among visible companies.
struct CompanyRecord {
    QString companyName;
    QString address;
    QString city;
    QString province;
    QString postCode;
    QString country;
    QString phone1;
    QString phone2;
    QString phone3;
    QString email1;
    QString email2;
    QString webAddress;
    QString vatNumber;
    QString taxCode;

    static std::span<const TextColumn<CompanyRecord>> Columns();
    friend bool operator==(const CompanyRecord&, const CompanyRecord&) = default;
};

}  // namespace lodgix
