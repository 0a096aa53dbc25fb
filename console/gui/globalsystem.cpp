#include "globalsystem.h"

#include "accesspasswordchange.h"
#include "configurationbox.h"
#include "consolelabels.h"
#include "engineerrorcode.h"
#include "enginesettingsfile.h"
#include "globalconfiguration.h"
#include "installationsettings.h"
#include "languageicons.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <iterator>
#include <tuple>

namespace {

constexpr unsigned kPbxString = 10020;
constexpr unsigned kExtensionString = 10021;
constexpr unsigned kUpdatesString = 1082;
constexpr unsigned kFirstIntervalString = 1083;
constexpr unsigned kNextStartString = 10056;
constexpr unsigned kOperatorConsoleString = 1088;
constexpr unsigned kProtectionString = 1097;
constexpr unsigned kAdministratorString = 1098;
constexpr unsigned kUserString = 1099;
constexpr unsigned kOldPasswordString = 1094;
constexpr unsigned kNewPasswordString = 1095;
constexpr unsigned kRepeatPasswordString = 1106;
constexpr unsigned kChangePasswordString = 1096;
constexpr unsigned kSettingsNotSavedString = 10902;
constexpr int kLanguageIconSize = 16;
const QString kItalianEntry = QStringLiteral("ITALIANO");
const QString kEnglishEntry = QStringLiteral("ENGLISH");

QLabel* Label(const char* id, unsigned textId)
{
    auto label = new QLabel(LoadResString(textId));
    label->setObjectName(QString::fromLatin1(id));
    return label;
}

QComboBox* Combo(const char* id)
{
    auto combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(id));
    combo->setMinimumContentsLength(16);
    return combo;
}

QLineEdit* PasswordEdit(const char* id)
{
    auto edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(id));
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

}  // namespace

CGlobalSystem::CGlobalSystem(CGlobalConfiguration& sheet, QWidget* parent) : QWidget(parent), m_sheet(sheet)
{
    setObjectName(QStringLiteral("106"));
    auto layout = new QGridLayout(this);
    int row = 0;
    auto addRow = [&](QLabel* label, QWidget* field) {
        label->setBuddy(field);
        layout->addWidget(label, row, 0);
        layout->addWidget(field, row++, 1, 1, 2);
    };

    m_pbxCombo = Combo("1012");
    addRow(Label("1013", kPbxString), m_pbxCombo);
    m_extensionCombo = Combo("1014");
    addRow(Label("1015", kExtensionString), m_extensionCombo);
    m_intervalCombo = Combo("1016");
    for (std::size_t entry = 0; entry < std::size(kIntervals); ++entry)
        m_intervalCombo->addItem(LoadResString(kFirstIntervalString + unsigned(entry)));
    m_intervalCombo->setCurrentIndex(IntervalEntry(sheet.Settings().updateIntervalDays));
    addRow(Label("1017", kUpdatesString), m_intervalCombo);
    m_protectionCombo = Combo("1018");
    m_protectionCombo->addItems({LoadResString(kAdministratorString), LoadResString(kUserString)});
    m_protectionCombo->setCurrentIndex(sheet.Protection() == InstallationSettings::kProtectionUser ? 1 : 0);
    addRow(Label("1117", kProtectionString), m_protectionCombo);

    // Both languages, by language - 1; the installation's own is selected.
    m_languageCombo = Combo("1109");
    m_languageCombo->setIconSize(QSize(kLanguageIconSize, kLanguageIconSize));
    m_languageCombo->addItem(LanguageIcon(kItalianFlagIcon), kItalianEntry);
    m_languageCombo->addItem(LanguageIcon(kEnglishFlagIcon), kEnglishEntry);
    const int languageEntry = sheet.Language() - 1;
    m_languageCombo->setCurrentIndex(languageEntry >= 0 && languageEntry < m_languageCombo->count() ? languageEntry : -1);
    layout->addWidget(m_languageCombo, row++, 1, 1, 2);

    m_nextStartCheck = new QCheckBox(LoadResString(kNextStartString));
    m_nextStartCheck->setObjectName(QStringLiteral("1041"));
    layout->addWidget(m_nextStartCheck, row++, 0, 1, 3);
    m_operatorConsoleCheck = new QCheckBox(LoadResString(kOperatorConsoleString));
    m_operatorConsoleCheck->setObjectName(QStringLiteral("1111"));
    m_operatorConsoleCheck->setChecked(sheet.Settings().startOperatorConsole != 0);
    layout->addWidget(m_operatorConsoleCheck, row++, 0, 1, 3);

    auto passwordBox = new QGroupBox;
    auto passwordLayout = new QGridLayout(passwordBox);
    m_oldPassword = PasswordEdit("1114");
    m_newPassword = PasswordEdit("1115");
    m_repeatedPassword = PasswordEdit("1120");
    const std::tuple<const char*, unsigned, QLineEdit*> edits[] = {
        {"1118", kOldPasswordString, m_oldPassword},
        {"1119", kNewPasswordString, m_newPassword},
        {"1121", kRepeatPasswordString, m_repeatedPassword},
    };
    int passwordRow = 0;
    for (const auto& [id, text, edit] : edits) {
        QLabel* label = Label(id, text);
        label->setBuddy(edit);
        passwordLayout->addWidget(label, passwordRow, 0);
        passwordLayout->addWidget(edit, passwordRow++, 1);
    }
    auto change = new QPushButton(LoadResString(kChangePasswordString));
    change->setObjectName(QStringLiteral("1116"));
    change->setAutoDefault(false);
    passwordLayout->addWidget(change, passwordRow, 1, Qt::AlignRight);
    connect(change, &QPushButton::clicked, this, &CGlobalSystem::ChangePassword);
    layout->addWidget(passwordBox, row++, 0, 1, 3);
    layout->setRowStretch(row, 1);

    connect(m_pbxCombo, &QComboBox::currentIndexChanged, this, &CGlobalSystem::OnPbxChanged);
    connect(m_extensionCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling && index >= 0)
            m_sheet.SetExtensionIndex(static_cast<std::uint8_t>(index));
    });
    FillPbxCombo();
}

