// libmsi first: gio's headers use "signals" as a member name, which Qt defines as a macro.
#include <libmsi.h>

#include "msipackage.h"

#include "msistream.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Owns a GObject reference of libmsi.
template <typename T>
struct GObjectRef {
    T* object = nullptr;
    GObjectRef() = default;
    explicit GObjectRef(T* o) : object(o) {}
    ~GObjectRef()
    {
        if (object)
            g_object_unref(object);
    }
    GObjectRef(const GObjectRef&) = delete;
    GObjectRef& operator=(const GObjectRef&) = delete;
    explicit operator bool() const { return object != nullptr; }
};

bool Succeeded(gboolean result, GError* error)
{
    if (error)
        g_error_free(error);
    return result && !error;
}

// A query run with its parameters bound; null query on failure, with the installer's error number.
struct ExecutedQuery {
    GObjectRef<LibmsiQuery> query;
    unsigned error = InstallerError::kSuccess;
};

void Execute(ExecutedQuery& out, LibmsiDatabase* database, const char* sql, const QStringList& parameters)
{
    GError* error = nullptr;
    out.query.object = libmsi_query_new(database, sql, &error);
    if (!out.query) {
        if (error)
            g_error_free(error);
        out.error = InstallerError::kBadQuerySyntax;
        return;
    }
    GObjectRef<LibmsiRecord> record;
    if (!parameters.isEmpty()) {
        record.object = libmsi_record_new(static_cast<guint>(parameters.size()));
        for (qsizetype i = 0; i < parameters.size(); ++i)
            libmsi_record_set_string(record.object, static_cast<guint>(i + 1), parameters[i].toUtf8().constData());
    }
    if (!Succeeded(libmsi_query_execute(out.query.object, record.object, &error), error)) {
        g_object_unref(out.query.object);
        out.query.object = nullptr;
        out.error = InstallerError::kFunctionFailed;
    }
}

// The next row, or null with 259 at the end (or 1627 on a failure).
LibmsiRecord* Fetch(LibmsiQuery* query, unsigned& errorNumber)
{
    GError* error = nullptr;
    LibmsiRecord* row = libmsi_query_fetch(query, &error);
    if (!row) {
        // The end of the rows comes without an error.
        errorNumber = error ? InstallerError::kFunctionFailed : InstallerError::kNoMoreItems;
    }
    if (error)
        g_error_free(error);
    return row;
}

QString StringField(LibmsiRecord* row, guint field)
{
    gchar* text = libmsi_record_get_string(row, field);
    const QString value = QString::fromUtf8(text ? text : "");
    g_free(text);
    return value;
}

}  // namespace

std::unique_ptr<MsiPackage> MsiPackage::Open(const QString& path, Mode mode)
{
    const QByteArray file = QFile::encodeName(path);
    struct stat status {};
    if (mode == Mode::Transacted) {
        // A read-only package refuses an update, as the read-only attribute makes the system's open fail.
        // libmsi would write the new file beside it and rename it over the old one, which the folder
        // allows (and root may write anything): the owner's write bit decides.
        if (::stat(file.constData(), &status) != 0 || !(status.st_mode & S_IWUSR))
            return nullptr;
    }
    const guint flags = mode == Mode::ReadOnly ? LIBMSI_DB_FLAGS_READONLY : LIBMSI_DB_FLAGS_TRANSACT;
    GError* error = nullptr;
    // A file that is no package gives null, sometimes without an error.
    LibmsiDatabase* database = libmsi_database_new(file.constData(), flags, nullptr, &error);
    if (error)
        g_error_free(error);
    if (!database)
        return nullptr;
    return std::unique_ptr<MsiPackage>(new MsiPackage(database, file, mode == Mode::Transacted, status.st_mode & 07777,
                                                       status.st_uid, status.st_gid));
}

MsiPackage::MsiPackage(LibmsiDatabase* database, const QByteArray& file, bool updatable, unsigned mode,
                       unsigned owner, unsigned group)
    : m_database(database), m_file(file), m_updatable(updatable), m_mode(mode), m_owner(owner), m_group(group)
{
}

// Releasing the database also removes libmsi's ".gsf-save-*" file beside the package.
MsiPackage::~MsiPackage() { g_object_unref(m_database); }

