#pragma once

#include "operatorconsolestate.h"

#include <QString>

class CSqlDatabase;

// The caller of a line's current call: "Sconosciuto" for no caller id or "**NOCID**", else the name of
// the contact holding the number, else the number itself.
QString FormatCallerId(const OperatorConsoleState& state, CSqlDatabase& database, int lineIndex);
// The name of the contact holding the number (after the outside-line prefix is stripped when asked);
// empty when none does or the number is empty.
QString LookupContactName(const OperatorConsoleState& state, CSqlDatabase& database, QString number,
                          bool stripPrefix);
