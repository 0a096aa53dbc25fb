#include "applyconfiguration.h"

#include "enginesettingsfile.h"
#include "installationsettings.h"
#include "messageboxdlg.h"

ConfigurationApplyResult ApplyConfigurationSheet(const ConfigurationSheetValues& sheet, InstallationSettings& settings,
                                                 const EngineSettings& engineSettings, QWidget* parent)
{
    // Mode, PBX and extension are only taken over (and put back) while the record is loaded: otherwise
    // they read as an unnamed client and nothing of them may reach the store.
    const bool loaded = settings.IsLoaded();
    const std::uint8_t runningMode = settings.InstallationMode();
    const std::uint8_t runningPbx = settings.PbxIdentifier();
    const std::uint8_t runningExtension = settings.AssociatedExtension();

    ConfigurationApplyResult result;
    result.engineSettingsSaved = SaveEngineSettings(engineSettings, EngineSettingsPath(), &result.problem) == 1;
    if (!result.engineSettingsSaved)
        return result;

    const std::uint8_t runningLanguage = settings.Language();
    const std::uint8_t runningProtection = settings.Protection();
    const SaltedPassword runningPassword = settings.AccessPassword();
    if (loaded && sheet.restartRequest == ConfigurationSheetValues::kGeneralConfigurationAtNextStart)
        settings.SetInstallationMode(InstallationSettings::kModeNotConfigured);
    if (loaded) {
        settings.SetAssociatedExtension(sheet.associatedExtension);
        settings.SetPbxIdentifier(sheet.pbxIdentifier);
    }
    settings.SetLanguage(sheet.language);
    settings.SetProtection(sheet.protection);
    settings.SetAccessPassword(sheet.accessPassword);

    result.saved = settings.Save();
    if (!result.saved) {
        result.problem = settings.StorePath();
        settings.SetLanguage(runningLanguage);
        settings.SetProtection(runningProtection);
        settings.SetAccessPassword(runningPassword);
        if (loaded) {
            settings.SetInstallationMode(runningMode);
            settings.SetPbxIdentifier(runningPbx);
            settings.SetAssociatedExtension(runningExtension);
        }
        return result;
    }

    const bool pbxChanged = loaded && sheet.pbxIdentifier != runningPbx;
    if (loaded) {
        settings.SetInstallationMode(runningMode);
        settings.SetPbxIdentifier(runningPbx);
        if (pbxChanged)
            settings.SetAssociatedExtension(runningExtension);
    }

    if (sheet.restartRequest != ConfigurationSheetValues::kNoRestart || pbxChanged) {
        CMessageBoxDlg warning(CMessageBoxDlg::kKindWarning, CMessageBoxDlg::kCodeRestartRequested, 0, {}, parent);
        warning.exec();
        result.restartWarned = true;
    }
    return result;
}
