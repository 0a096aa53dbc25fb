#include "companyrecord.h"

namespace lodgix {

std::span<const TextColumn<CompanyRecord>> CompanyRecord::Columns()
{
    static constexpr TextColumn<CompanyRecord> kColumns[] = {
        {"RagioneSociale", &CompanyRecord::companyName},
        {"Indirizzo", &CompanyRecord::address},
        {"Citta", &CompanyRecord::city},
        {"ProvinciaStato", &CompanyRecord::province},
        {"CAPZIP", &CompanyRecord::postCode},
        {"Nazione", &CompanyRecord::country},
        {"Telefono1", &CompanyRecord::phone1},
        {"Telefono2", &CompanyRecord::phone2},
        {"Telefono3", &CompanyRecord::phone3},
        {"Email1", &CompanyRecord::email1},
        {"Email2", &CompanyRecord::email2},
        {"WebAddress", &CompanyRecord::webAddress},
        {"PartitaIVA", &CompanyRecord::vatNumber},
        {"CodiceFiscale", &CompanyRecord::taxCode},
    };
    return kColumns;
}

}  // namespace lodgix
