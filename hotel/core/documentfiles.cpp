#include "documentfiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <functional>
#include <unistd.h>

namespace lodgix {

namespace {

constexpr char kReceiptPrefix[] = "Recv";
constexpr char kInvoicePrefix[] = "Fatt";
constexpr char kPolicePrefix[] = "PS";
constexpr char kExtension[] = ".psx";
constexpr int kNumberDigits = 5;

bool WriteWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

// The whole file, when it is no larger than `limit` bytes.
std::optional<QByteArray> ReadUpTo(const QString& path, qsizetype limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit)
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// The largest number of the files "prefix + fixed digits + 5-digit number + .psx" of exactly that length.
int NextNumber(const QString& folder, const QString& prefix, int fixedDigits)
{
    const QString pattern = prefix + u'*' + QLatin1String(kExtension);
    const qsizetype length = prefix.size() + fixedDigits + kNumberDigits + qsizetype(sizeof kExtension) - 1;
    const QStringList names = QDir(folder).entryList({pattern}, QDir::Files);
    bool found = false;
    int largest = 1;
    for (const QString& name : names) {
        if (name.size() != length)
            continue;
        bool numeric = false;
        const int number = name.mid(prefix.size() + fixedDigits, kNumberDigits).toInt(&numeric);
        if (!numeric)
            continue;
        found = true;
        largest = std::max(largest, number);
    }
    if (!found)
        return 1;
    return largest + 1 > kMaxDocumentNumber ? 0 : largest + 1;
}

QString Prefix(DocumentKind kind)
{
    return QLatin1String(kind == DocumentKind::kReceipt ? kReceiptPrefix : kInvoicePrefix);
}

// Writes the bytes of each number from `number` on under a temporary name and links it to the number's
// name until a name is free.
QString IssueFile(const QString& folder, int number, const std::function<QString(int)>& name,
                  const std::function<QByteArray(int)>& bytes)
{
    if (number < 1)
        return {};
    for (; number <= kMaxDocumentNumber; ++number) {
        QTemporaryFile file(QDir(folder).filePath(QStringLiteral("issue-XXXXXX.tmp")));
        const QByteArray content = bytes(number);
        if (!file.open() || file.write(content) != content.size() || !file.flush() || ::fsync(file.handle()) != 0)
            return {};
        const QString target = QDir(folder).filePath(name(number));
        // A hard link never replaces a file: of two workstations that chose one number, one gets it.
        if (::link(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(target).constData()) == 0)
            return name(number);
        if (errno != EEXIST)
            return {};
    }
    return {};
}

}  // namespace

bool SaveDocumentFile(const DocumentRecord& record, const QString& path) { return WriteWhole(path, record.Encode()); }

bool LoadDocumentFile(DocumentRecord& record, const QString& path)
{
    const std::optional<QByteArray> bytes = ReadUpTo(path, DocumentRecord::kSize);
    if (!bytes)
        return false;
    std::optional<DocumentRecord> decoded = DocumentRecord::Decode(*bytes);
    if (!decoded)
        return false;
    record = std::move(*decoded);
    return true;
}

bool SavePoliceForms(const PoliceForm& form, const QString& path) { return WriteWhole(path, form.Encode()); }

bool LoadPoliceForms(PoliceForm& form, const QString& path)
{
    const qsizetype limit = PoliceForm::kHeaderSize + qsizetype(PoliceForm::kMaxEntries) * PoliceFormEntry::kSize;
    const std::optional<QByteArray> bytes = ReadUpTo(path, limit);
    if (!bytes)
        return false;
    std::optional<PoliceForm> decoded = PoliceForm::Decode(*bytes);
    if (!decoded)
        return false;
    form = std::move(*decoded);
    return true;
}

QString DocumentFileName(DocumentKind kind, int year, int number)
{
    return QStringLiteral("%1%2%3%4")
        .arg(Prefix(kind))
        .arg(year, 4, 10, QChar(u'0'))
        .arg(number, kNumberDigits, 10, QChar(u'0'))
        .arg(QLatin1String(kExtension));
}

QString PoliceFormFileName(const QDate& date, int number)
{
    return QLatin1String(kPolicePrefix) + date.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral("%1").arg(number, kNumberDigits, 10, QChar(u'0')) + QLatin1String(kExtension);
}

int NextReceiptNumber(const QString& folder, int year)
{
    return NextNumber(folder, QLatin1String(kReceiptPrefix) + QStringLiteral("%1").arg(year, 4, 10, QChar(u'0')), 0);
}

int NextInvoiceNumber(const QString& folder, int year)
{
    return NextNumber(folder, QLatin1String(kInvoicePrefix) + QStringLiteral("%1").arg(year, 4, 10, QChar(u'0')), 0);
}

int NextPoliceFormNumber(const QString& folder) { return NextNumber(folder, QLatin1String(kPolicePrefix), 8); }

QString IssueDocumentFile(const QString& folder, DocumentKind kind, int year, int number, DocumentRecord& record)
{
    DocumentRecord numbered = record;
    const QString name = IssueFile(
        folder, number, [&](int n) { return DocumentFileName(kind, year, n); },
        [&](int n) {
            numbered.number = DocumentNumberText(n, year);
            return numbered.Encode();
        });
    if (!name.isEmpty())
        record = std::move(numbered);
    return name;
}

QString IssuePoliceForm(const QString& folder, const QDate& date, int number, const PoliceForm& form)
{
    const QByteArray bytes = form.Encode();
    return IssueFile(
        folder, number, [&](int n) { return PoliceFormFileName(date, n); }, [&](int) { return bytes; });
}

}  // namespace lodgix
