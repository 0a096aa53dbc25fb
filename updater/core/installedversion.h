#pragma once

#include <QString>

#include <cstdint>

struct UpdateSettings;

// The suite's uninstall key, whose "DisplayVersion" names the installed series and build.
inline const QString kSuiteUninstallKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{4A07B18B-DC5D-42C9-9FC7-69212FA10A38}");
inline const QString kDisplayVersionValue = QStringLiteral("DisplayVersion");

// Reads a version text "major.series.build": the number after the first dot becomes the series, the
// number after the second the build; true only when both were there. A series already taken stays when
// the build is missing. A number that is no 16-bit value changes nothing.
bool ApplyDisplayVersion(const QString& text, std::uint16_t& series, std::uint16_t& build);

// The installed version from the uninstall key (Registry.ini) into the settings.
bool ReadInstalledVersion(UpdateSettings& settings);
