#include "lodgixstate.h"

namespace lodgix {

void LodgixState::Shutdown()
{
    if (reminder) {
        reminder->Stop();
        reminder.reset();
    }
    engine.reset();
    extensions.Clear();
    rooms.clear();
    roomCount = 0;
    reminderDatabase.reset();
    database.reset();
}

}  // namespace lodgix
