#include "deskwindowlinks.h"

#include "sortlistctrl.h"

namespace lodgix {

void DeskWindowLinks::PrintList(quint8 kind, const CSortListCtrl& list, std::optional<PoliceFormTitle> form) const
{
    if (print)
        *print = PrintRequest{kind, &list, form};
    Notify(WM_COMMAND, kFilePrintPreview);
}

}  // namespace lodgix
