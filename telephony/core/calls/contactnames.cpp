#include "contactnames.h"

#include "engineerrorcode.h"
#include "pbxdisplaynames.h"
#include "sqldatabase.h"
#include "stringtable.h"

namespace {

// What the PBX sends as caller id when the caller withheld it.
const QByteArray kNoCallerId = QByteArrayLiteral("**NOCID**");
constexpr unsigned kUnknownCaller = 1005;

}  // namespace

QString FormatCallerId(const OperatorConsoleState& state, CSqlDatabase& database, int lineIndex)
{
    const auto& lines = state.tables.lineStatus;
    if (lineIndex < 0 || static_cast<std::size_t>(lineIndex) >= lines.size())
        return {};
    const QByteArray number = lines[static_cast<std::size_t>(lineIndex)].CallerNumber();
    if (number.isEmpty() || number == kNoCallerId)
        return LoadResString(kUnknownCaller);
    const QString text = QString::fromLatin1(number);
    QString name;
    if (database.FindContactByNumber(text, name) == kNoError && !name.isEmpty())
        return name;
    return text;
}

QString LookupContactName(const OperatorConsoleState& state, CSqlDatabase& database, QString number, bool stripPrefix)
{
    if (number.isEmpty())
        return {};
    if (stripPrefix)
        StripDialPrefix(number, state.FirstCounts().lines);
    QString name;
    if (number.isEmpty() || database.FindContactByNumber(number, name) != kNoError)
        return {};
    return name;
}
