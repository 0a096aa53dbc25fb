#include "consolelabels.h"

#include "boundpbxrecords.h"
#include "pbxnumbering.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <algorithm>

namespace {

constexpr unsigned kExtensionPrefixString = 1025;
constexpr unsigned kLinePrefixString = 1026;
constexpr unsigned kEntryPhonePrefixString = 1027;

template <typename Record>
Record Decoded(const QByteArray& bytes)
{
    Record record;
    const auto size = std::min(static_cast<std::size_t>(bytes.size()), record.bytes.size());
    std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.constData()), size, record.bytes.begin());
    return record;
}

}  // namespace

QString FormatExtensionLabel(int extension, int pbx, CSqlDatabase& database, const QByteArray& initialization,
                             const QByteArray& configuration, const QByteArray& programming)
{
    const QString label = database.GetDerivedLabel(pbx, extension);
    if (!label.isEmpty())
        return label;
    return ExtensionNumberName(extension, initialization, configuration, programming);
}

QString ExtensionNumberName(int extension, const QByteArray& initialization, const QByteArray& configuration,
                            const QByteArray& programming)
{
    if (extension < 0 || extension > 0xFF)
        return LoadResString(kExtensionPrefixString);
    const std::span<const std::uint8_t> programmed(reinterpret_cast<const std::uint8_t*>(programming.constData()),
                                                   static_cast<std::size_t>(programming.size()));
    return LoadResString(kExtensionPrefixString) +
           DefaultExtensionNumber(static_cast<std::uint8_t>(extension), Decoded<PbxInitialization>(initialization),
                                  Decoded<PbxSystemConfiguration>(configuration), ProgrammedExtensionNumber(programmed));
}

QString GetExtensionLabel(int extension, int pbx, CSqlDatabase& database, BoundPbxRecords& records)
{
    const std::vector<QByteArray>& programming = records.ExtensionProgramming();
    if (!records.HasInitialization() || extension < 0 || static_cast<std::size_t>(extension) >= programming.size())
        return LoadResString(kExtensionPrefixString);
    return FormatExtensionLabel(extension, pbx, database, records.Initialization(), records.SystemConfiguration(),
                                programming[static_cast<std::size_t>(extension)]);
}

QString FormatLineLabel(int line, int pbx, CSqlDatabase& database)
{
    const QString label = database.GetLineLabel(pbx, line);
    return label.isEmpty() ? LoadResString(kLinePrefixString) + QString::number(line + 1) : label;
}

QString FormatEntryPhoneLabel(int entryPhone, int pbx, CSqlDatabase& database)
{
    const QString label = database.GetEntryPhoneLabel(pbx, entryPhone);
    return label.isEmpty() ? LoadResString(kEntryPhonePrefixString) + QString::number(entryPhone + 1) : label;
}
