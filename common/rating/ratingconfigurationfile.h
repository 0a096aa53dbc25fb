#pragma once

#include "ratingconfiguration.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The configuration file: an 8-byte version tag (a double) and the six blocks in a fixed layout. The
// same layout with other tags is the export file of the configuration.
constexpr double kRatingFileTag = 7.77652;
constexpr double kRatingFileOlderTag = 3.43521;  // same layout; its tariff variations are not trusted
constexpr double kExportFileTag = 8.88771;
constexpr double kExportFileOlderTag = 5.66123;
inline constexpr char kRatingFileName[] = "PrcCnf.psx";

constexpr qsizetype kTagSize = 8;
constexpr qsizetype kPrefixGroupsOffset = kTagSize;
constexpr qsizetype kTariffsOffset = kPrefixGroupsOffset + PrefixGroupTable::kSize;
constexpr qsizetype kRulesOffset = kTariffsOffset + TariffTable::kSize;
constexpr qsizetype kPrintSettingsOffset = kRulesOffset + RuleTable::kSize;
constexpr qsizetype kViewStateOffset = kPrintSettingsOffset + PrintSettings::kSize;
constexpr qsizetype kVariationsOffset = kViewStateOffset + ViewState::kSize;
constexpr qsizetype kRatingFileSize = kVariationsOffset + TariffVariations::kSize;
static_assert(kRatingFileSize == 2770264);

enum class RatingFileResult {
    Ok,
    CannotOpen,    // missing or unreadable
    WrongSize,     // not the size of the layout
    UnknownTag,    // neither of the accepted tags
    Damaged,       // a count or a text outside its table
    CannotWrite,
    CannotDelete,
};

// The file text of `configuration` behind `tag`.
QByteArray EncodeRatingConfiguration(const RatingConfiguration& configuration, double tag);

// Fills `configuration` (all six blocks, or nothing on failure) from a file's bytes. A file with the
// older tag may also lack its last block; either way its variations are reset to 0.
RatingFileResult DecodeRatingConfiguration(QByteArrayView file, double olderTag, double currentTag,
                                           RatingConfiguration& configuration);

RatingFileResult LoadRatingConfiguration(const QString& path, double olderTag, double currentTag,
                                         RatingConfiguration& configuration);

// Writes a temporary file and renames it over `path`, so a failed save leaves the old file whole.
RatingFileResult SaveRatingConfiguration(const QString& path, double tag, const RatingConfiguration& configuration);

// The Shared folder's configuration file.
QString RatingConfigurationPath();
