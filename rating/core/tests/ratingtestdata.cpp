#include "ratingtestdata.h"

#include "callrating.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "pbxinitialization.h"
#include "pbxtables.h"
#include "tarifftable.h"

RatingConfiguration TestRatingConfiguration()
{
    RatingConfiguration configuration;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), configuration.prefixGroups);
    BuildDefaultTariffs(configuration.tariffs, configuration.variations);
    BuildDefaultRules(configuration.rules, configuration.prefixGroups);
    TariffRecord& pulse = configuration.tariffs.tariffs[TariffTable::kPulseTariff];
    pulse.pulseCost = kTestPulseCost;
    pulse.answerCharge = kTestAnswerCharge;
    return configuration;
}

CallTypeTable TestCallTypes()
{
    CallTypeTable table;
    BuildCallTypeTable(table);
    return table;
}

QByteArray TestInitialization(int extensions, int lines)
{
    QByteArray record(PbxInitialization::kSize, '\0');
    record[1] = static_cast<char>(extensions);  // handled
    record[PbxInitialization::kExtensionCountOffset] = static_cast<char>(extensions);
    record[PbxInitialization::kLineCountOffset] = static_cast<char>(lines);
    record.replace(PbxInitialization::kVersionOffset, 5, "TEST1");
    return record;
}

QByteArray TestSystemConfiguration(bool logsDurations)
{
    QByteArray record(26, '\0');
    record[kExtensionBitmap1Byte] = static_cast<char>(logsDurations ? kLogsDurationsBit : 0);
    return record;
}

void SetTestPbx(PbxTables& tables, int pbx, int extensions, int lines, bool logsDurations)
{
    tables.SetPbx(pbx, QStringLiteral("PBX%1").arg(pbx + 1), TestInitialization(extensions, lines),
                  TestSystemConfiguration(logsDurations), {});
}
