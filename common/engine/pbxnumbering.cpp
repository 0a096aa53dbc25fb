#include "pbxnumbering.h"

namespace {

constexpr std::size_t kProgrammedNumberLow = 35;
constexpr std::size_t kProgrammedNumberHigh = 36;
constexpr unsigned kSmallPlanLimit = 100;     // extensions of a plan with short numbers
constexpr unsigned kFewLines = 10;            // fewer lines or entry phones take the short codes
constexpr std::uint8_t kDirectNumberBit = 0x40;

QString Number(unsigned value)
{
    return QString::number(value);
}

QString RenumberedWithoutProgramming(unsigned n, bool nexo28, const PbxSystemConfiguration& configuration)
{
    if (nexo28) {
        if (UsesExtendedNumbering(configuration))
            return Number(n + 1001);
        return Number(configuration.ThreeDigitNumbering() != 0 ? n + 2001 : n + 21);
    }
    if (UsesExtendedNumbering(configuration)) {
        // Ports 1-3 of the other models answer on 81-83.
        if (n == 0)
            return QStringLiteral("2001");
        if (n <= 3)
            return Number(80 + n);
        return Number(n + 2001);
    }
    return Number(configuration.ThreeDigitNumbering() != 0 ? n + 2001 : n + 201);
}

}  // namespace

bool UsesExtendedNumbering(const PbxSystemConfiguration& configuration)
{
    return configuration.Renumbering() != 0 && (configuration.ExtensionBitmap1() & kDirectNumberBit) != 0;
}

std::uint16_t ProgrammedExtensionNumber(std::span<const std::uint8_t> programming)
{
    if (programming.size() <= kProgrammedNumberHigh)
        return 0;
    return static_cast<std::uint16_t>(programming[kProgrammedNumberLow] | (programming[kProgrammedNumberHigh] << 8));
}

QString DefaultExtensionNumber(std::uint8_t extension, const PbxInitialization& initialization,
                               const PbxSystemConfiguration& configuration, std::uint16_t programmedNumber)
{
    const unsigned count = initialization.ExtensionCount();
    if (extension >= count)
        return {};
    const unsigned n = extension;
    const bool nexo28 = initialization.IsNexo28();
    const bool smallPlan = count <= kSmallPlanLimit;

    if (configuration.Renumbering() == 0) {
        if (nexo28)
            return Number(smallPlan ? n + 21 : n + 201);
        return Number(smallPlan ? n + 201 : n + 2001);
    }
    if (programmedNumber == 0)
        return RenumberedWithoutProgramming(n, nexo28, configuration);
    if (UsesExtendedNumbering(configuration))
        return Number(programmedNumber);
    if (configuration.ThreeDigitNumbering() != 0)
        return Number(programmedNumber + (nexo28 ? 1000u : 3000u));
    return Number((programmedNumber & 0xFFu) + (nexo28 ? 100u : 300u));
}

QString FormatExtensionPortCode(std::uint8_t extension, const PbxInitialization& initialization)
{
    const unsigned count = initialization.ExtensionCount();
    if (extension >= count)
        return {};
    const int digits = count <= kSmallPlanLimit ? 2 : 3;
    return QStringLiteral("#") + QStringLiteral("%1").arg(extension, digits, 10, QLatin1Char('0'));
}

QString FormatLineAccessCode(std::uint8_t lineNumber, const PbxInitialization& initialization,
                             const PbxSystemConfiguration& configuration)
{
    if (lineNumber == kNoLine)
        return {};
    if (lineNumber == kAnyLine)
        return QStringLiteral("0");
    const bool fewLines = initialization.LineCount() < kFewLines;
    if (UsesExtendedNumbering(configuration))
        return Number((fewLines ? 860u : 8600u) + lineNumber);
    return Number((fewLines ? 60u : 600u) + lineNumber);
}

QString FormatEntryPhoneNumber(std::uint8_t entryPhone, const PbxInitialization& initialization)
{
    const unsigned count = initialization.EntryPhoneCount();
    if (entryPhone >= count)
        return {};
    return Number(entryPhone + (count < kFewLines ? 71u : 701u));
}

std::optional<CombinedObject> SplitCombinedIndex(unsigned index, unsigned firstCount, unsigned secondCount)
{
    if (index < firstCount)
        return CombinedObject{0, static_cast<std::uint8_t>(index)};
    if (index - firstCount < secondCount)
        return CombinedObject{1, static_cast<std::uint8_t>(index - firstCount)};
    return std::nullopt;
}
