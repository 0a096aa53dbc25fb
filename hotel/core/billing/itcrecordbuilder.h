#pragma once

#include "money.h"
#include "oledate.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace lodgix {

// Composes the text records of the key-card system: a card issued at check-in, a check-out, and the charge
// of a card in a common area. Fields are separated by "|" and a record ends with ETX (0x03); a "|" or ETX
// inside a text would split the record, so it becomes a blank. The records are composed only: nothing here
// sends them.
class CItcRecordBuilder {
public:
    static constexpr char kSeparator = '|';
    static constexpr char kEtx = 0x03;
    static constexpr int kRoomLength = 5;
    static constexpr int kGuestLength = 40;
    static constexpr Money kChargingAmount = Money::FromCents(250);

    // A steady count of milliseconds (the card codes are its low 12 bits).
    using MillisecondClock = std::function<qint64()>;

    CItcRecordBuilder(quint32 serverAddress, quint8 systemId, MillisecondClock clock = {});

    // Always true. The card code is four digits, 0000 to 4095.
    bool BuildCheckIn(const QString& room, const QString& guest, const OleDate& arrival, const OleDate& departure,
                      const QString& cardText, QString& cardCode);
    bool BuildCheckOut(const QString& room);
    bool BuildCharging(const QString& areaCode, const QString& cardCode, Money& amount);

    // The last record composed, as its bytes (Windows-1252).
    const QByteArray& Record() const { return m_record; }
    quint32 ServerAddress() const { return m_serverAddress; }

    // "yyyyMMddhhmm" of a date (12 digits).
    static QString DateField(const OleDate& date);

private:
    void Compose(const char* kind, const QStringList& fields);

    quint32 m_serverAddress;
    quint8 m_systemId;
    MillisecondClock m_clock;
    QByteArray m_record;
};

}  // namespace lodgix
