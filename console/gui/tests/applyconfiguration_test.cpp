#include "applyconfiguration.h"

#include "dialogtesting.h"
#include "enginesettingsfile.h"
#include "installationsettings.h"
#include "messageboxdlg.h"
#include "tempsuite.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// The restart warnings that applying shows, by kind and code.
class WarningRecorder {
public:
    WarningRecorder()
        : m_watcher([this](QWidget* modal) {
              if (auto box = qobject_cast<CMessageBoxDlg*>(modal))
                  m_seen.push_back({box->Kind(), box->Code()});
          })
    {
    }
    const std::vector<std::pair<int, int>>& Seen() const { return m_seen; }

private:
    std::vector<std::pair<int, int>> m_seen;
    ModalWatcher m_watcher;
};

// A server workstation bound to PBX 0, extension 5, in Italian, open to everybody.
InstallationSettings RunningServer()
{
    InstallationSettings settings;
    settings.Load();
    settings.SetInstallationMode(InstallationSettings::kModeServer);
    settings.SetPbxIdentifier(0);
    settings.SetAssociatedExtension(5);
    settings.SetLanguage(1);
    settings.Save();
    return settings;
}

InstallationSettings Stored()
{
    InstallationSettings stored;
    stored.Load();
    return stored;
}

TEST(ApplyConfiguration, GeneralConfigurationAndNewPbxReachTheStoreWhileTheRunningModeAndPbxStay)
{
    TempSuite suite(QStringLiteral("Pultex"));
    InstallationSettings settings = RunningServer();
    EngineSettings engineSettings;
    engineSettings.updateIntervalDays = EngineSettings::kCheckEveryMonth;

    ConfigurationSheetValues sheet;
    sheet.restartRequest = ConfigurationSheetValues::kGeneralConfigurationAtNextStart;
    sheet.pbxIdentifier = 2;
    sheet.associatedExtension = 7;
    sheet.language = 2;
    sheet.protection = InstallationSettings::kProtectionUser;
    sheet.accessPassword = SaltedPassword::FromText(QStringLiteral("nuova"));

    WarningRecorder warnings;
    const ConfigurationApplyResult result = ApplyConfigurationSheet(sheet, settings, engineSettings);
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(result.restartWarned);
    EXPECT_EQ(warnings.Seen(), (std::vector<std::pair<int, int>>{{3, 11}}));

    const InstallationSettings stored = Stored();
    EXPECT_EQ(stored.InstallationMode(), InstallationSettings::kModeNotConfigured);
    EXPECT_TRUE(stored.NeedsSetupWizard());  // at the next start
    EXPECT_EQ(stored.PbxIdentifier(), 2);
    EXPECT_EQ(stored.AssociatedExtension(), 7);
    EXPECT_EQ(stored.Language(), 2);
    EXPECT_EQ(stored.Protection(), InstallationSettings::kProtectionUser);
    EXPECT_TRUE(stored.CheckAccessPassword(QStringLiteral("nuova")));

    EXPECT_EQ(settings.InstallationMode(), InstallationSettings::kModeServer);
    EXPECT_EQ(settings.GetAssociatedPbx(), 0);
    EXPECT_EQ(settings.AssociatedExtension(), 5);  // the old PBX's extension
    EXPECT_EQ(settings.Language(), 2);
    EXPECT_TRUE(settings.CheckAccessPassword(QStringLiteral("nuova")));

    EngineSettings savedEngine;
    ASSERT_EQ(LoadEngineSettings(savedEngine), 1);
    EXPECT_EQ(savedEngine.updateIntervalDays, EngineSettings::kCheckEveryMonth);
}

TEST(ApplyConfiguration, NewExtensionOfTheSamePbxTakesEffectWithoutWarning)
{
    TempSuite suite(QStringLiteral("Pultex"));
    InstallationSettings settings = RunningServer();
    ConfigurationSheetValues sheet;
    sheet.pbxIdentifier = 0;
    sheet.associatedExtension = 9;
    sheet.language = 1;

    WarningRecorder warnings;
    const ConfigurationApplyResult result = ApplyConfigurationSheet(sheet, settings, EngineSettings());
    EXPECT_TRUE(result.saved);
    EXPECT_FALSE(result.restartWarned);
    EXPECT_TRUE(warnings.Seen().empty());
    EXPECT_EQ(settings.AssociatedExtension(), 9);
    EXPECT_EQ(Stored().AssociatedExtension(), 9);
    EXPECT_EQ(Stored().InstallationMode(), InstallationSettings::kModeServer);
}

