#pragma once

#include <QString>
#include <QStringList>

namespace lodgix {

// Pieces of statements built from column lists: "?,?,?" and "a=?,b=?".
QString Placeholders(qsizetype count);
QString Assignments(const QStringList& columns);

}  // namespace lodgix
