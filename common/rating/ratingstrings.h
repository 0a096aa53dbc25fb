#pragma once

#include <QString>

// The names the rating data is built with (default tariffs, prefix groups, rules, call types). They come
// from this library's own table, not from the running program's, so that every program that links the
// rating code builds the same names whatever its own string ids mean.
QString RatingString(unsigned id);
