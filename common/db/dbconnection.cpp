#include "dbconnection.h"

#include "engineerrorcode.h"
#include "sqldate.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

#include <atomic>

namespace {

std::atomic<int> g_connectionCounter{0};
// Prepared statements kept per connection; the engine uses a few dozen texts per PBX.
constexpr qsizetype kMaxPreparedStatements = 256;

bool ChangesSchema(const QString& sql)
{
    const QString head = sql.trimmed().left(6).toUpper();
    return head.startsWith(QStringLiteral("CREATE")) || head.startsWith(QStringLiteral("DROP")) ||
           head.startsWith(QStringLiteral("ALTER"));
}

QString DateText(const OleDate& date)
{
    const QLocale locale;
    return locale.toString(date.Date(), QLocale::ShortFormat) + u' ' +
           locale.toString(date.Time(), QStringLiteral("HH:mm:ss"));
}

}  // namespace

CDbConnection::CDbConnection() : CDbConnection(DbParameters{}) {}

CDbConnection::CDbConnection(const DbParameters& parameters)
    : m_parameters(parameters),
      m_dialect(SqlDialect::For(parameters.backend)),
      m_connectionName(QStringLiteral("CDbConnection-%1").arg(++g_connectionCounter))
{
}

CDbConnection::~CDbConnection() { Close(); }

void CDbConnection::SetParameters(const DbParameters& parameters)
{
    m_parameters = parameters;
    if (m_dialect->Backend() != parameters.backend)
        m_dialect = SqlDialect::For(parameters.backend);
}

void CDbConnection::SetTarget(const QString& serverName, bool withCatalog)
{
    m_serverName = serverName;
    m_withCatalog = withCatalog;
}

QSqlDatabase CDbConnection::Database() const { return QSqlDatabase::database(m_connectionName, false); }

int CDbConnection::Open()
{
    Close();
    bool opened = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(m_dialect->DriverName(), m_connectionName);
        m_dialect->Configure(database, m_parameters, m_serverName, m_withCatalog);
        opened = database.open();
        if (!opened)
            m_lastError = database.lastError().text();
    }
    if (!opened) {
        QSqlDatabase::removeDatabase(m_connectionName);
        return kDbConnectionFailed;
    }
    m_open = true;
    m_dialect->ForgetSchema();
    for (const QString& statement : m_dialect->SessionStatements(m_withCatalog)) {
        if (OpenRecordset(statement) != kNoError) {
            Close();
            return kDbConnectionFailed;
        }
    }
    CloseRecordset();
    return kNoError;
}

