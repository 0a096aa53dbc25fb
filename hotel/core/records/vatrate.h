#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>

namespace lodgix {

// A VAT rate in hundredths of a percent (20% is 2000). Its text is the percentage as "%0.2f" both ways,
// as for Money.
class VatRate {
public:
    constexpr VatRate() = default;
    static constexpr VatRate FromHundredths(qint64 hundredths) { return VatRate(hundredths); }
    // False, and the rate unchanged, for a text that is no rate.
    static bool FromText(const QString& text, VatRate& rate);

    constexpr qint64 Hundredths() const { return m_hundredths; }
    QString Text() const;

    friend constexpr auto operator<=>(VatRate, VatRate) = default;

private:
    constexpr explicit VatRate(qint64 hundredths) : m_hundredths(hundredths) {}
    qint64 m_hundredths = 0;
};

}  // namespace lodgix
