#pragma once

#include "lodgixprinting.h"
#include "messagetarget.h"

#include <functional>
#include <optional>

class CSortListCtrl;
class QWidget;

namespace lodgix {

// What the front desk's modeless windows reach of their owner, the view: where their notices go, the print
// request they fill before asking for the preview, and the export of a list to a file.
struct DeskWindowLinks {
    static constexpr std::uint32_t kCloseWindows = WM_USER + 101;
    static constexpr std::uint32_t kPrintListedStay = WM_USER + 102;
    static constexpr std::uint32_t kListChanged = WM_USER + 103;
    static constexpr std::uint64_t kFilePrintPreview = 57609;

    // Exports a list to a file the user picks (its parent window for the file dialog).
    using ListExport = std::function<void(QWidget* parent, const CSortListCtrl& list)>;

    MessageTarget* owner = nullptr;
    PrintRequest* print = nullptr;
    ListExport exportList;

    void Notify(std::uint32_t message, std::uint64_t wParam = 0) const
    {
        if (owner)
            owner->Post(message, wParam, 0);
    }

    // Sets the print request to the list and asks the owner for the preview.
    void PrintList(quint8 kind, const CSortListCtrl& list, std::optional<PoliceFormTitle> form = std::nullopt) const;
};

}  // namespace lodgix