int CDbConnection::Close()
{
    m_query.reset();
    m_record.clear();
    m_prepared.clear();
    m_eof = true;
    m_transactionDepth = 0;
    m_rollbackOnly = false;
    if (!m_open)
        return kNoError;
    {
        QSqlDatabase database = Database();
        database.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_open = false;
    return kNoError;
}

bool CDbConnection::IsOpen() const { return m_open && Database().isOpen(); }

int CDbConnection::OpenRecordset(const QString& sql, const QVariantList& values)
{
    CloseRecordset();
    if (!m_open) {
        m_lastError = QStringLiteral("not connected");
        return kDbStatementFailed;
    }
    m_dialect->BeforeStatement(Database());
    std::shared_ptr<QSqlQuery> query;
    bool ran = false;
    if (values.isEmpty()) {
        query = std::make_shared<QSqlQuery>(Database());
        query->setForwardOnly(true);
        ran = query->exec(sql);
        if (ChangesSchema(sql)) {
            // Statements prepared against the old schema may no longer fit it.
            m_prepared.clear();
            m_dialect->ForgetSchema();
        }
    } else {
        // A statement kept from an earlier use is tried once more freshly prepared when it fails: another
        // program may have changed the table since (PostgreSQL refuses a plan whose columns changed).
        if (!m_dialect->KeepsPreparedStatements())
            m_prepared.clear();
        const bool reused = m_prepared.contains(sql);
        for (int attempt = reused ? 0 : 1; attempt < 2 && !ran; ++attempt) {
            query = attempt == 0 ? m_prepared.value(sql) : PrepareStatement(sql);
            if (!query)
                break;
            for (qsizetype i = 0; i < values.size(); ++i)
                query->bindValue(static_cast<int>(i), values.at(i));
            ran = query->exec();
            if (!ran)
                m_prepared.remove(sql);
        }
        if (!query)
            return kDbStatementFailed;  // not even prepared: PrepareStatement kept the reason
    }
    if (!ran) {
        m_lastError = query->lastError().text();
        query->finish();
        return kDbStatementFailed;
    }
    m_eof = !(query->isSelect() && query->next());
    m_query = std::move(query);
    if (m_query->isSelect()) {
        m_record = m_query->record();
        for (int i = m_record.count() - 1; i >= 0; --i) {
            // The first of two equal names wins, as QSqlRecord::indexOf has it.
            m_fieldIndex.insert(m_record.fieldName(i), i);
            m_fieldIndex.insert(m_record.fieldName(i).toLower(), i);
        }
        m_dateColumn.assign(static_cast<std::size_t>(m_record.count()), -1);
    }
    return kNoError;
}

std::shared_ptr<QSqlQuery> CDbConnection::PrepareStatement(const QString& sql)
{
    if (m_prepared.size() >= kMaxPreparedStatements)
        m_prepared.clear();
    auto query = std::make_shared<QSqlQuery>(Database());
    query->setForwardOnly(true);
    if (!query->prepare(sql)) {
        m_lastError = query->lastError().text();
        return nullptr;
    }
    m_prepared.insert(sql, query);
    return query;
}

int CDbConnection::CloseRecordset()
{
    if (m_query)
        m_query->finish();
    m_query.reset();
    m_record.clear();
    m_fieldIndex.clear();
    m_dateColumn.clear();
    m_eof = true;
    return kNoError;
}

int CDbConnection::MoveNext()
{
    if (!m_query || m_eof)
        return kDbStatementFailed;
    m_eof = !m_query->next();
    return kNoError;
}

int CDbConnection::RowsAffected() const { return m_query ? m_query->numRowsAffected() : -1; }

int CDbConnection::FieldIndex(const QString& field) const
{
    if (!m_query || m_eof)
        return -1;
    // Names compare without case; the exact spelling is found without making a lower-case copy.
    const auto exact = m_fieldIndex.constFind(field);
    if (exact != m_fieldIndex.constEnd())
        return exact.value();
    return m_fieldIndex.value(field.toLower(), -1);
}

int CDbConnection::GetFieldValue(const QString& field, QString& text, double& number) const
{
    text.clear();
    number = 0;
    const int index = FieldIndex(field);
    if (index < 0)
        return kDbStatementFailed;
    const QVariant value = m_query->value(index);
    if (value.isNull())
        return kNoError;
    switch (value.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        number = value.toDouble();
        text = QString::number(value.toLongLong());
        return kNoError;
    case QMetaType::Float:
    case QMetaType::Double:
        number = value.toDouble();
        text = QString::asprintf("%f", number);
        return kNoError;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        break;
    default:
        if (!IsDateColumn(index, field)) {
            text = value.toString();
            return kNoError;
        }
        break;
    }
    const OleDate date = DateFromStored(value);
    if (!date.IsValid()) {
        text = value.toString();
        return kNoError;
    }
    text = DateText(date);
    number = date.Value();
    return kNoError;
}

bool CDbConnection::IsDateColumn(int index, const QString& field) const
{
    signed char& known = m_dateColumn[static_cast<std::size_t>(index)];
    if (known < 0)
        known = m_dialect->IsDateColumn(Database(), m_record.field(index).tableName(), field) ? 1 : 0;
    return known == 1;
}

int CDbConnection::GetFieldNumber(const QString& field, double& number) const
{
    number = 0;
    const int index = FieldIndex(field);
    if (index < 0)
        return kDbStatementFailed;
    const QVariant value = m_query->value(index);
    if (value.isNull() || value.metaType().id() == QMetaType::QString)
        return kNoError;
    bool ok = false;
    const double converted = value.toDouble(&ok);
    number = ok ? converted : 0;
    return kNoError;
}

int CDbConnection::GetFieldDate(const QString& field, OleDate& date) const
{
    date = OleDate::Invalid();
    const int index = FieldIndex(field);
    if (index < 0)
        return kDbStatementFailed;
    const QVariant value = m_query->value(index);
    if (value.isNull())
        return kNoError;
    date = DateFromStored(value);
    return date.IsValid() ? kNoError : kDbStatementFailed;
}

int CDbConnection::RunControl(const QString& sql)
{
    const int result = OpenRecordset(sql);
    CloseRecordset();
    return result;
}

int CDbConnection::BeginTransaction()
{
    if (m_transactionDepth > 0) {
        ++m_transactionDepth;
        return kNoError;
    }
    const int result = RunControl(m_dialect->BeginTransaction());
    if (result == kNoError) {
        m_transactionDepth = 1;
        m_rollbackOnly = false;
    }
    return result;
}

int CDbConnection::CommitTransaction()
{
    if (m_transactionDepth == 0)
        return kDbStatementFailed;
    if (--m_transactionDepth > 0)
        return kNoError;
    if (m_rollbackOnly) {
        RunControl(QStringLiteral("ROLLBACK"));
        m_rollbackOnly = false;
        return kDbStatementFailed;
    }
    const int result = RunControl(QStringLiteral("COMMIT"));
    if (result != kNoError)
        RunControl(QStringLiteral("ROLLBACK"));
    return result;
}

int CDbConnection::RollbackTransaction()
{
    if (m_transactionDepth == 0)
        return kDbStatementFailed;
    if (--m_transactionDepth > 0) {
        m_rollbackOnly = true;
        return kNoError;
    }
    m_rollbackOnly = false;
    return RunControl(QStringLiteral("ROLLBACK"));
}
