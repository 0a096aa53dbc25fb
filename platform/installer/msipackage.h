#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

typedef struct _LibmsiDatabase LibmsiDatabase;
class MsiStream;

// An installer package (a compound file of tables and streams) opened through libmsi. Queries bind their
// values as parameters: libmsi refuses a quote inside a literal. Results that a caller reports use the
// installer's own error numbers.
class MsiPackage {
public:
    enum class Mode { ReadOnly, Transacted };

    // Null when the file is missing or is no package, and for an update when its owner may not write it.
    static std::unique_ptr<MsiPackage> Open(const QString& path, Mode mode);
    ~MsiPackage();
    MsiPackage(const MsiPackage&) = delete;
    MsiPackage& operator=(const MsiPackage&) = delete;

    // Field 2 of the Property table's row; nothing when the row is missing (error 259) or the query fails.
    std::optional<QString> PropertyValue(const QString& name, unsigned* error = nullptr) const;
    // Replaces the value of an existing row; false when the row is missing or the update fails.
    bool AssignProperty(const QString& name, const QString& value);

    // The summary information's revision number: the package code.
    QString RevisionNumber() const;
    bool SetRevisionNumber(const QString& packageCode);

    // The cabinet names of the Media table that lie outside the package (names without '#').
    QStringList ExternalCabinets() const;

    // The stream of the _Streams table by name; null with the error number when it is missing.
    std::unique_ptr<MsiStream> OpenStream(const QString& name, unsigned& error) const;

    // Writes the changes; the package keeps its file mode (and, run as root, its owner).
    bool Commit();

private:
    MsiPackage(LibmsiDatabase* database, const QByteArray& file, bool updatable, unsigned mode, unsigned owner,
               unsigned group);

    LibmsiDatabase* m_database;
    QByteArray m_file;  // the path as the system takes it
    bool m_updatable;
    // When opened for update: the permission bits, owner and group.
    unsigned m_mode;
    unsigned m_owner;
    unsigned m_group;
};

// Installer error numbers the stand-ins report.
namespace InstallerError {
constexpr unsigned kSuccess = 0;
constexpr unsigned kNoMoreItems = 259;        // a query found no row
constexpr unsigned kInstallFailure = 1603;    // fatal error during installation
constexpr unsigned kUnknownProduct = 1605;    // the product is not installed
constexpr unsigned kBadQuerySyntax = 1615;
constexpr unsigned kPackageOpenFailed = 1619;
constexpr unsigned kPackageInvalid = 1620;
constexpr unsigned kFunctionFailed = 1627;
constexpr unsigned kProductVersion = 1638;    // another version of the product is installed
constexpr unsigned kInvalidCommandLine = 1639;
constexpr unsigned kRebootRequired = 3010;
}  // namespace InstallerError
