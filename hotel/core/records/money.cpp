#include "money.h"

#include "hundredths.h"

namespace lodgix {

bool Money::FromText(const QString& text, Money& money)
{
    qint64 cents = 0;
    if (!ParseHundredths(text, cents))
        return false;
    money = Money(cents);
    return true;
}

QString Money::Text() const { return HundredthsText(m_cents); }

}  // namespace lodgix
