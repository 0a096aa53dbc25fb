#include "documentfiles.h"

#include "documentfilesystem.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <chrono>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace lodgix {

namespace {

constexpr char kReceiptPrefix[] = "Recv";
constexpr char kInvoicePrefix[] = "Fatt";
constexpr char kPolicePrefix[] = "PS";
constexpr char kExtension[] = ".psx";
constexpr int kNumberDigits = 5;
// The temporary file of a document being issued: "issue-XXXXXX.tmp".
constexpr char kIssuePrefix[] = "issue-";
constexpr char kIssueSuffix[] = ".tmp";
// Older than this, a temporary file belongs to an issue that never ended (a crash between writing it and
// claiming the number); an issue in progress takes seconds.
constexpr auto kStaleIssueAge = std::chrono::hours(24);

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

enum class Claim { kClaimed, kTaken, kRefused, kFailed };

// A hard link shows the numbered name with the whole file in one step and never replaces a file. NFS may
// answer the repeat of a link it made with EEXIST: the temporary file's second name tells.
Claim ClaimByLink(DocumentFileSystem& files, QTemporaryFile& temporary, const QByteArray& target)
{
    if (files.Link(QFile::encodeName(temporary.fileName()).constData(), target.constData()) == 0)
        return Claim::kClaimed;
    const int error = errno;
    struct stat status {};
    if (::fstat(temporary.handle(), &status) == 0 && status.st_nlink == 2)
        return Claim::kClaimed;
    return error == EEXIST ? Claim::kTaken : Claim::kRefused;
}

// Where hard links are refused (SMB without Unix extensions, FAT): the name is claimed by creating it
// exclusively, atomic on local disks, NFS v3 and later and SMB, and the whole file then takes the empty
// claim's place, so that a reader sees an empty file or the whole one.
Claim ClaimByCreating(DocumentFileSystem& files, QTemporaryFile& temporary, const QByteArray& target)
{
    const int claim = files.CreateExclusive(target.constData());
    if (claim < 0)
        return errno == EEXIST ? Claim::kTaken : Claim::kFailed;
    ::close(claim);
    if (files.Rename(QFile::encodeName(temporary.fileName()).constData(), target.constData()) != 0) {
        ::unlink(target.constData());  // the number is free again
        return Claim::kFailed;
    }
    temporary.setAutoRemove(false);  // its name is gone; another file may take it
    return Claim::kClaimed;
}

// Writes the bytes of each number from `number` on under a temporary name and claims the number's name
// with it, until a name is free.
QString IssueFile(const QString& folder, int number, const std::function<QString(int)>& name,
                  const std::function<QByteArray(int)>& bytes, DocumentFileSystem& files)
{
    if (number < 1)
        return {};
    bool linksRefused = false;
    for (; number <= kMaxDocumentNumber; ++number) {
        QTemporaryFile file(QDir(folder).filePath(QLatin1String(kIssuePrefix) + QStringLiteral("XXXXXX") +
                                                   QLatin1String(kIssueSuffix)));
        const QByteArray content = bytes(number);
        if (!file.open() || file.write(content) != content.size() || !file.flush() || ::fsync(file.handle()) != 0)
            return {};
        const QByteArray target = QFile::encodeName(QDir(folder).filePath(name(number)));
        Claim claim = linksRefused ? Claim::kRefused : ClaimByLink(files, file, target);
        if (claim == Claim::kRefused) {
            linksRefused = true;
            claim = ClaimByCreating(files, file, target);
        }
        if (claim == Claim::kClaimed)
            return name(number);
        if (claim != Claim::kTaken)
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

std::optional<DocumentFileNumber> ParseDocumentFileName(const QString& name)
{
    constexpr qsizetype kPrefixLength = sizeof kReceiptPrefix - 1;
    constexpr qsizetype kYearDigits = 4;
    if (name.size() != kPrefixLength + kYearDigits + kNumberDigits + qsizetype(sizeof kExtension) - 1 ||
        !name.endsWith(QLatin1String(kExtension)))
        return std::nullopt;
    DocumentFileNumber parsed;
    if (name.startsWith(QLatin1String(kInvoicePrefix)))
        parsed.kind = DocumentKind::kInvoice;
    else if (!name.startsWith(QLatin1String(kReceiptPrefix)))
        return std::nullopt;
    bool yearOk = false;
    bool numberOk = false;
    parsed.year = name.mid(kPrefixLength, kYearDigits).toInt(&yearOk);
    parsed.number = name.mid(kPrefixLength + kYearDigits, kNumberDigits).toInt(&numberOk);
    if (!yearOk || !numberOk || parsed.number < 1)
        return std::nullopt;
    return parsed;
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

QString IssueDocumentFile(const QString& folder, DocumentKind kind, int year, int number, DocumentRecord& record,
                          DocumentFileSystem& files)
{
    DocumentRecord numbered = record;
    const QString name = IssueFile(
        folder, number, [&](int n) { return DocumentFileName(kind, year, n); },
        [&](int n) {
            numbered.number = DocumentNumberText(n, year);
            return numbered.Encode();
        },
        files);
    if (!name.isEmpty())
        record = std::move(numbered);
    return name;
}

QString IssuePoliceForm(const QString& folder, const QDate& date, int number, const PoliceForm& form,
                        DocumentFileSystem& files)
{
    const QByteArray bytes = form.Encode();
    return IssueFile(
        folder, number, [&](int n) { return PoliceFormFileName(date, n); }, [&](int) { return bytes; }, files);
}

int RemoveStaleIssueFiles(const QString& folder, const QDateTime& now)
{
    const QString pattern = QLatin1String(kIssuePrefix) + u'*' + QLatin1String(kIssueSuffix);
    const QDateTime limit = now.addSecs(-std::chrono::duration_cast<std::chrono::seconds>(kStaleIssueAge).count());
    int removed = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList({pattern}, QDir::Files | QDir::Hidden)) {
        if (file.lastModified() < limit && QFile::remove(file.filePath()))
            ++removed;
    }
    return removed;
}

}  // namespace lodgix
