#pragma once

#include "tariffday.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// What a call costs: seven kinds of day with their bands, an answer charge charged once per call with
// the seconds of conversation it covers, and a pulse cost. A non-zero pulse cost makes it a pulse tariff
// ("Tariffa a scatti", the bands hold pulse intervals); zero a time tariff ("Tariffa a tempo", the bands
// hold prices per second). Amounts in euro. Stored as 1,936 bytes.
struct TariffRecord {
    static constexpr qsizetype kSize = 1936;
    static constexpr qsizetype kNameWidth = 64;
    static constexpr int kDayCount = 7;  // 0 Monday ... 5 Saturday, 6 Sunday and holidays

    QString name;
    std::array<TariffDay, kDayCount> days;
    double coveredSeconds = 0.0;
    double answerCharge = 0.0;
    double pulseCost = 0.0;

    bool IsPulseTariff() const { return pulseCost != 0.0; }

    // Nothing when the name has no terminator or a day holds more bands than it can.
    static std::optional<TariffRecord> Decode(QByteArrayView bytes, qsizetype offset);
    void Encode(QByteArray& bytes, qsizetype offset) const;

    friend bool operator==(const TariffRecord&, const TariffRecord&) = default;
};

constexpr std::uint32_t kGreenBand = 0x00FF00;
constexpr std::uint32_t kRedBand = 0x0000FF;  // COLORREF is 0x00BBGGRR
constexpr double kSecondsPerDay = 86400.0;

// The tariff a new one starts from: "Tariffa vuota", every day one green band over the whole day with
// value 0, no answer charge, a time tariff that costs nothing.
void InitEmptyTariff(TariffRecord& tariff);
