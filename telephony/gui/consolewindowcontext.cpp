#include "consolewindowcontext.h"

#include "operatorconsolestate.h"

CallPlacement ConsoleWindowContext::Placement() const
{
    CallPlacement placement;
    placement.engine = Engine();
    placement.pbx = state ? static_cast<std::uint8_t>(state->firstPbxIdentifier) : 0;
    placement.view = callProgress;
    return placement;
}

QString ConsoleWindowContext::ExtensionName(int index) const
{
    if (!state)
        return {};
    static const PbxLabelReader noLabels = [](PbxLabelKind, int, int) { return QString(); };
    return FormatExtensionName(*state, labels ? labels : noLabels, index);
}
