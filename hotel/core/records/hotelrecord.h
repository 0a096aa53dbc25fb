#pragma once

#include "textcolumn.h"

#include <QString>

#include <span>

namespace lodgix {

// The texts of a hotel (HotelConfiguration); its number of rooms travels beside it.
struct HotelRecord {
    QString name;
    QString address;
    QString city;
    QString province;
    QString postCode;
    QString country;
    QString phone1;
    QString phone2;
    QString phone3;
    QString webAddress;
    QString email1;
    QString email2;
    QString companyName;
    QString vatNumber;

    static std::span<const TextColumn<HotelRecord>> Columns();
    friend bool operator==(const HotelRecord&, const HotelRecord&) = default;
};

// One line of the hotel list.
struct HotelListEntry {
    QString name;
    int id = 0;
};

}  // namespace lodgix
