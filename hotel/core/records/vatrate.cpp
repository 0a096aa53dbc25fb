#include "vatrate.h"

#include "hundredths.h"

namespace lodgix {

bool VatRate::FromText(const QString& text, VatRate& rate)
{
    qint64 hundredths = 0;
    if (!ParseHundredths(text, hundredths))
        return false;
    rate = VatRate(hundredths);
    return true;
}

QString VatRate::Text() const { return HundredthsText(m_hundredths); }

}  // namespace lodgix
