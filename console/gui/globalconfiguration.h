#pragma once

#include "applyconfiguration.h"
#include "dbparameters.h"
#include "saltedpassword.h"

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class CGlobalSystem;
class CSqlDatabase;
class CSystemLabel;
class CSystemPbx;
class InstallationSettings;
class QTabWidget;
struct EngineSettings;

// The console's configuration sheet: this workstation's installation (bound PBX and extension, language,
// protection and access password), the update interval and the operator console's start, the installed
// PBXs and the labels of extensions, lines, entry phones, alarms and relays. The pages edit the sheet's
// copies; the caller takes them over (ApplyConfigurationSheet) when the sheet ends with OK. PBXs and
// labels go to the database at once.
//
// The sheet reaches the database with a connection of its own: this computer's in the server modes, the
// server's otherwise. Without one it has the system page only, with both PBX combos disabled.
class CGlobalConfiguration : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kCaptionString = 10014;
    static constexpr int kLabelKinds[] = {1, 2, 3, 255, 4};

    CGlobalConfiguration(const QString& caption, const InstallationSettings& settings, EngineSettings& engineSettings,
                         const DbParameters& database, QWidget* parent = nullptr);
    ~CGlobalConfiguration() override;

    // What the caller takes over after OK.
    ConfigurationSheetValues Values() const;
    // Takes the values over when OK is pressed; false keeps the sheet open (the commit told the user why).
    using Commit = std::function<bool(const ConfigurationSheetValues&)>;
    void SetCommit(Commit commit) { m_commit = std::move(commit); }

    QTabWidget* Tabs() const { return m_tabs; }
    // The sheet's connection; null when it could not connect.
    CSqlDatabase* Database() const { return m_database.get(); }
    EngineSettings& Settings() { return m_engineSettings; }

    // The sheet's copies, which the pages read and change.
    std::uint8_t InstallationMode() const { return m_mode; }
    bool IsServerMode() const;
    std::uint8_t PbxIndex() const { return m_pbxIndex; }
    void SetPbxIndex(std::uint8_t pbx) { m_pbxIndex = pbx; }
    std::uint8_t ExtensionIndex() const { return m_extensionIndex; }
    void SetExtensionIndex(std::uint8_t extension) { m_extensionIndex = extension; }
    std::uint8_t Language() const { return m_language; }
    void SetLanguage(std::uint8_t language) { m_language = language; }
    std::uint8_t Protection() const { return m_protection; }
    void SetProtection(std::uint8_t protection) { m_protection = protection; }
    std::uint8_t RestartRequest() const { return m_restartRequest; }
    void SetRestartRequest(std::uint8_t request) { m_restartRequest = request; }
    SaltedPassword& AccessPassword() { return m_accessPassword; }

    // Reads the PBX's initialization and system configuration into the sheet; false when either read fails.
    bool ReadPbxRecords(int pbx);
    const QByteArray& Initialization() const { return m_initialization; }
    const QByteArray& SystemConfiguration() const { return m_configuration; }

public slots:
    void accept() override;

private:
    void Connect(const QString& serverName);

    EngineSettings& m_engineSettings;
    QString m_serverName;
    std::uint8_t m_mode;
    std::uint8_t m_pbxIndex;
    std::uint8_t m_extensionIndex;
    std::uint8_t m_restartRequest = ConfigurationSheetValues::kNoRestart;
    std::uint8_t m_language;
    std::uint8_t m_protection;
    SaltedPassword m_accessPassword;
    QByteArray m_initialization;
    QByteArray m_configuration;
    std::unique_ptr<CSqlDatabase> m_database;

    QTabWidget* m_tabs;
    CGlobalSystem* m_systemPage = nullptr;
    Commit m_commit;
};
