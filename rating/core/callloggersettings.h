#pragma once

#include "oledate.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>

// The call-logger plug-in's settings: whether it runs, the PBX whose calls it exports, the output file
// and the start of the last call it wrote. Stored byte for byte behind a version tag in
// "TvCallLogPgin.ers" in the program folder.
struct CallLoggerSettings {
    static constexpr qsizetype kRecordSize = 528;
    static constexpr qsizetype kFileSize = 8 + kRecordSize;  // the tag, then the record
    static constexpr double kVersionTag = 334.2234;
    static constexpr qsizetype kPathField = 260;  // char[260], NUL-terminated
    static inline const QString kFileName = QStringLiteral("TvCallLogPgin.ers");

    std::uint8_t enabled = 0;
    std::uint8_t pbx = 0;
    QString outputPath;
    double lastExportedStart = 0.0;  // a date; 0 until the first export tick after enabling

    // Whether the path can be stored whole: Windows-1252 text of at most 259 bytes.
    static bool PathFits(const QString& path);

    QByteArray Encode() const;  // the 528-byte record
    static CallLoggerSettings Decode(QByteArrayView record);

    friend bool operator==(const CallLoggerSettings&, const CallLoggerSettings&) = default;
};

// Replaces the settings with the file's when it is exactly 536 bytes behind the right tag; otherwise
// false and the settings stay as they were.
bool LoadCallLoggerSettings(const QString& folder, CallLoggerSettings& settings);
// Writes the whole file (a temporary file renamed over the old one); false on any file error.
bool SaveCallLoggerSettings(const QString& folder, const CallLoggerSettings& settings);
