#include "itcrecordbuilder.h"

#include "binaryrecord.h"

#include <chrono>

namespace lodgix {

namespace {

constexpr qint64 kCardCodeMask = 0xFFF;

// A text as one field: no separator or record end inside it.
QString Field(QString text)
{
    text.replace(QChar(CItcRecordBuilder::kSeparator), QChar(u' '));
    text.replace(QChar(CItcRecordBuilder::kEtx), QChar(u' '));
    return text;
}

qint64 SteadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

CItcRecordBuilder::CItcRecordBuilder(quint32 serverAddress, quint8 systemId, MillisecondClock clock)
    : m_serverAddress(serverAddress), m_systemId(systemId), m_clock(clock ? std::move(clock) : SteadyMilliseconds)
{
}

QString CItcRecordBuilder::DateField(const OleDate& date)
{
    if (!date.IsValid())
        return QStringLiteral("000000000000");
    return QStringLiteral("%1%2%3%4%5")
        .arg(date.Year(), 4, 10, QChar(u'0'))
        .arg(date.Month(), 2, 10, QChar(u'0'))
        .arg(date.Day(), 2, 10, QChar(u'0'))
        .arg(date.Hour(), 2, 10, QChar(u'0'))
        .arg(date.Minute(), 2, 10, QChar(u'0'));
}

void CItcRecordBuilder::Compose(const char* kind, const QStringList& fields)
{
    // The kind, then the system id as the prefix of the first field.
    QString text = QLatin1String(kind) + kSeparator + QString::number(m_systemId) + kSeparator;
    for (const QString& field : fields)
        text += Field(field) + kSeparator;
    m_record = EncodeAnsi(text);
    m_record.append(kEtx);
}

bool CItcRecordBuilder::BuildCheckIn(const QString& room, const QString& guest, const OleDate& arrival,
                                     const OleDate& departure, const QString& cardText, QString& cardCode)
{
    cardCode = QStringLiteral("%1").arg(m_clock() & kCardCodeMask, 4, 10, QChar(u'0'));
    Compose("CHECKIN", {room.left(kRoomLength), QStringLiteral("0"), guest.left(kGuestLength), DateField(arrival),
                        DateField(departure), cardText});
    return true;
}

bool CItcRecordBuilder::BuildCheckOut(const QString& room)
{
    Compose("CHECKOUT", {room.left(kRoomLength), QStringLiteral("0")});
    return true;
}

bool CItcRecordBuilder::BuildCharging(const QString& areaCode, const QString& cardCode, Money& amount)
{
    Compose("CHARGING", {cardCode, areaCode});
    amount = kChargingAmount;
    return true;
}

}  // namespace lodgix
