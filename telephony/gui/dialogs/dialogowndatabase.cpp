#include "dialogowndatabase.h"

#include "consolewindowcontext.h"
#include "dialogdatabase.h"
#include "engineerrorcode.h"
#include "errorbox.h"
#include "stringtable.h"

#include <QDialog>
#include <QTimer>

namespace {

constexpr unsigned kProgramNameString = 1004;
constexpr unsigned kFirstErrorString = 15000;
constexpr unsigned kErrorCodeLabel = 10013;

}  // namespace

bool ConnectOwnDatabase(QDialog& dialog, CSqlDatabase& database, const ConsoleWindowContext& context)
{
    const int code =
        context.installation ? ConnectDialogDatabase(database, *context.installation) : kNoDialogDatabaseServer;
    if (code == kNoError)
        return true;
    // Once the dialog runs: the box, then the dialog ends.
    QTimer::singleShot(0, &dialog, [&dialog, code] {
        ShowErrorBox(LoadResString(kProgramNameString), LoadResString(kFirstErrorString + static_cast<unsigned>(code)),
                     static_cast<std::uint8_t>(code), QString(), kErrorCodeLabel);
        dialog.reject();
    });
    return false;
}
