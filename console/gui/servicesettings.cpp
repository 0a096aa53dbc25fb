#include "servicesettings.h"

#include "accesspassworddlg.h"
#include "applyconfiguration.h"
#include "configurationbox.h"
#include "contactcache.h"
#include "engineerrorcode.h"
#include "engineview.h"
#include "engineviewhost.h"
#include "globalconfiguration.h"
#include "installationdatabase.h"
#include "installationsettings.h"
#include "stringtable.h"
#include "tapisettingsdlg.h"

#include <QMessageBox>

namespace {
constexpr unsigned kBadPasswordString = 1104;
constexpr unsigned kStoreNotSavedString = 10901;
constexpr unsigned kSettingsNotSavedString = 10902;
}  // namespace

void OpenServiceSettings(int itemCode, EngineViewHost& host, QWidget* parent)
{
    switch (itemCode) {
    case CEngineView::kEngineItem:
        OpenEngineConfiguration(host, parent);
        break;
    case CEngineView::kTapiDriverItem:
        if (CContactCache* contacts = host.Contacts()) {
            CTapiSettingsDlg dialog(*contacts, host.Settings(), parent);
            dialog.exec();
        }
        break;
    default:
        break;
    }
}

bool OpenEngineConfiguration(EngineViewHost& host, QWidget* parent)
{
    InstallationSettings& installation = host.Installation();
    if (installation.Protection() == InstallationSettings::kProtectionUser) {
        CAccessPasswordDlg password(parent);
        if (password.exec() != QDialog::Accepted || !installation.CheckAccessPassword(password.Password())) {
            QMessageBox refusal(QMessageBox::Critical, LoadResString(kErrorCaptionString),
                                LoadResString(kBadPasswordString), QMessageBox::Ok, parent);
            refusal.exec();
            return false;
        }
    }
    CGlobalConfiguration sheet(LoadResString(CGlobalConfiguration::kCaptionString), installation, host.Settings(),
                               DbParametersFor(installation.Database()), parent);
    // The values are taken over before the sheet closes: when a file cannot be written the user sees why
    // and keeps what was entered.
    sheet.SetCommit([&](const ConfigurationSheetValues& values) {
        const ConfigurationApplyResult result = ApplyConfigurationSheet(values, installation, host.Settings(), &sheet);
        if (result.engineSettingsSaved && result.saved)
            return true;
        ShowEngineErrorBox(&sheet, result.engineSettingsSaved ? kStoreNotSavedString : kSettingsNotSavedString,
                           kWriteFailed, result.problem);
        return false;
    });
    return sheet.exec() == QDialog::Accepted;
}
