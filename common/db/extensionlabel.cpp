#include "extensionlabel.h"

#include "pbxinitialization.h"
#include "pbxnumbering.h"
#include "pbxsystemconfiguration.h"
#include "sqldatabase.h"

#include <algorithm>

namespace {

const QString kExtensionPrefix = QStringLiteral("INT. ");

template <typename Record>
Record Decoded(QByteArrayView bytes)
{
    Record record;
    const auto size = std::min(static_cast<std::size_t>(bytes.size()), record.bytes.size());
    std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.data()), size, record.bytes.begin());
    return record;
}

}  // namespace

QString GetExtensionLabel(CSqlDatabase& database, int pbx, int extension, const QString& diallingNumber)
{
    const QString label = database.GetDerivedLabel(pbx, extension);
    return label.isEmpty() ? kExtensionPrefix + diallingNumber : label;
}

QString ExtensionDiallingNumber(int extension, QByteArrayView initialization, QByteArrayView systemConfiguration,
                                QByteArrayView programming)
{
    if (extension < 0 || extension > 0xFF)
        return {};
    const std::span<const std::uint8_t> programmed(reinterpret_cast<const std::uint8_t*>(programming.data()),
                                                   static_cast<std::size_t>(programming.size()));
    return DefaultExtensionNumber(static_cast<std::uint8_t>(extension), Decoded<PbxInitialization>(initialization),
                                  Decoded<PbxSystemConfiguration>(systemConfiguration),
                                  ProgrammedExtensionNumber(programmed));
}
