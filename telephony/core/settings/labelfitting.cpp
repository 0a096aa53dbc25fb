#include "labelfitting.h"

namespace {

// The gap between the end of a scrolling label and its next start.
const QString kScrollGap = QStringLiteral("   ");

}  // namespace

QString ScrollLabelText(const QString& text, std::uint8_t& scrollPosition)
{
    const QString padded = text + kScrollGap;
    ++scrollPosition;
    if (scrollPosition >= text.size())
        scrollPosition = 0;
    return padded.mid(scrollPosition) + padded;
}

bool CopyInfoTip(const QString& tip, QString& buffer, int size)
{
    if (tip.size() > size - 2)
        return false;
    buffer = tip;
    return true;
}
