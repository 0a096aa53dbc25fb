#pragma once

#include "hoteldbtest.h"
#include "hoteltablesetup.h"
#include "language.h"

#include <QString>

namespace lodgix {

// A hotel whose catalogue of client services holds "Internet access" (from the start) and a laundry, and
// a guest whose birth and identity document the gateway takes.
class ServicesDbTest : public HotelDbTest {
protected:
    static inline const QString kInternet = QString::fromLatin1(kInternetAccessService);
    static inline const QString kLaundry = QStringLiteral("Lavanderia");

    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(kLanguageItalian);
        m_hotel = PrepareHotel();
        int id = 0;
        ASSERT_EQ(Db().InsertClientService(kLaundry, Money::FromCents(800), VatRate::FromHundredths(1000), id), kNoError);
        GuestRecord guest;
        guest.name = QStringLiteral("Anna Verdi");
        guest.birthPlace = QStringLiteral("Parma");
        guest.dateOfBirth = QDate(1980, 2, 1);
        guest.documentType = QStringLiteral("Passaporto");
        guest.documentNumber = QStringLiteral("YA1234567");
        ASSERT_EQ(Db().InsertGuest(guest, m_guest), kNoError);
    }

    int m_hotel = 0;
    int m_guest = 0;
};

}  // namespace lodgix
