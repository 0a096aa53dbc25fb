#pragma once

#include "pbxobjecttype.h"

// What the engine-event dispatcher asks of the windows after it has changed the console's state. The
// main frame implements it: it draws icons and list rows, the own extension's texts and the popup.
class ConsoleRedrawTarget {
public:
    virtual ~ConsoleRedrawTarget() = default;

    // The object's state changed: draw its icon again and, when its window is open, its list row. The
    // kind is kObjectExtension, kObjectLine, kObjectEntryPhone or kObjectRelay; the index is in the
    // combined numbering (a second PBX's objects behind the first PBX's).
    virtual void RedrawObject(PbxObjectType kind, int index) = 0;
    // The own extension's status texts (OperatorConsoleState::ownExtensionStateText
    // and ownExtensionPeerText)
    // were built again: show them, and refresh the PC phone's display when its window is open.
    virtual void RefreshOwnExtension() = 0;
    // The missed-call count, the unread flag or an alarm changed: the call and event popup refreshes
    // (WM_USER+201 to it).
    virtual void RefreshPopup() = 0;
};
