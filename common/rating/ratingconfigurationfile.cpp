#include "ratingconfigurationfile.h"

#include "binaryrecord.h"
#include "folders.h"

#include <QFile>
#include <QSaveFile>

namespace {
// An older file may end before its variations block, which is rebuilt anyway.
constexpr qsizetype kOlderFileSize = kVariationsOffset;
}  // namespace

QByteArray EncodeRatingConfiguration(const RatingConfiguration& configuration, double tag)
{
    QByteArray file(kRatingFileSize, '\0');
    PutF64(file, 0, tag);
    configuration.prefixGroups.Encode(file, kPrefixGroupsOffset);
    configuration.tariffs.Encode(file, kTariffsOffset);
    configuration.rules.Encode(file, kRulesOffset);
    configuration.printSettings.Encode(file, kPrintSettingsOffset);
    configuration.viewState.Encode(file, kViewStateOffset);
    configuration.variations.Encode(file, kVariationsOffset);
    return file;
}

RatingFileResult DecodeRatingConfiguration(QByteArrayView file, double olderTag, double currentTag,
                                           RatingConfiguration& configuration)
{
    if (file.size() != kRatingFileSize && file.size() != kOlderFileSize)
        return RatingFileResult::WrongSize;
    const double tag = GetF64(file, 0);
    const bool current = tag == currentTag;
    if (!current && tag != olderTag)
        return RatingFileResult::UnknownTag;
    if (current && file.size() != kRatingFileSize)
        return RatingFileResult::WrongSize;

    std::optional<PrefixGroupTable> groups = PrefixGroupTable::Decode(file, kPrefixGroupsOffset);
    std::optional<TariffTable> tariffs = TariffTable::Decode(file, kTariffsOffset);
    std::optional<RuleTable> rules = RuleTable::Decode(file, kRulesOffset);
    std::optional<PrintSettings> printSettings = PrintSettings::Decode(file, kPrintSettingsOffset);
    std::optional<TariffVariations> variations = TariffVariations();
    if (current)
        variations = TariffVariations::Decode(file, kVariationsOffset);
    else
        ResetTariffVariations(*variations, static_cast<std::uint16_t>(tariffs ? tariffs->Count() : 0));
    if (!groups || !tariffs || !rules || !printSettings || !variations)
        return RatingFileResult::Damaged;

    configuration.prefixGroups = std::move(*groups);
    configuration.tariffs = std::move(*tariffs);
    configuration.rules = std::move(*rules);
    configuration.printSettings = std::move(*printSettings);
    configuration.viewState = ViewState::Decode(file, kViewStateOffset);
    configuration.variations = *variations;
    return RatingFileResult::Ok;
}

RatingFileResult LoadRatingConfiguration(const QString& path, double olderTag, double currentTag,
                                         RatingConfiguration& configuration)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return RatingFileResult::CannotOpen;
    // The size is checked before reading, so that no stray large file is read whole.
    if (file.size() != kRatingFileSize && file.size() != kOlderFileSize)
        return RatingFileResult::WrongSize;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return RatingFileResult::CannotOpen;
    return DecodeRatingConfiguration(bytes, olderTag, currentTag, configuration);
}

RatingFileResult SaveRatingConfiguration(const QString& path, double tag, const RatingConfiguration& configuration)
{
    const QByteArray bytes = EncodeRatingConfiguration(configuration, tag);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return RatingFileResult::CannotWrite;
    if (file.write(bytes) != bytes.size() || !file.commit())
        return RatingFileResult::CannotWrite;
    return RatingFileResult::Ok;
}

QString RatingConfigurationPath() { return GetSharedFolder() + QLatin1String(kRatingFileName); }
