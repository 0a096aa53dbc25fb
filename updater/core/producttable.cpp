#include "producttable.h"

#include "messagetarget.h"
#include "suiteipc.h"

const std::array<ProductRow, kProductCount> ProductTable = {{
    {"Pultex Engine", "2.4.0", "Pultex"},
    {"Fonivra", "2.4.0", "Fonivra"},
    {"Pultex TAPI Driver", "1.3.2", "Pultex"},
    {"Tarivo", "2.1.0", "Tarivo"},
    {"Fonivra Contacts Plug-In", "1.2.0", "Fonivra"},
    {"Lodgix", "1.8.0", "Lodgix"},
    {"Fonivra Voice Box Plug-In", "1.1.0", "Fonivra"},
    {"Fonivra Recorder Plug-In", "1.0.4", "Fonivra"},
    {"Tarivo Export Plug-In", "1.0.2", "Tarivo"},
    {"Retimo Plug-In", "1.0.0", "Lodgix"},
    {"Lodgix Key-Card Plug-In", "1.0.1", "Lodgix"},
}};

bool FindProgramWindow(const QString& windowClass, bool close)
{
    if (!SuiteIpc::Find(SuiteIpc::Key::WindowClass, windowClass))
        return false;
    if (close)
        SuiteIpc::Post(SuiteIpc::Key::WindowClass, windowClass, WM_COMMAND, kFileCloseCommand, 0);
    return true;
}
