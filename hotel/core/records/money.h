#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>

namespace lodgix {

// An amount of money in whole cents. Its text is "%0.2f" both ways; a third decimal of a text rounds half
// away from zero.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money FromCents(qint64 cents) { return Money(cents); }
    // False, and the amount unchanged, for a text that is no amount.
    static bool FromText(const QString& text, Money& money);

    constexpr qint64 Cents() const { return m_cents; }
    constexpr bool IsZero() const { return m_cents == 0; }
    QString Text() const;

    friend constexpr Money operator+(Money a, Money b) { return Money(a.m_cents + b.m_cents); }
    friend constexpr Money operator-(Money a, Money b) { return Money(a.m_cents - b.m_cents); }
    friend constexpr auto operator<=>(Money, Money) = default;

private:
    constexpr explicit Money(qint64 cents) : m_cents(cents) {}
    qint64 m_cents = 0;
};

}  // namespace lodgix
