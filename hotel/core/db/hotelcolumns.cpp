#include "hotelcolumns.h"

#include "sqldatabase.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <deque>
#include <vector>

namespace lodgix {

namespace {

constexpr char kName64[] = "varchar(64)";
constexpr char kName63[] = "varchar(63)";

struct TableInfo {
    const char* name;
    bool perHotel;
};

constexpr std::array<TableInfo, 15> kTables = {{
    {"HotelConfiguration", false},
    {"HotelPeriod", false},
    {"GuestConfiguration", false},
    {"CompanyConfiguration", false},
    {"Operatori", false},
    {"RoomServices", false},
    {"ClientServices", false},
    {"GuestConventions", false},
    {"ITCCommonAreas", false},
    {"HotelGroups", false},
    {"RoomConfiguration", true},
    {"RoomBooking", true},
    {"RoomAvailability", true},
    {"RoomCheckIn", true},
    {"RoomMessages", true},
}};

// The twelve prices of a room or an agreement, in column order: within a season OB, BB, FB, HB.
constexpr const char* kPriceColumns[] = {
    "OBPriceLow", "BBPriceLow", "FBPriceLow", "HBPriceLow",    "OBPriceMed", "BBPriceMed",
    "FBPriceMed", "HBPriceMed", "OBPriceHigh", "BBPriceHigh", "FBPriceHigh", "HBPriceHigh",
};

class ColumnTable {
public:
    ColumnTable()
    {
        Begin(HotelTable::kHotelConfiguration);
        Add("IDHotel", kIdentityType);
        for (const char* name : {"Nome", "Indirizzo", "Citta", "ProvinciaStato", "CAPZIP", "Nazione", "Telefono1",
                                 "Telefono2", "Telefono3", "IndirizzoWeb", "Email1", "Email2", "NomeAzienda",
                                 "PartitaIVA"})
            Add(name, kName64);
        Add("NumeroCamere", kSmallType);

        Begin(HotelTable::kHotelPeriod);
        Add("IDHotel", kIdType);
        for (const char* season : {"Bassa", "Alta"})
            for (int n = 1; n <= 5; ++n)
                for (const char* end : {"Inizio", "Fine"})
                    Generated(QStringLiteral("%1Stagione%2%3").arg(QLatin1String(season)).arg(n).arg(QLatin1String(end)),
                              kSmallType);

        Begin(HotelTable::kGuestConfiguration);
        Add("IDGuest", kIdentityType);
        for (const char* name : {"Nome", "Indirizzo", "Citta", "ProvinciaStato", "CAPZIP", "Nazione", "Telefono1",
                                 "Telefono2", "Telefono3", "Email", "TipoDocumento", "NumeroDocumento", "RilasciatoDa"})
            Add(name, kName64);
        Add("DataDiNascita", kDateType);
        for (const char* name : {"LuogoDiNascita", "NazioneDiNascita", "CodiceFiscale"})
            Add(name, kName64);
        Add("IsVisible", kSmallType);
        Add("ConventionName", kName64);

        Begin(HotelTable::kCompanyConfiguration);
        Add("IDCompany", kIdentityType);
        for (const char* name : {"RagioneSociale", "Indirizzo", "Citta", "ProvinciaStato", "CAPZIP", "Nazione",
                                 "Telefono1", "Telefono2", "Telefono3", "Email1", "Email2", "WebAddress", "PartitaIVA",
                                 "CodiceFiscale"})
            Add(name, kName64);
        Add("IsVisible", kSmallType);

        Begin(HotelTable::kOperators);
        Add("IDOperatore", kIdentityType);
        Add("NomeUtente", kName64);
        Add("Password", "varchar(128)");  // salt and hash, never the text
        Add("IsAdministrator", kSmallType);
        Add("IsVisible", kSmallType);

        // Room services and client services share one definition, key name included.
        for (const HotelTable table : {HotelTable::kRoomServices, HotelTable::kClientServices}) {
            Begin(table);
            Add("IDRoomService", kIdentityType);
            Add("NomeServizio", kName64);
            Add("Prezzo", kAmountType);
            Add("IVA", kAmountType);
            Add("IsVisible", kSmallType);
        }

        Begin(HotelTable::kGuestConventions);
        Add("IDGuestConvenction", kIdentityType);
        Add("Label", kName63);
        for (const char* price : kPriceColumns)
            Add(price, kAmountType);
        Add("IVA", kAmountType);
        Add("IsVisible", kSmallType);

        Begin(HotelTable::kCommonAreas);
        Add("IDCommonArea", kIdentityType);
        Add("Label", kName63);
        Add("Code", "varchar(16)");
        Add("Free", kSmallType);
        Add("IsVisible", kSmallType);

        Begin(HotelTable::kHotelGroups);
        Add("ID", kIdentityType);
        Add("HotelID", kIdType);
        Add("GroupName", kName63);
        Add("CreationDate", kDateType);
        Add("IsVisible", kSmallType);
        Add("NumElement", kSmallType);
        for (int n = 1; n <= kGroupRoomSlots; ++n)
            Generated(QStringLiteral("Room%1").arg(n), kIdType);
        Add("BookingGroup", kSmallType);  // added to older tables

        Begin(HotelTable::kRoomConfiguration);
        Add("IDRoom", kIdentityType);
        Add("Label", "varchar(15)");
        for (const char* name : {"Bedrooms", "PBX", "Interno"})
            Add(name, kSmallType);
        for (const char* price : kPriceColumns)
            Add(price, kAmountType);
        Add("IVA", kAmountType);
        for (const char* name : {"Quality", "IsVisible", "NumServices"})
            Add(name, kSmallType);
        for (int n = 1; n <= kRoomServiceSlots; ++n)
            Generated(QStringLiteral("service%1").arg(n), kIdType);

        Begin(HotelTable::kRoomBooking);
        Add("BookingID", kIdentityType);
        Add("RoomID", kIdType);
        Add("UserID", kIdType);
        Add("StartDate", kDateType);
        Add("EndDate", kDateType);
        Add("ClientName", kName64);
        Add("ClientPhone", kName64);
        Add("ClientAnnotation", "varchar(256)");
        Add("IsVisible", kSmallType);
        Add("TipoTrattamento", kName63);
        Add("NumOptionalServices", kSmallType);
        for (int n = 1; n <= kBookingServiceSlots; ++n)
            Generated(QStringLiteral("Service%1").arg(n), kIdType);
        Add("GroupID", kIdType);

        Begin(HotelTable::kRoomAvailability);
        Add("AvailabilityID", kIdentityType);
        Add("RoomID", kIdType);
        Add("UserID", kIdType);
        Add("StartDate", kDateType);
        Add("EndDate", kDateType);
        Add("Reason", "varchar(256)");
        Add("IsVisible", kSmallType);

        Begin(HotelTable::kRoomCheckIn);
        Add("CheckInID", kIdentityType);
        for (const char* name : {"RoomID", "UserID", "CheckOutUserID", "BookingID", "GuestID1", "GuestID2", "GuestID3",
                                 "GuestID4", "CompanyID"})
            Add(name, kIdType);
        for (const char* name : {"CheckInDate", "StartCheckInDate", "EndCheckInDate", "CheckOutDate"})
            Add(name, kDateType);
        Add("TipoPernottamento", kName64);
        Add("PrezzoGiornalero", kAmountType);
        Add("IVA", kAmountType);
        Add("Notes", "varchar(128)");
        Add("FileDocumento", kName64);
        Add("TipoPagamento", kName64);
        Add("ImportoTotale", kAmountType);
        Add("IsVisible", kSmallType);
        Add("NumServices", kSmallType);
        for (int n = 1; n <= kStayServiceSlots; ++n) {
            Generated(QStringLiteral("Service%1Name").arg(n), kName64);
            Generated(QStringLiteral("Service%1Price").arg(n), kAmountType);
            Generated(QStringLiteral("Service%1IVA").arg(n), kAmountType);
            Generated(QStringLiteral("Service%1UserID").arg(n), kIdType);
            Generated(QStringLiteral("Service%1Date").arg(n), kDateType);
        }
        Add("GroupID", kIdType);
        for (const char* name : {"BillID", "BillID2", "BillID3", "BillID4"})
            Add(name, kIdType);
        for (int n = 2; n <= 4; ++n) {
            Generated(QStringLiteral("FileDocumento%1").arg(n), kName64);
            Generated(QStringLiteral("TipoPagamento%1").arg(n), kName64);
            Generated(QStringLiteral("ImportoTotale%1").arg(n), kAmountType);
        }
        for (int n = 1; n <= 5; ++n)
            Generated(QStringLiteral("CardID%1").arg(n), "varchar(16)");

        Begin(HotelTable::kRoomMessages);
        Add("MessageID", kIdentityType);
        Add("CheckInID", kIdType);
        Add("UserID", kIdType);
        Add("MessageDate", kDateType);
        Add("MessageFrom", kName63);
        Add("MessageText", "varchar(512)");
        Add("IsVisible", kSmallType);
        m_starts.push_back(m_columns.size());
    }

