#pragma once

#include "oledate.h"

#include <QString>
#include <QVariantList>

// What the outgoing bit of the call-log kinds selects: the list shows both kinds of outgoing call the engine
// stores (Uscente 2 and 4), the counts only the plain one (2).
enum class OutgoingCalls { kBothKinds, kPlainOnly };

// A statement with "?" placeholders and the values bound to them.
struct CallLogSelect {
    QString sql;
    QVariantList values;
};

// The switchboard calls of a PBX in start order: one extension (255 all), the direction and line kind that
// one bit of each group of `kinds` selects, and starts strictly inside the period when `from` is given (the
// caller has checked that both ends are there and valid).
CallLogSelect BuildCallLogSelect(int pbx, int extension, unsigned kinds, const OleDate* from, const OleDate* to,
                                 OutgoingCalls outgoing);
