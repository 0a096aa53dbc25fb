#include "ratingconfigurationsteps.h"

#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"

#include <QFile>

namespace {
// The local area code the area-code list is first built with.
const QString kFirstLocalAreaCode = QStringLiteral("071");
const QString kFirstLocalPlace = QStringLiteral("Ancona");
}  // namespace

RatingFileResult RunRatingFirstRun(RatingConfiguration& configuration, const QString& path,
                                   const LocalAreaCodeChooser& chooseLocalAreaCode, const OleDate& now)
{
    BuildDefaultPrefixGroups(kFirstLocalAreaCode, kFirstLocalPlace, configuration.prefixGroups);
    const PrefixGroup& areaCodes = configuration.prefixGroups.groups[PrefixGroupTable::kAreaCodeGroup];
    int chosen = chooseLocalAreaCode ? chooseLocalAreaCode(areaCodes) : 0;
    if (chosen < 0 || chosen >= areaCodes.Count())
        chosen = 0;
    const PrefixEntry local = areaCodes.entries[chosen];
    BuildDefaultPrefixGroups(local.number, local.label, configuration.prefixGroups);

    BuildDefaultTariffs(configuration.tariffs, configuration.variations);
    BuildDefaultRules(configuration.rules, configuration.prefixGroups);
    SetDefaultPrintSettings(configuration.printSettings);
    InitViewState(configuration.viewState, now);
    return SaveRatingConfiguration(path, kRatingFileTag, configuration);
}

RatingFileResult StoreRatingConfigurationAtExit(const RatingConfiguration& configuration, const QString& path)
{
    if (configuration.tariffs.Count() == 0)
        return RatingFileResult::Ok;
    if (configuration.restoreDefaults) {
        if (!QFile::exists(path) || QFile::remove(path))
            return RatingFileResult::Ok;
        return RatingFileResult::CannotDelete;
    }
    return SaveRatingConfiguration(path, kRatingFileTag, configuration);
}
