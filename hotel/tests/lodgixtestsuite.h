#pragma once

#include "dbparameters.h"

#include <QString>

namespace lodgix {

// What a hotel program's start finds ready in a test's suite: the rating program's configuration file
// with its defaults, and in the catalog an operator and a hotel.
bool WriteDefaultRating(const QString& path);
bool AddOperator(const DbParameters& catalog, const QString& userName, const QString& password);
bool AddHotel(const DbParameters& catalog, const QString& name);

}  // namespace lodgix
