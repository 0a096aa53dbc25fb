#include "installationsettings.h"

#include "folders.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kInstallationGroup = QStringLiteral("Installation/");
const QString kDatabaseGroup = QStringLiteral("Database/");
const QString kServerNameKey = kInstallationGroup + QStringLiteral("ServerName");
const QString kModeKey = kInstallationGroup + QStringLiteral("Mode");
const QString kPbxKey = kInstallationGroup + QStringLiteral("PbxIdentifier");
const QString kExtensionKey = kInstallationGroup + QStringLiteral("AssociatedExtension");
const QString kLanguageKey = kInstallationGroup + QStringLiteral("Language");
const QString kProtectionKey = kInstallationGroup + QStringLiteral("Protection");
const QString kPasswordSaltKey = kInstallationGroup + QStringLiteral("AccessPasswordSalt");
const QString kPasswordHashKey = kInstallationGroup + QStringLiteral("AccessPasswordHash");
const QString kPasswordIterationsKey = kInstallationGroup + QStringLiteral("AccessPasswordIterations");
const QString kBackendKey = kDatabaseGroup + QStringLiteral("Backend");
const QString kFileKey = kDatabaseGroup + QStringLiteral("File");
const QString kHostKey = kDatabaseGroup + QStringLiteral("Host");
const QString kPortKey = kDatabaseGroup + QStringLiteral("Port");
const QString kUserKey = kDatabaseGroup + QStringLiteral("User");
const QString kDbPasswordKey = kDatabaseGroup + QStringLiteral("Password");
const QString kCatalogKey = kDatabaseGroup + QStringLiteral("Catalog");
const QString kSqliteName = QStringLiteral("sqlite");
const QString kPostgresName = QStringLiteral("postgresql");
const QString kDamagedSuffix = QStringLiteral(".damaged");

// Reads the store's values and notes the first one that does not fit its field.
class FieldReader {
public:
    explicit FieldReader(const QSettings& store) : m_store(store) {}

    QString Text(const QString& key, qsizetype maxLength = -1)
    {
        const QString text = m_store.value(key).toString();
        if (maxLength >= 0 && text.size() > maxLength)
            Refuse(key, QStringLiteral("longer than %1 characters").arg(maxLength));
        return text;
    }

    int Number(const QString& key, int defaultValue, int low, int high)
    {
        if (!m_store.contains(key))
            return defaultValue;
        bool ok = false;
        const int value = m_store.value(key).toString().trimmed().toInt(&ok, 10);
        if (!ok || value < low || value > high) {
            Refuse(key, QStringLiteral("not a number from %1 to %2").arg(low).arg(high));
            return defaultValue;
        }
        return value;
    }

    std::uint8_t Byte(const QString& key, std::uint8_t defaultValue)
    {
        return static_cast<std::uint8_t>(Number(key, defaultValue, 0, 255));
    }

    void Refuse(const QString& key, const QString& why)
    {
        if (m_problem.isEmpty())
            m_problem = key + QStringLiteral(": ") + why;
    }

    QString Problem() const { return m_problem; }

private:
    const QSettings& m_store;
    QString m_problem;
};

}  // namespace

InstallationSettings::InstallationSettings(const QString& storePath) : m_storePath(storePath) {}

QString InstallationSettings::DefaultStorePath() { return GetSharedFolder() + QStringLiteral("Installation.ini"); }

void InstallationSettings::ResetToDefaults()
{
    m_serverName.clear();
    m_mode = kModeNotConfigured;
    m_pbx = 0;
    m_extension = 0;
    m_language = 0;
    m_protection = kProtectionAdministrator;
    m_accessPassword = SaltedPassword();
    m_database = DatabaseSettings();
}

InstallationSettings::LoadResult InstallationSettings::Load()
{
    ResetToDefaults();
    m_loaded = false;
    m_problem.clear();
    m_keepDamagedCopy = false;

    if (!QFileInfo::exists(m_storePath)) {
        m_loaded = true;
        return m_lastLoad = LoadResult::FirstStart;
    }
    QFile probe(m_storePath);
    if (!probe.open(QIODevice::ReadOnly)) {
        m_problem = probe.errorString();
        return m_lastLoad = LoadResult::Unreadable;
    }
    probe.close();

    const QSettings store(m_storePath, QSettings::IniFormat);
    if (store.status() == QSettings::AccessError) {
        m_problem = QStringLiteral("the file cannot be read");
        return m_lastLoad = LoadResult::Unreadable;
    }
    m_loaded = true;
    if (store.status() == QSettings::FormatError)
        m_problem = QStringLiteral("the file is not a settings file");
    else if (Read(store))
        return m_lastLoad = LoadResult::Loaded;
    ResetToDefaults();
    m_keepDamagedCopy = true;
    return m_lastLoad = LoadResult::Damaged;
}

