#pragma once

#include "objectlistview.h"

#include <QPoint>

#include <functional>
#include <initializer_list>
#include <optional>
#include <memory>

class QDialog;
class QLabel;
class QMenu;

// The extensions window: the extensions of this PBX, then those of the second PBX, as icons whose
// ringing, waiting, held and paused ones blink. Every command acts on the selected extension, the last one
// clicked: a click calls, answers, picks up, hangs up, holds or resumes by its state; the right-click menu
// carries the extension commands; dragging this station's call onto another extension transfers it.
class CDerivedView : public CObjectListView {
    Q_OBJECT
public:
    static constexpr std::uint8_t kNone = 255;
    static constexpr std::uint8_t kSecondPbxExtensionsOption = 0x10;  // of the second PBX plug-in's first byte
    static constexpr int kDragEdge = 10;  // a drag this close to an edge of the window is given up
    static constexpr int kDropHighlightRole = Qt::UserRole + 1;  // true on the item shown as the drop target

    // Menu commands.
    static constexpr std::uint32_t kCall = 32771;
    static constexpr std::uint32_t kHold = 32789;
    static constexpr std::uint32_t kEnable = 32779;
    static constexpr std::uint32_t kDoNotDisturb = 32820;
    static constexpr std::uint32_t kFollowMe = 32821;
    static constexpr std::uint32_t kWakeUpToggle = 32775;
    static constexpr std::uint32_t kWakeUpEdit = 32774;
    static constexpr std::uint32_t kWakeUpEvents = 32776;
    static constexpr std::uint32_t kIncomingCalls = 32792;
    static constexpr std::uint32_t kOutgoingCalls = 32793;
    static constexpr std::uint32_t kMissedCalls = 32819;
    static constexpr std::uint32_t kAllCalls = 32794;
    static constexpr std::uint32_t kAlarms = 32808;
    static constexpr std::uint32_t kNotes = 32827;
    static constexpr std::uint32_t kMessagesReceived = 32824;
    static constexpr std::uint32_t kMessagesSent = 32826;
    static constexpr std::uint32_t kSendMessage = 32825;
    static constexpr std::uint32_t kCheckInOut = 32822;
    // The submenus carry their title's string id as their name.
    static constexpr unsigned kWakeUpMenu = 10025;
    static constexpr unsigned kCallListMenu = 10057;
    static constexpr unsigned kMessagesMenu = 1195;
    // The event lists' types.
    static constexpr int kWakeUpList = 0;
    static constexpr int kCallList = 1;
    static constexpr int kAlarmList = 2;
    static constexpr int kMessageList = 3;
    static constexpr int kNoteList = 4;
    static inline const QString kTemporaryBackground = QStringLiteral("DerBkImTmp.psx");

    // Runs a modal dialog (exec() by default); shows a message box with a caption and a text.
    using RunDialog = std::function<int(QDialog&)>;
    using ShowMessage = std::function<void(const QString& caption, const QString& text)>;

    CDerivedView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent = nullptr);
    ~CDerivedView() override;

    void SetRunDialog(RunDialog run) { m_runDialog = std::move(run); }
    void SetShowMessage(ShowMessage show) { m_showMessage = std::move(show); }

    // The extension the commands act on (255: none).
    void SetSelectedExtension(int index);
    int SelectedExtension() const { return m_selected; }
    // The call action on the selected extension, as the menu's "Chiama" does it.
    void CallSelectedExtension() { OnCall(); }
    // LVA_ALIGNLEFT: the items in rows from the left.
    void ArrangeIcons() { LayoutIcons(); }

    // The right-click menu, built for the selected extension; null before the first.
    QMenu* ContextMenu() const { return m_menu.get(); }
    void BuildContextMenu();
    // Runs a command of the menu by its id.
    void OnCommand(std::uint32_t command);

    // The commands.
    void OnCall();
    void OnHold();
    void OnEnableExtension();
    void OnDoNotDisturb();
    void OnFollowMe();
    void OnWakeUpToggle() { ChangeWakeUp(false); }
    void OnWakeUpEdit() { ChangeWakeUp(true); }
    void OnSendMessage();
    void OnCheckInOut();

    // The drag: whether one runs and the item shown as its drop target (-1 none).
    bool IsDragging() const { return m_dragging; }
    int DropTargetRow() const { return m_dropTarget; }

protected:
    void OnTick() override;
    bool FillInfoTip(int index, QString& buffer, int size) override;
    void OnClick(int extension) override;
    void OnRClick(int extension) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // --- derivedview.cpp ---
    std::uint8_t StateOf(int extension) const;
    bool IsOwn(int extension) const;
    bool OnSecondPbx(int extension) const;
    // Whether the extension is one of either PBX, the second's only with its option.
    bool Served(int extension) const;
    // Runs the requests in order until one fails, whose code is shown; true when all were taken.
    bool Run(std::initializer_list<std::function<int()>> requests) const;
    int RunModal(QDialog& dialog) const;

    // --- derivedview_menu.cpp ---
    bool Restricted() const;
    bool HotelFlag() const;

    // --- derivedview_commands.cpp ---
    // This station's call handed to the extension: flash and its number on this PBX, or through a free
    // line to the second PBX by the kind of the station's link.
    void TransferOwnCall(int extension);
    // Sets or flips bit 0 of a byte of the selected extension's programming and makes it the PBX's.
    bool WriteProgrammingByte(std::size_t offset, std::optional<std::uint8_t> value);
    void ChangeWakeUp(bool edit);
    void RunEventList(int listType, int option, int secondOption = 0);
    // The extension the message lists show: all of them for this station's own, else the selected one.
    int MessageListExtension() const;

    // --- derivedview_checkinout.cpp ---
    void CheckIn(int extension);
    void CheckOut(int extension);
    bool SaveMainSettings() const;

    // --- derivedview_drag.cpp ---
    void BeginDrag(int extension, const QPoint& at);
    void DragTo(const QPoint& at);
    void CancelDrag();
    void Drop();
    void SetDropTarget(int row);

    std::unique_ptr<QMenu> m_menu;
    RunDialog m_runDialog;
    ShowMessage m_showMessage;
    int m_selected = kNone;
    bool m_dragging = false;
    bool m_dragImageShown = false;
    int m_dropTarget = -1;
    QPoint m_lastDragPoint;
    QPoint m_pressPoint;
    QPoint m_dragHotSpot;  // where the drag image is held
    int m_pressed = kNoObject;  // the extension the left button went down on
    QLabel* m_dragImage = nullptr;
};
