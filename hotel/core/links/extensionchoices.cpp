#include "extensionchoices.h"

#include "engineerrorcode.h"
#include "extensionlabel.h"
#include "pbxinitialization.h"
#include "sqldatabase.h"

namespace lodgix {

namespace {

constexpr int kFallbackExtensions = 255;

QStringList FallbackChoices()
{
    QStringList names;
    for (int number = 1; number <= kFallbackExtensions; ++number)
        names << QStringLiteral("INT. %1").arg(number);
    return names;
}

}  // namespace

QStringList ExtensionChoices(CSqlDatabase& database, int pbx)
{
    QByteArray initialization;
    QByteArray systemConfiguration;
    if (database.ReadInitialization(pbx, initialization) != kNoError ||
        database.ReadSystemConfiguration(pbx, systemConfiguration) != kNoError ||
        initialization.size() <= static_cast<qsizetype>(PbxInitialization::kExtensionCountOffset))
        return FallbackChoices();
    const int count = static_cast<quint8>(initialization.at(PbxInitialization::kExtensionCountOffset));
    QStringList names;
    for (int extension = 0; extension < count; ++extension) {
        QByteArray programming;
        if (database.ReadDerivedProgrammation(pbx, extension, programming) != kNoError)
            return FallbackChoices();
        names << GetExtensionLabel(database, pbx, extension,
                                   ExtensionDiallingNumber(extension, initialization, systemConfiguration, programming));
    }
    return names;
}

}  // namespace lodgix