std::optional<QString> MsiPackage::PropertyValue(const QString& name, unsigned* error) const
{
    ExecutedQuery executed;
    Execute(executed, m_database, "SELECT `Property`, `Value` FROM `Property` WHERE `Property` = ?", {name});
    unsigned errorNumber = executed.error;
    std::optional<QString> value;
    if (executed.query) {
        GObjectRef<LibmsiRecord> row(Fetch(executed.query.object, errorNumber));
        if (row) {
            value = StringField(row.object, 2);
            errorNumber = InstallerError::kSuccess;
        }
    }
    if (error)
        *error = errorNumber;
    return value;
}

bool MsiPackage::AssignProperty(const QString& name, const QString& value)
{
    // libmsi's UPDATE of a missing row reports success: the row is fetched first.
    if (!PropertyValue(name))
        return false;
    ExecutedQuery executed;
    Execute(executed, m_database, "UPDATE `Property` SET `Value` = ? WHERE `Property` = ?", {value, name});
    return static_cast<bool>(executed.query);
}

QString MsiPackage::RevisionNumber() const
{
    GError* error = nullptr;
    GObjectRef<LibmsiSummaryInfo> info(libmsi_summary_info_new(m_database, 0, &error));
    if (error)
        g_error_free(error);
    if (!info)
        return {};
    error = nullptr;
    const gchar* text = libmsi_summary_info_get_string(info.object, LIBMSI_PROPERTY_UUID, &error);
    const QString value = QString::fromUtf8(text ? text : "");
    if (error)
        g_error_free(error);
    return value;
}

bool MsiPackage::SetRevisionNumber(const QString& packageCode)
{
    GError* error = nullptr;
    GObjectRef<LibmsiSummaryInfo> info(libmsi_summary_info_new(m_database, 1, &error));
    if (!Succeeded(info.object != nullptr, error))
        return false;
    error = nullptr;
    if (!Succeeded(libmsi_summary_info_set_string(info.object, LIBMSI_PROPERTY_UUID,
                                                  packageCode.toUtf8().constData(), &error),
                   error))
        return false;
    error = nullptr;
    return Succeeded(libmsi_summary_info_persist(info.object, &error), error);
}

QStringList MsiPackage::ExternalCabinets() const
{
    QStringList cabinets;
    ExecutedQuery executed;
    Execute(executed, m_database, "SELECT `DiskId`, `Cabinet` FROM `Media`", {});
    if (!executed.query)
        return cabinets;
    unsigned errorNumber = 0;
    while (true) {
        GObjectRef<LibmsiRecord> row(Fetch(executed.query.object, errorNumber));
        if (!row)
            break;
        const QString cabinet = StringField(row.object, 2);
        // '#' names a cabinet carried inside the package.
        if (!cabinet.isEmpty() && !cabinet.startsWith(u'#'))
            cabinets << cabinet;
    }
    return cabinets;
}

std::unique_ptr<MsiStream> MsiPackage::OpenStream(const QString& name, unsigned& error) const
{
    ExecutedQuery executed;
    Execute(executed, m_database, "SELECT `Name`, `Data` FROM `_Streams` WHERE `Name` = ?", {name});
    error = executed.error;
    if (!executed.query)
        return nullptr;
    GObjectRef<LibmsiRecord> row(Fetch(executed.query.object, error));
    if (!row)
        return nullptr;
    GInputStream* stream = libmsi_record_get_stream(row.object, 2);
    if (!stream) {
        error = InstallerError::kFunctionFailed;
        return nullptr;
    }
    error = InstallerError::kSuccess;
    return std::make_unique<MsiStream>(stream);
}

bool MsiPackage::Commit()
{
    GError* error = nullptr;
    if (!Succeeded(libmsi_database_commit(m_database, &error), error))
        return false;
    if (!m_updatable)
        return true;
    // The committed package is a new file of this process: it keeps the old one's mode, and its owner
    // where the process may give a file away (root). The owner goes first: a change of owner clears the
    // set-id bits.
    struct stat status {};
    if (::stat(m_file.constData(), &status) == 0 && (status.st_uid != m_owner || status.st_gid != m_group)) {
        [[maybe_unused]] const int given = ::chown(m_file.constData(), m_owner, m_group);
    }
    return ::chmod(m_file.constData(), m_mode) == 0;
}
