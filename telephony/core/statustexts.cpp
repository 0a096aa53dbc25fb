#include "statustexts.h"

#include "operatorconsolestate.h"
#include "sqldatabase.h"

void FormatOwnExtensionStatus(OperatorConsoleState& state, CSqlDatabase& database, QString& stateText,
                              QString& peerText)
{
    Q_UNUSED(database);
    Q_UNUSED(state);
    stateText.clear();
    peerText.clear();
}
