#include "hotelrecord.h"

namespace lodgix {

std::span<const TextColumn<HotelRecord>> HotelRecord::Columns()
{
    static constexpr TextColumn<HotelRecord> kColumns[] = {
        {"Nome", &HotelRecord::name},
        {"Indirizzo", &HotelRecord::address},
        {"Citta", &HotelRecord::city},
        {"ProvinciaStato", &HotelRecord::province},
        {"CAPZIP", &HotelRecord::postCode},
        {"Nazione", &HotelRecord::country},
        {"Telefono1", &HotelRecord::phone1},
        {"Telefono2", &HotelRecord::phone2},
        {"Telefono3", &HotelRecord::phone3},
        {"IndirizzoWeb", &HotelRecord::webAddress},
        {"Email1", &HotelRecord::email1},
        {"Email2", &HotelRecord::email2},
        {"NomeAzienda", &HotelRecord::companyName},
        {"PartitaIVA", &HotelRecord::vatNumber},
    };
    return kColumns;
}

}  // namespace lodgix
