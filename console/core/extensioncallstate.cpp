#include "extensioncallstate.h"

void ResetExtensionCallStates(ExtensionCallStateTable& table, unsigned pbxIndex, unsigned extensionIndex)
{
    if (pbxIndex >= table.size())
        return;
    auto& entries = table[pbxIndex];
    if (extensionIndex == kAllCallStates)
        entries.fill(ExtensionCallState());
    else if (extensionIndex < entries.size())
        entries[extensionIndex] = ExtensionCallState();
}
