#pragma once

#include "objectlistview.h"

#include <memory>

class QMenu;

// The entry-phones window: the entry phones of this PBX, then those of the second PBX, as icons. The
// right-click menu calls an idle entry phone; a double click calls it, answers it or takes the call back
// by its state and this station's.
class CEntryPhoneView : public CObjectListView {
    Q_OBJECT
public:
    static constexpr std::uint32_t kMenuId = 189;
    static constexpr std::uint32_t kCallCommand = 32790;
    static constexpr std::uint8_t kSecondPbxEntryPhonesOption = 0x04;  // of the second PBX plug-in's first byte

    CEntryPhoneView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent = nullptr);
    ~CEntryPhoneView() override;

    // Calls the right-clicked entry phone.
    void OnCall();
    QMenu* ContextMenu() const { return m_menu.get(); }

protected:
    void OnTick() override;
    bool FillInfoTip(int index, QString& buffer, int size) override;
    void OnRClick(int entryPhone) override;
    void OnDblClick(int entryPhone) override;

private:
    std::uint8_t EntryPhoneState(int entryPhone) const;
    // Whether the entry phone is one the window acts on: this PBX's, or the second PBX's with its option.
    bool Served(int entryPhone) const;
    bool IsSecondPbx(int entryPhone) const;
    // Runs the requests in order until one fails, whose code is shown.
    void Run(std::initializer_list<std::function<int()>> requests) const;

    std::unique_ptr<QMenu> m_menu;
    int m_clicked = kNoObject;  // the entry phone of the last right click
};