bool InstallationSettings::Read(const QSettings& store)
{
    FieldReader reader(store);
    m_serverName = reader.Text(kServerNameKey, kServerNameMaxLength);
    m_mode = reader.Byte(kModeKey, kModeNotConfigured);
    m_pbx = reader.Byte(kPbxKey, 0);
    m_extension = reader.Byte(kExtensionKey, 0);
    m_language = reader.Byte(kLanguageKey, 0);
    m_protection = reader.Byte(kProtectionKey, kProtectionAdministrator);
    // A store without a count holds the earlier single SHA-256 form.
    const int iterations = reader.Number(kPasswordIterationsKey, SaltedPassword::kLegacyIterations, 0,
                                         SaltedPassword::kMaxIterations);
    if (!SaltedPassword::FromStored(reader.Text(kPasswordSaltKey), reader.Text(kPasswordHashKey), iterations,
                                    m_accessPassword))
        reader.Refuse(kPasswordHashKey, QStringLiteral("not a salted password hash"));

    const QString backend = reader.Text(kBackendKey).trimmed();
    if (backend.isEmpty() || backend.compare(kSqliteName, Qt::CaseInsensitive) == 0)
        m_database.backend = DatabaseSettings::Backend::Sqlite;
    else if (backend.compare(kPostgresName, Qt::CaseInsensitive) == 0)
        m_database.backend = DatabaseSettings::Backend::PostgreSql;
    else
        reader.Refuse(kBackendKey, QStringLiteral("neither %1 nor %2").arg(kSqliteName, kPostgresName));
    m_database.file = reader.Text(kFileKey);
    m_database.host = reader.Text(kHostKey);
    m_database.port = reader.Number(kPortKey, DatabaseSettings::kDefaultPostgresPort, 1, 65535);
    m_database.user = reader.Text(kUserKey);
    m_database.password = reader.Text(kDbPasswordKey);
    m_database.catalog = reader.Text(kCatalogKey).trimmed();

    m_problem = reader.Problem();
    return m_problem.isEmpty();
}

bool InstallationSettings::Save()
{
    // What could not be read is kept aside before it is overwritten.
    if (m_keepDamagedCopy && QFileInfo::exists(m_storePath)) {
        const QString keptCopy = m_storePath + kDamagedSuffix;
        QFile::remove(keptCopy);
        if (!QFile::copy(m_storePath, keptCopy))
            return false;
        m_keepDamagedCopy = false;
    }

    QSettings store(m_storePath, QSettings::IniFormat);
    store.clear();
    store.setValue(kServerNameKey, m_serverName);
    store.setValue(kModeKey, m_mode);
    store.setValue(kPbxKey, m_pbx);
    store.setValue(kExtensionKey, m_extension);
    store.setValue(kLanguageKey, m_language);
    store.setValue(kProtectionKey, m_protection);
    store.setValue(kPasswordSaltKey, m_accessPassword.SaltHex());
    store.setValue(kPasswordHashKey, m_accessPassword.HashHex());
    if (!m_accessPassword.IsEmpty())
        store.setValue(kPasswordIterationsKey, m_accessPassword.Iterations());
    store.setValue(kBackendKey, m_database.backend == DatabaseSettings::Backend::PostgreSql ? kPostgresName : kSqliteName);
    store.setValue(kFileKey, m_database.file);
    store.setValue(kHostKey, m_database.host);
    store.setValue(kPortKey, m_database.port);
    store.setValue(kUserKey, m_database.user);
    store.setValue(kDbPasswordKey, m_database.password);
    if (!m_database.catalog.isEmpty())  // files of installations on the usual catalog stay as they were
        store.setValue(kCatalogKey, m_database.catalog);
    store.sync();
    // A format error left from reading a damaged file does not matter: the file was written anew.
    return store.status() != QSettings::AccessError;
}

QString InstallationSettings::ServerName() const { return m_loaded ? m_serverName : QString(); }
std::uint8_t InstallationSettings::InstallationMode() const { return m_loaded ? m_mode : kModeNotLoaded; }
std::uint8_t InstallationSettings::PbxIdentifier() const { return m_loaded ? m_pbx : 0; }
std::uint8_t InstallationSettings::AssociatedExtension() const { return m_loaded ? m_extension : 0; }

bool InstallationSettings::NeedsSetupWizard() const
{
    const std::uint8_t mode = InstallationMode();
    return mode == kModeNotConfigured || mode == kModeReconfigure;
}

bool InstallationSettings::IsServerStation() const
{
    const std::uint8_t mode = InstallationMode();
    return mode == kModeServer || mode == kModeSimulation;
}

bool InstallationSettings::CheckAccessPassword(const SaltedPassword& stored, const QString& typed)
{
    if (stored.IsEmpty())
        return typed == kDefaultAccessPassword;
    return stored.Matches(typed);
}

void InstallationSettings::SetServerName(const QString& name) { m_serverName = name.left(kServerNameMaxLength); }

bool InstallationSettings::SetAccessPassword(const QString& text)
{
    if (text.size() > kAccessPasswordMaxLength)
        return false;
    m_accessPassword = SaltedPassword::FromText(text);
    return true;
}