    ColumnRun Run(HotelTable table) const
    {
        const auto index = static_cast<std::size_t>(table);
        return ColumnRun(m_columns).subspan(m_starts[index], m_starts[index + 1] - m_starts[index]);
    }

private:
    void Begin(HotelTable table)
    {
        Q_ASSERT(static_cast<std::size_t>(table) == m_starts.size());
        m_starts.push_back(m_columns.size());
    }
    void Add(const char* name, const char* type) { m_columns.push_back({name, type}); }
    void Generated(const QString& name, const char* type)
    {
        m_names.push_back(name.toLatin1());  // a deque never moves what it holds
        Add(m_names.back().constData(), type);
    }

    std::vector<ColumnDefinition> m_columns;
    std::vector<std::size_t> m_starts;
    std::deque<QByteArray> m_names;
};

const ColumnTable& Columns()
{
    static const ColumnTable table;
    return table;
}

}  // namespace

ColumnRun HotelColumns(HotelTable table) { return Columns().Run(table); }

bool IsPerHotelTable(HotelTable table) { return kTables[static_cast<std::size_t>(table)].perHotel; }

QString HotelTableName(HotelTable table, int hotelId)
{
    const TableInfo& info = kTables[static_cast<std::size_t>(table)];
    const QString base = QString::fromLatin1(info.name);
    return info.perHotel ? base + u'_' + QString::number(hotelId) : base;
}

int HotelColumnPosition(HotelTable table, const char* column)
{
    const ColumnRun run = HotelColumns(table);
    for (std::size_t i = 0; i < run.size(); ++i)
        if (qstricmp(run[i].name, column) == 0)
            return static_cast<int>(i);
    return -1;
}

QVariant HotelTextValue(HotelTable table, const char* column, const QString& text)
{
    const int position = HotelColumnPosition(table, column);
    if (position < 0)
        return text.isNull() ? QStringLiteral("") : text;
    return FitColumn(text, HotelColumns(table)[static_cast<std::size_t>(position)]);
}

}  // namespace lodgix
