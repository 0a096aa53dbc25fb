#include "consolestartupload.h"

#include "engineerrorcode.h"
#include "mainsettings.h"
#include "objectvisibility.h"
#include "operatorconsolestate.h"
#include "pbxstateloader.h"
#include "service2pluginsettings.h"
#include "sqldatabase.h"
#include "statustexts.h"

int LoadOwnExtensionState(CSqlDatabase& database, OperatorConsoleState& state, const MainSettings& settings,
                          const OleDate& now)
{
    int result = database.CountMissedCalls(PbxListPosition(database, state.firstPbxIdentifier), state.ownExtension,
                                           settings.MissedCallReference(), now, state.missedCalls);
    bool waiting = false;
    const int unread = database.HasUnreadMessages(state.firstPbxIdentifier, state.ownExtension, waiting);
    state.unreadMessages = waiting;
    if (result == kNoError)
        result = unread;
    FormatOwnExtensionStatus(state, database, state.ownExtensionStateText, state.ownExtensionPeerText);
    return result;
}

int LoadConsoleState(CSqlDatabase& database, OperatorConsoleState& state, MainSettings& settings,
                     const Service2PluginSettings& secondPbx, int pbxIdentifier, int associatedExtension,
                     const OleDate& now)
{
    const int second = secondPbx.SecondPbxShown() ? secondPbx.SecondPbx() : Service2PluginSettings::kNoPbx;
    if (int result = LoadPbxState(database, state, pbxIdentifier, associatedExtension, second); result != kNoError)
        return result;
    ApplyObjectVisibility(state, settings, secondPbx);
    return LoadOwnExtensionState(database, state, settings, now);
}
