// CLodgixView: the check-in commands, the wake-up call and the access cards.
#include "lodgixview.h"

#include "lodgixview_desk.h"

void CLodgixView::RegisterStayCommands()
{
    using lodgix::CDeskCommands;
    RegisterDeskCommand(32788, &CDeskCommands::CheckInNew, &CDeskCommands::CanCheckInNew);
    RegisterDeskCommand(32789, &CDeskCommands::CheckInEdit, &CDeskCommands::CanEditCheckIn);
    RegisterDeskCommand(32791, &CDeskCommands::CheckInDelete, &CDeskCommands::CanEditCheckIn);
    RegisterDeskCommand(32807, &CDeskCommands::WakeUp, &CDeskCommands::CanWakeUp);
    RegisterDeskCommand(32816, &CDeskCommands::CreateCard, &CDeskCommands::CanCreateCard);
}
