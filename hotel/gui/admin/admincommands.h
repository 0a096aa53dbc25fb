#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class MessageTarget;
class QWidget;

namespace lodgix {

struct LodgixState;

// The front desk's administration commands over the program's state: the hotel and its rooms, the
// configuration lists, the operator, the hotel settings and the access-control program. The view hands
// it what it needs of itself; the commands' availability rules are here too.
class AdminCommands {
public:
    static constexpr int kEditHotel = 32771;
    static constexpr int kNewHotel = 32772;
    static constexpr int kOperatorList = 32773;
    static constexpr int kChangeOperator = 32774;
    static constexpr int kChangePassword = 32775;
    static constexpr int kGuestRegistry = 32776;
    static constexpr int kCompanyRegistry = 32777;
    static constexpr int kRoomFeatureList = 32778;
    static constexpr int kNewRoom = 32779;
    static constexpr int kEditRoom = 32780;
    static constexpr int kDeleteRoom = 32781;
    static constexpr int kClientServiceList = 32797;
    static constexpr int kHotelSettings = 32809;
    static constexpr int kOptionalServiceList = 32813;
    static constexpr int kConventionRegistry = 32814;
    static constexpr int kCommonAreaList = 32817;
    static constexpr int kAccessManager = 32818;
    static constexpr int kExitCommand = 57665;

    struct Hooks {
        std::function<void()> refreshPlanning;    // reload the month, repaint, wake the reminder
        std::function<void()> refreshSummary;     // the room summary panel
        std::function<void()> operatorChanged;    // the document title and the action list
        std::function<int()> selectedRoomId;      // 0 when no room is selected
        std::function<MessageTarget*()> mainWindow;  // takes the exit command; null when there is none
        // Starts the access-control program; a test puts its own in place.
        std::function<void(const QString& program, const QStringList& arguments)> startDetached;
    };

    AdminCommands(LodgixState& state, QWidget* parent, Hooks hooks);

    void EditHotel();
    void NewRoom();
    void EditRoom();
    void DeleteRoom();
    void OperatorList();
    void RoomFeatureList();
    void ClientServiceList();
    void OptionalServiceList();
    void CommonAreaList();
    void ChangeOperator();
    void ChangePassword();
    void HotelSettings();
    void AccessManager();

    bool IsAdministrator() const;
    // Another room fits within the room limit of the hotel's PBXs.
    bool CanAddRoom() const;
    // A room is selected (and the operator is an administrator).
    bool CanChangeRoom() const;

private:
    // The wizard on a page of the hotel; true after OK, the state then holding its results.
    bool RunWizard(int roomCount, int page);
    // The room table read again after a change, with everything that keeps a copy of it.
    void ReloadRooms();
    int SelectedRoomIndex() const;
    void ShowList(short mode);

    LodgixState& m_state;
    QWidget* m_parent;
    Hooks m_hooks;
};

}  // namespace lodgix