int CGlobalSystem::IntervalEntry(std::uint8_t days)
{
    const auto* found = std::find(std::begin(kIntervals), std::end(kIntervals), days);
    return found == std::end(kIntervals) ? int(std::size(kIntervals)) - 1 : int(found - std::begin(kIntervals));
}

void CGlobalSystem::showEvent(QShowEvent* event)
{
    // The PBX page may have changed the list meanwhile.
    FillPbxCombo();
    QWidget::showEvent(event);
}

void CGlobalSystem::FillPbxCombo()
{
    m_filling = true;
    m_pbxCombo->clear();
    m_extensionCombo->clear();
    CSqlDatabase* database = m_sheet.Database();
    const bool usable = database && database->PbxCount() > 0;
    m_pbxCombo->setEnabled(usable);
    m_extensionCombo->setEnabled(false);
    if (!usable) {
        m_filling = false;
        return;
    }
    for (int pbx = 0; pbx < database->PbxCount(); ++pbx)
        m_pbxCombo->addItem(database->PbxIdentifier(pbx));
    const int pbx = m_sheet.PbxIndex() < database->PbxCount() ? m_sheet.PbxIndex() : 0;
    m_pbxCombo->setCurrentIndex(pbx);
    m_filling = false;
    OnPbxChanged(pbx);
}

void CGlobalSystem::OnPbxChanged(int index)
{
    if (m_filling || index < 0)
        return;
    if (!m_sheet.ReadPbxRecords(index)) {
        m_extensionCombo->setEnabled(false);
        return;
    }
    if (index != m_sheet.PbxIndex()) {
        m_sheet.SetPbxIndex(static_cast<std::uint8_t>(index));
        m_sheet.SetExtensionIndex(0);
    }
    FillExtensionCombo(index);
    m_extensionCombo->setEnabled(true);
}

void CGlobalSystem::FillExtensionCombo(int pbx)
{
    m_filling = true;
    m_extensionCombo->clear();
    CSqlDatabase& database = *m_sheet.Database();
    const QByteArray& initialization = m_sheet.Initialization();
    const int count = std::min(quint8(initialization.at(1)), quint8(initialization.at(2)));
    for (int extension = 0; extension < count; ++extension) {
        QByteArray programming;
        const bool read = database.ReadDerivedProgrammation(pbx, extension, programming) == kNoError;
        m_extensionCombo->addItem(read ? FormatExtensionLabel(extension, pbx, database, initialization,
                                                              m_sheet.SystemConfiguration(), programming)
                                       : kFailText);
    }
    m_extensionCombo->setCurrentIndex(m_sheet.ExtensionIndex() < count ? m_sheet.ExtensionIndex() : 0);
    m_filling = false;
}

bool CGlobalSystem::Apply()
{
    if (m_pbxCombo->isEnabled() && m_extensionCombo->isEnabled()) {
        m_sheet.SetPbxIndex(static_cast<std::uint8_t>(std::max(0, m_pbxCombo->currentIndex())));
        m_sheet.SetExtensionIndex(static_cast<std::uint8_t>(std::max(0, m_extensionCombo->currentIndex())));
    }
    m_sheet.SetRestartRequest(ConfigurationSheetValues::kNoRestart);
    const int language = m_languageCombo->currentIndex();
    if (language >= 0 && language != m_sheet.Language() - 1) {
        m_sheet.SetLanguage(static_cast<std::uint8_t>(language + 1));
        m_sheet.SetRestartRequest(ConfigurationSheetValues::kLanguageChanged);
    }
    if (m_nextStartCheck->isChecked())
        m_sheet.SetRestartRequest(ConfigurationSheetValues::kGeneralConfigurationAtNextStart);
    EngineSettings& settings = m_sheet.Settings();
    const EngineSettings before = settings;
    settings.updateIntervalDays = kIntervals[std::max(0, m_intervalCombo->currentIndex())];
    settings.startOperatorConsole = m_operatorConsoleCheck->isChecked() ? 1 : 0;
    QString problem;
    if (SaveEngineSettings(settings, EngineSettingsPath(), &problem) == 0) {
        settings = before;
        ShowEngineErrorBox(this, kSettingsNotSavedString, kWriteFailed, problem);
        return false;
    }
    m_sheet.SetProtection(m_protectionCombo->currentIndex() == 1 ? InstallationSettings::kProtectionUser
                                                                 : InstallationSettings::kProtectionAdministrator);
    return true;
}

void CGlobalSystem::ChangePassword()
{
    const PasswordChangeOutcome outcome = ChangeAccessPassword(m_sheet.AccessPassword(), m_oldPassword->text(),
                                                               m_newPassword->text(), m_repeatedPassword->text());
    for (QLineEdit* edit : {m_oldPassword, m_newPassword, m_repeatedPassword})
        edit->clear();
    if (outcome == PasswordChangeOutcome::Accepted) {
        QMessageBox box(QMessageBox::Information, LoadResString(kWarningCaptionString),
                        LoadResString(unsigned(outcome)), QMessageBox::Ok, this);
        box.exec();
    } else {
        ShowConfigurationError(this, unsigned(outcome));
    }
}
