#include "pbxdisplaynames.h"

#include "pbxnumbering.h"
#include "sqldatabase.h"

namespace {

// Line counts from which the longer line prefixes are dialled.
constexpr int kTwoDigitLines = 10;

int PbxIdentifier(const OperatorConsoleState& state, int pbx)
{
    return pbx == 0 ? state.firstPbxIdentifier : state.secondPbxIdentifier;
}

// The common pattern of the name builders: the cache, then the label, then the fallback.
QString BuildName(std::vector<QString>& cache, int index, const std::optional<CombinedObject>& object,
                  const OperatorConsoleState& state, const PbxLabelReader& labels, PbxLabelKind kind,
                  const std::function<QString(const CombinedObject&)>& fallback)
{
    if (index >= 0 && static_cast<std::size_t>(index) < cache.size()
        && cache[static_cast<std::size_t>(index)] != PbxStateTables::kNotValidName)
        return cache[static_cast<std::size_t>(index)];
    if (!object || index < 0 || static_cast<std::size_t>(index) >= cache.size())
        return {};
    QString name = labels ? labels(kind, PbxIdentifier(state, object->pbx), object->local) : QString();
    if (name.isEmpty())
        name = fallback(*object);
    PbxStateTables::StoreName(cache[static_cast<std::size_t>(index)], name);
    return cache[static_cast<std::size_t>(index)];
}

}  // namespace

PbxLabelReader DatabaseLabelReader(CSqlDatabase& database)
{
    return [&database](PbxLabelKind kind, int pbxIdentifier, int localIndex) {
        switch (kind) {
        case PbxLabelKind::Extension: return database.GetDerivedLabel(pbxIdentifier, localIndex);
        case PbxLabelKind::Line: return database.GetLineLabel(pbxIdentifier, localIndex);
        case PbxLabelKind::EntryPhone: return database.GetEntryPhoneLabel(pbxIdentifier, localIndex);
        case PbxLabelKind::Relay: return database.GetRelayLabel(pbxIdentifier, localIndex);
        }
        return QString();
    };
}

QString DefaultExtensionNumber(const OperatorConsoleState& state, int index)
{
    const auto object = state.SplitExtension(index);
    if (!object)
        return {};
    // The extension's own programming record (by the combined index, so a second-PBX extension never
    // takes the programmed number of the first PBX's extension with its local index).
    const auto& programming = state.tables.extensionProgramming;
    const std::uint16_t programmed = static_cast<std::size_t>(index) < programming.size()
        ? ProgrammedExtensionNumber(programming[static_cast<std::size_t>(index)]) : 0;
    return DefaultExtensionNumber(object->local, state.Initialization(object->pbx),
                                  state.Configuration(object->pbx), programmed);
}

QString FormatExtensionPortCode(const OperatorConsoleState& state, int index)
{
    const auto object = state.SplitExtension(index);
    return object ? FormatExtensionPortCode(object->local, state.Initialization(object->pbx)) : QString();
}

QString FormatEntryPhoneNumber(const OperatorConsoleState& state, int index)
{
    const auto object = state.SplitEntryPhone(index);
    return object ? FormatEntryPhoneNumber(object->local, state.Initialization(object->pbx)) : QString();
}

QString FormatLineAccessCode(const OperatorConsoleState& state, std::uint8_t lineNumber)
{
    return FormatLineAccessCode(lineNumber, state.firstInitialization, state.firstConfiguration);
}

QString FormatExtensionName(OperatorConsoleState& state, const PbxLabelReader& labels, int index)
{
    return BuildName(state.tables.extensionName, index, state.SplitExtension(index), state, labels,
                     PbxLabelKind::Extension,
                     [&](const CombinedObject&) { return QStringLiteral("INT. ") + DefaultExtensionNumber(state, index); });
}

QString FormatLineName(OperatorConsoleState& state, const PbxLabelReader& labels, int index)
{
    return BuildName(state.tables.lineName, index, state.SplitLine(index), state, labels, PbxLabelKind::Line,
                     [](const CombinedObject& o) { return QStringLiteral("EXT. ") + QString::number(o.local + 1); });
}

QString FormatEntryPhoneName(OperatorConsoleState& state, const PbxLabelReader& labels, int index)
{
    return BuildName(state.tables.entryPhoneName, index, state.SplitEntryPhone(index), state, labels,
                     PbxLabelKind::EntryPhone,
                     [](const CombinedObject& o) { return QStringLiteral("ENT. ") + QString::number(o.local + 1); });
}

QString FormatRelayName(OperatorConsoleState& state, const PbxLabelReader& labels, int index)
{
    return BuildName(state.tables.relayName, index, state.SplitRelay(index), state, labels, PbxLabelKind::Relay,
                     [&](const CombinedObject& o) {
                         const bool load = state.tables.relayProgramming[static_cast<std::size_t>(index)][2] != 0;
                         return QString(load ? QStringLiteral("LOAD ") : QStringLiteral("DOOR "))
                             + QString::number(o.local + 1);
                     });
}

void CleanPhoneNumber(QString& number, const QString& countryCode)
{
    QString cleaned;
    for (QChar c : number) {
        if (c.isDigit() && c.unicode() < 128)
            cleaned += c;
        else if (c == u'#' || c == u'*' || c == u'+')
            cleaned += c;
    }
    const QString ownPrefix = QStringLiteral("+") + countryCode;
    if (cleaned.startsWith(ownPrefix))
        cleaned.remove(0, ownPrefix.size());
    cleaned.replace(u'+', QStringLiteral("00"));
    number = cleaned;
}

void StripDialPrefix(QString& number, int firstLineCount)
{
    const bool manyLines = firstLineCount >= kTwoDigitLines;
    const auto length = number.size();
    if (length >= 1 && number.startsWith(u'0'))
        number.remove(0, 1);
    else if (length >= 2 && (number.startsWith(u'6') || number.startsWith(u'*')))
        number.remove(0, manyLines && length >= 3 ? 3 : 2);
    else if (length >= 3 && number.startsWith(QStringLiteral("86")))
        number.remove(0, manyLines && length >= 4 ? 4 : 3);
}
