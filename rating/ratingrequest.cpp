#include "ratingrequest.h"

#include "oledatetext.h"

namespace {

const QString kSwitchStart = QStringLiteral(" -");
const QString kSource = QStringLiteral(" -SOURCE:");
const QString kExtension = QStringLiteral(" -DER:");
const QString kPbx = QStringLiteral(" -PBX:");
const QString kStart = QStringLiteral(" -INIT:");
const QString kEnd = QStringLiteral(" -END:");
const QString kClose = QStringLiteral(" -CLOSE:");
const QString kApply = QStringLiteral(" -APPLY:");
constexpr int kIndexLimit = 256;  // PBX and extension indexes are bytes

std::optional<QString> TakeSwitch(QString& line, const QString& name)
{
    const qsizetype position = line.indexOf(name);
    if (position < 0)
        return std::nullopt;
    return ExtractSwitchValue(line, position);
}

// A PBX or extension index: a whole number below 256, never cut to a byte (300 must not name 44).
int IndexValue(const std::optional<QString>& value)
{
    if (!value)
        return RatingRequest::kAbsent;
    bool number = false;
    const int index = value->trimmed().toInt(&number);
    return number && index >= 0 && index < kIndexLimit ? index : RatingRequest::kNotAnIndex;
}

// A flag as the C library reads a number: leading digits, 0 when there are none; any non-zero value
// counts, kept within a byte.
std::uint8_t FlagValue(const std::optional<QString>& value)
{
    if (!value)
        return 0;
    const QString text = value->trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    const long long number = text.left(std::min<qsizetype>(digits, 9)).toLongLong();
    return number == 0 ? 0 : static_cast<std::uint8_t>(std::min<long long>(number, 255));
}

OleDate DateValue(const std::optional<QString>& value, const QLocale& locale)
{
    if (!value)
        return OleDate::Invalid();
    const OleDate date = ParseOleDate(*value, locale);
    return date.IsValid() && date.Value() != 0.0 ? date : OleDate::Invalid();
}

}  // namespace

QString ExtractSwitchValue(QString& line, qsizetype position)
{
    const qsizetype next = line.indexOf(kSwitchStart, position + 1);
    const qsizetype length = next < 0 ? line.size() - position : next - position;
    const QString text = line.mid(position, length);
    line.remove(position, length);
    const qsizetype colon = text.indexOf(u':');
    return colon < 0 ? QString() : text.mid(colon + 1);
}

RatingRequest ParseRatingRequest(QString request, const QLocale& locale)
{
    RatingRequest parsed;
    const std::optional<QString> source = TakeSwitch(request, kSource);
    if (!source)
        return parsed;
    parsed.hasSource = true;
    parsed.source = *source;
    parsed.extension = IndexValue(TakeSwitch(request, kExtension));
    parsed.pbx = IndexValue(TakeSwitch(request, kPbx));
    parsed.start = DateValue(TakeSwitch(request, kStart), locale);
    parsed.end = DateValue(TakeSwitch(request, kEnd), locale);
    parsed.close = FlagValue(TakeSwitch(request, kClose));
    parsed.apply = FlagValue(TakeSwitch(request, kApply));
    return parsed;
}

std::optional<QString> RequestFromArguments(const QStringList& arguments, const QString& ownPath)
{
    for (const QString& argument : arguments) {
        if (argument.startsWith(u'-'))
            continue;
        if (!argument.startsWith(ownPath))
            return std::nullopt;
        return argument.mid(ownPath.size());
    }
    return std::nullopt;
}
