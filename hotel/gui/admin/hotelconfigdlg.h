#pragma once

#include "hotelrecord.h"
#include "lodgixdialog.h"
#include "roomrecord.h"

#include <array>
#include <vector>

class CNumericEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTreeWidget;

namespace lodgix {

class CHotelDatabase;

// Describes the hotel and its rooms. For a new hotel (id kNewHotel) it walks the hotel's page and then one
// page per room, and stores everything at the end; otherwise it shows one page, the hotel's (page 0) or a
// room's (page n for room n), and stores that. It edits a private copy of the rooms; the caller reads
// back the hotel id, the room count, the texts and the rooms after OK.
class CHotelConfigDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kNewHotel = 255;
    static constexpr int kMaxRooms = 1024;
    static constexpr int kFirstHotelText = 1004;  // 1004-1017, the hotel's texts in record order
    static constexpr int kRoomCount = 1018;
    static constexpr int kBack = 1019;
    static constexpr int kNext = 1020;
    static constexpr int kRoomNumber = 1036;
    static constexpr int kBeds = 1038;
    static constexpr int kPbx = 1040;
    static constexpr int kExtension = 1042;
    static constexpr int kVat = 1052;
    static constexpr int kQuality = 1056;
    static constexpr int kFeatures = 1150;
    static constexpr int kOptionalServices = 1151;
    static constexpr int kModifyFeatures = 1152;
    static constexpr int kModifyOptionalServices = 1153;
    static constexpr int kPriceGrid = 1244;
    static constexpr int kModifyPrices = 1245;

    explicit CHotelConfigDlg(CHotelDatabase& database, QWidget* parent = nullptr);

    // What the caller sets before showing it: a hotel being edited, its room count, texts, rooms, and the
    // page to show.
    void SetHotelId(int id) { m_hotelId = id; }
    void SetRoomCount(int count) { m_roomCount = count; }
    void SetHotel(const HotelRecord& hotel) { m_hotel = hotel; }
    void SetRooms(const std::vector<RoomRecord>& rooms);
    void SetPage(int page);

    int HotelId() const { return m_hotelId; }
    int RoomCount() const { return m_roomCount; }
    const HotelRecord& Hotel() const { return m_hotel; }
    // The first RoomCount() rooms of the private copy.
    std::vector<RoomRecord> Rooms() const;
    int Page() const { return m_page; }

    // The record every room starts from: two beds, VAT 20, quality 3 and the features 1, 6 and 7.
    static RoomRecord DefaultRoom();

private:
    bool IsNewHotel() const { return m_hotelId == kNewHotel; }
    QWidget* BuildHotelPage();
    QWidget* BuildRoomPage();
    void ShowPage();
    void LoadRoomPage();
    void FillExtensions(int pbx);
    void FillServiceLists();
    void StoreHotelPage();
    void StoreRoomPage();
    bool HotelTextsComplete() const;
    void OnNext();
    void OnBack();
    void OnModifyServices(bool optional);
    void OnModifyPrices();
    bool SaveNewHotel();
    bool SaveRoom();
    bool Ask(unsigned question);

    CHotelDatabase& m_database;
    int m_hotelId = kNewHotel;
    int m_roomCount = 10;
    int m_pageCount = 0;
    int m_page = 0;
    HotelRecord m_hotel;
    std::vector<RoomRecord> m_rooms;

    QStackedWidget* m_pages = nullptr;
    std::array<QLineEdit*, 14> m_hotelTexts{};
    CNumericEdit* m_roomCountEdit = nullptr;
    QLineEdit* m_roomNumber = nullptr;
    CNumericEdit* m_beds = nullptr;
    QComboBox* m_pbx = nullptr;
    QComboBox* m_extension = nullptr;
    CNumericEdit* m_vat = nullptr;
    CNumericEdit* m_quality = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_modifyPrices = nullptr;
    QTreeWidget* m_optional = nullptr;
    QTreeWidget* m_features = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
};

}  // namespace lodgix
