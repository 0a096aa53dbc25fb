#include "checkoutdocument.h"

#include "companyrecord.h"
#include "guestrecord.h"
#include "hoteldatabase.h"

namespace lodgix {

DocumentRecord CheckOutDocument(CHotelDatabase& database, DocumentKind kind, int& payerId, const CheckInRecord& stay,
                                std::vector<BillLine> lines, const QString& paymentType)
{
    DocumentRecord record;
    record.issued = stay.checkOutDate;
    record.paymentType = paymentType;
    record.lines = std::move(lines);
    if (kind == DocumentKind::kReceipt) {
        record.type = DocumentRecord::kReceipt;
        GuestRecord guest;
        if (payerId != 0 && database.LoadGuest(payerId, guest))
            record.guestName = guest.name;
        else
            payerId = 0;
        return record;
    }
    record.type = DocumentRecord::kInvoice;
    CompanyRecord company;
    if (payerId != 0 && database.LoadCompany(payerId, company)) {
        record.companyName = company.companyName;
        record.companyAddress = company.address;
        record.companyCity = company.city;
        record.companyProvince = company.province;
        record.companyPostCode = company.postCode;
        record.companyCountry = company.country;
        record.companyVatNumber = company.vatNumber;
        record.companyTaxCode = company.taxCode;
    } else {
        payerId = 0;
    }
    GuestRecord guest;
    if (stay.guestIds[0] != 0 && database.LoadGuest(stay.guestIds[0], guest))
        record.guestName = guest.name;
    return record;
}

Money DocumentTotal(const std::vector<BillLine>& lines)
{
    Money total;
    for (const BillLine& line : lines)
        total = total + line.grossAmount;
    return total;
}

}  // namespace lodgix