TEST(ApplyConfiguration, NewLanguageWarnsButKeepsTheMode)
{
    TempSuite suite(QStringLiteral("Pultex"));
    InstallationSettings settings = RunningServer();
    ConfigurationSheetValues sheet;
    sheet.restartRequest = ConfigurationSheetValues::kLanguageChanged;
    sheet.associatedExtension = 5;
    sheet.language = 2;

    WarningRecorder warnings;
    EXPECT_TRUE(ApplyConfigurationSheet(sheet, settings, EngineSettings()).restartWarned);
    EXPECT_EQ(warnings.Seen().size(), 1u);
    EXPECT_EQ(Stored().InstallationMode(), InstallationSettings::kModeServer);
    EXPECT_EQ(Stored().Language(), 2);
}

TEST(ApplyConfiguration, RecordThatIsNotLoadedTakesNoModePbxOrExtension)
{
    TempSuite suite(QStringLiteral("Pultex"));
    ASSERT_TRUE(QDir().mkpath(InstallationSettings::DefaultStorePath()));  // unreadable store
    InstallationSettings settings;
    ASSERT_EQ(settings.Load(), InstallationSettings::LoadResult::Unreadable);
    ConfigurationSheetValues sheet;
    sheet.restartRequest = ConfigurationSheetValues::kGeneralConfigurationAtNextStart;
    sheet.pbxIdentifier = 3;
    sheet.associatedExtension = 4;
    sheet.language = 2;

    WarningRecorder warnings;
    const ConfigurationApplyResult result = ApplyConfigurationSheet(sheet, settings, EngineSettings());
    // The store cannot be written either: nothing is taken over and the caller reports it.
    EXPECT_TRUE(result.engineSettingsSaved);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.problem, settings.StorePath());
    EXPECT_FALSE(result.restartWarned);
    EXPECT_TRUE(warnings.Seen().empty());
    EXPECT_EQ(settings.InstallationMode(), InstallationSettings::kModeNotLoaded);
    EXPECT_EQ(settings.GetAssociatedPbx(), 0);
    EXPECT_EQ(settings.AssociatedExtension(), 0);
    EXPECT_EQ(settings.Language(), 0);
}

TEST(ApplyConfiguration, FilesThatCannotBeWrittenLeaveTheRecordAsItWasAndWarnOfNothing)
{
    struct Case {
        const char* name;
        bool storeWritable;
        bool settingsWritable;
    };
    for (const Case& c : {Case{"store", false, true}, Case{"engine settings", true, false}}) {
        TempSuite suite(QStringLiteral("Pultex"));
        InstallationSettings settings = RunningServer();
        // A folder where the file should be cannot be written over.
        const QString blocked = c.storeWritable ? EngineSettingsPath() : settings.StorePath();
        QFile::remove(blocked);
        ASSERT_TRUE(QDir().mkpath(blocked));
        ConfigurationSheetValues sheet;
        sheet.restartRequest = ConfigurationSheetValues::kLanguageChanged;
        sheet.pbxIdentifier = 1;
        sheet.associatedExtension = 9;
        sheet.language = 2;
        sheet.protection = InstallationSettings::kProtectionUser;
        sheet.accessPassword = SaltedPassword::FromText(QStringLiteral("nuova"));

        WarningRecorder warnings;
        const ConfigurationApplyResult result = ApplyConfigurationSheet(sheet, settings, EngineSettings());
        EXPECT_EQ(result.engineSettingsSaved, c.settingsWritable) << c.name;
        EXPECT_FALSE(result.saved) << c.name;
        EXPECT_TRUE(result.problem.contains(QDir::toNativeSeparators(blocked))) << c.name << result.problem.toStdString();
        EXPECT_FALSE(result.restartWarned) << c.name;
        EXPECT_TRUE(warnings.Seen().empty()) << c.name;
        EXPECT_EQ(settings.InstallationMode(), InstallationSettings::kModeServer) << c.name;
        EXPECT_EQ(settings.PbxIdentifier(), 0) << c.name;
        EXPECT_EQ(settings.AssociatedExtension(), 5) << c.name;
        EXPECT_EQ(settings.Language(), 1) << c.name;
        EXPECT_EQ(settings.Protection(), InstallationSettings::kProtectionAdministrator) << c.name;
        EXPECT_FALSE(settings.CheckAccessPassword(QStringLiteral("nuova"))) << c.name;
    }
}

}  // namespace
