#include "guestrecord.h"

namespace lodgix {

std::span<const TextColumn<GuestRecord>> GuestRecord::Columns()
{
    static constexpr TextColumn<GuestRecord> kColumns[] = {
        {"Nome", &GuestRecord::name},
        {"Indirizzo", &GuestRecord::address},
        {"Citta", &GuestRecord::city},
        {"ProvinciaStato", &GuestRecord::province},
        {"CAPZIP", &GuestRecord::postCode},
        {"Nazione", &GuestRecord::country},
        {"Telefono1", &GuestRecord::phone1},
        {"Telefono2", &GuestRecord::phone2},
        {"Telefono3", &GuestRecord::phone3},
        {"Email", &GuestRecord::email},
        {"TipoDocumento", &GuestRecord::documentType},
        {"NumeroDocumento", &GuestRecord::documentNumber},
        {"RilasciatoDa", &GuestRecord::issuedBy},
        {"LuogoDiNascita", &GuestRecord::birthPlace},
        {"NazioneDiNascita", &GuestRecord::birthCountry},
        {"CodiceFiscale", &GuestRecord::taxCode},
        {"ConventionName", &GuestRecord::conventionName},
    };
    return kColumns;
}

}  // namespace lodgix
