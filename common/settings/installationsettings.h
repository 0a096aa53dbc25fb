#pragma once

#include "databasesettings.h"
#include "saltedpassword.h"

#include <QString>

#include <cstdint>

class QSettings;

// How this workstation is installed: which computer holds the database and the engine, whether this is
// that server, the PBX and extension that belong to it, the language, and the protection of the
// console's configuration. Every program reads it at start; only the console writes it. The store is
// <suite>/Shared/Installation.ini.
class InstallationSettings {
public:
    enum class LoadResult {
        Loaded,      // read from the store
        FirstStart,  // no store yet: the defaults count as loaded, so the first-run wizard can save them
        Damaged,     // the store could not be understood: defaults are loaded, and the next save
                     // keeps the damaged file aside as Installation.ini.damaged
        Unreadable,  // the store exists but cannot be read: not loaded
    };

    static constexpr std::uint8_t kModeNotConfigured = 0;
    static constexpr std::uint8_t kModeServer = 1;
    static constexpr std::uint8_t kModeClient = 2;
    static constexpr std::uint8_t kModeReconfigure = 3;  // the wizard runs again, as for 0
    static constexpr std::uint8_t kModeSimulation = 4;   // server; every PBX through the simulator
    // What the mode reads while the record is not loaded: neither a server mode nor the wizard's, so the
    // console starts as a client of an unnamed server and shows the failure.
    static constexpr std::uint8_t kModeNotLoaded = 255;
    static constexpr std::uint8_t kProtectionAdministrator = 0;
    static constexpr std::uint8_t kProtectionUser = 1;
    static constexpr qsizetype kServerNameMaxLength = 199;
    static constexpr qsizetype kAccessPasswordMaxLength = 8;
    // Opens the configuration while no access password is stored.
    static constexpr QStringView kDefaultAccessPassword = u"Tamp5830";

    explicit InstallationSettings(const QString& storePath = DefaultStorePath());
    static QString DefaultStorePath();

    LoadResult Load();
    // Writes the whole record; false when the store cannot be written.
    bool Save();

    bool IsLoaded() const { return m_loaded; }
    LoadResult LastLoadResult() const { return m_lastLoad; }
    QString LoadProblem() const { return m_problem; }  // what was wrong with a damaged or unreadable store
    QString StorePath() const { return m_storePath; }

    // While the record is not loaded these read as empty, kModeNotLoaded, 0 and 0.
    QString ServerName() const;
    std::uint8_t InstallationMode() const;
    std::uint8_t PbxIdentifier() const;
    std::uint8_t AssociatedExtension() const;
    std::uint8_t GetAssociatedPbx() const { return PbxIdentifier(); }
    bool NeedsSetupWizard() const;   // mode 0 or 3
    bool IsServerStation() const;    // mode 1 or 4

    std::uint8_t Language() const { return m_language; }
    std::uint8_t Protection() const { return m_protection; }
    const SaltedPassword& AccessPassword() const { return m_accessPassword; }
    // The typed text against the stored password, or against the built-in default while none is stored.
    bool CheckAccessPassword(const QString& typed) const { return CheckAccessPassword(m_accessPassword, typed); }
    // The same check against a password kept elsewhere (the configuration sheet's copy).
    static bool CheckAccessPassword(const SaltedPassword& stored, const QString& typed);

    void SetServerName(const QString& name);  // cut to 199 characters
    void SetInstallationMode(std::uint8_t mode) { m_mode = mode; }
    void SetPbxIdentifier(std::uint8_t pbx) { m_pbx = pbx; }
    void SetAssociatedExtension(std::uint8_t extension) { m_extension = extension; }
    void SetLanguage(std::uint8_t language) { m_language = language; }
    void SetProtection(std::uint8_t protection) { m_protection = protection; }
    // False, and nothing changes, for a text longer than 8 characters; an empty text removes the password.
    bool SetAccessPassword(const QString& text);
    void SetAccessPassword(const SaltedPassword& password) { m_accessPassword = password; }

    const DatabaseSettings& Database() const { return m_database; }
    void SetDatabase(const DatabaseSettings& database) { m_database = database; }

private:
    void ResetToDefaults();
    bool Read(const QSettings& store);

    QString m_storePath;
    bool m_loaded = false;
    LoadResult m_lastLoad = LoadResult::Unreadable;
    QString m_problem;
    bool m_keepDamagedCopy = false;  // the next save first copies the damaged store aside

    QString m_serverName;
    std::uint8_t m_mode = kModeNotConfigured;
    std::uint8_t m_pbx = 0;
    std::uint8_t m_extension = 0;
    std::uint8_t m_language = 0;
    std::uint8_t m_protection = kProtectionAdministrator;
    SaltedPassword m_accessPassword;
    DatabaseSettings m_database;
};
