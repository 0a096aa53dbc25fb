#pragma once

#include "saltedpassword.h"

#include <QString>

#include <cstdint>

class InstallationSettings;
class QWidget;
struct EngineSettings;

// What the configuration sheet hands back when it ends with OK.
struct ConfigurationSheetValues {
    static constexpr std::uint8_t kNoRestart = 0;
    static constexpr std::uint8_t kGeneralConfigurationAtNextStart = 1;
    static constexpr std::uint8_t kLanguageChanged = 2;

    std::uint8_t restartRequest = kNoRestart;
    std::uint8_t pbxIdentifier = 0;
    std::uint8_t associatedExtension = 0;
    std::uint8_t language = 0;
    std::uint8_t protection = 0;
    SaltedPassword accessPassword;
};

struct ConfigurationApplyResult {
    bool engineSettingsSaved = false;  // the engine settings file was written
    bool saved = false;                // the installation store was written
    bool restartWarned = false;        // the restart warning was shown
    QString problem;                   // what could not be written, and where
};

// Takes the sheet's values over: the store receives them, while the running console keeps its mode and
// PBX (and the extension of that PBX) until the next start. A restart request or a new PBX shows the
// restart warning modally. When either file cannot be written the record in memory stays as it was and
// no warning is shown: the caller tells the user and keeps the sheet open.
ConfigurationApplyResult ApplyConfigurationSheet(const ConfigurationSheetValues& sheet, InstallationSettings& settings,
                                                 const EngineSettings& engineSettings, QWidget* parent = nullptr);
