#include "documentfiles.h"

#include "binaryrecord.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

namespace lodgix {
namespace {

// A share that refuses what the errors name (0: the call goes through).
class RefusingFileSystem : public DocumentFileSystem {
public:
    int linkError = 0;
    int createError = 0;
    int renameError = 0;
    int links = 0;

    int Link(const char* from, const char* to) override
    {
        ++links;
        return Refuse(linkError) ? -1 : DocumentFileSystem::Link(from, to);
    }
    int CreateExclusive(const char* path) override
    {
        return Refuse(createError) ? -1 : DocumentFileSystem::CreateExclusive(path);
    }
    int Rename(const char* from, const char* to) override
    {
        return Refuse(renameError) ? -1 : DocumentFileSystem::Rename(from, to);
    }

private:
    static bool Refuse(int error)
    {
        if (error == 0)
            return false;
        errno = error;
        return true;
    }
};

class DocumentFilesTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_folder.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray Read(const QString& name)
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static DocumentRecord Invoice()
    {
        DocumentRecord record;
        record.issued = OleDate(2026, 3, 5, 10, 0, 0);
        record.number = DocumentNumberText(12, 2026);
        record.paymentType = QStringLiteral("Carta di credito");
        record.guestName = QStringLiteral("Mario Rossi");
        record.companyName = QStringLiteral("Aurora S.p.A.");
        record.companyCity = QStringLiteral("Forlì");
        record.companyVatNumber = QStringLiteral("01234567890");
        record.type = DocumentRecord::kInvoice;
        record.lines = {BillLine::Make(QStringLiteral("Camera"), 3, Money::FromCents(1220), VatRate::FromHundredths(2200)),
                        BillLine::Make(QStringLiteral("Telefono"), 1, Money::FromCents(35), VatRate::FromHundredths(2000))};
        record.companyTaxCode = QStringLiteral("RSSMRA80A01H501U");
        return record;
    }

    QTemporaryDir m_folder;
};

TEST_F(DocumentFilesTest, ADocumentKeepsEachFieldAtItsOffset)
{
    const DocumentRecord record = Invoice();
    ASSERT_TRUE(SaveDocumentFile(record, Path(QStringLiteral("Fatt202600012.psx"))));
    const QByteArray bytes = Read(QStringLiteral("Fatt202600012.psx"));
    ASSERT_EQ(bytes.size(), 24240);
    EXPECT_EQ(GetF64(bytes, 0), record.issued.Value());
    EXPECT_EQ(ReadAnsiField(bytes, 8, 32), QStringLiteral("12 / 2026"));
    EXPECT_EQ(ReadAnsiField(bytes, 168, 64), QStringLiteral("Aurora S.p.A."));
    EXPECT_EQ(ReadAnsiField(bytes, 296, 64), QStringLiteral("Forlì"));
    EXPECT_EQ(ReadAnsiField(bytes, 552, 64), QStringLiteral("01234567890"));
    EXPECT_EQ(GetU8(bytes, 616), 1);
    EXPECT_EQ(GetU16(bytes, 618), 2);
    EXPECT_EQ(ReadAnsiField(bytes, 620 + 92, 64), QStringLiteral("Telefono"));
    EXPECT_FLOAT_EQ(GetF32(bytes, 620 + 68 + 4 * 5), 36.60f);  // the first line's gross amount
    EXPECT_EQ(ReadAnsiField(bytes, 24172, 64), QStringLiteral("RSSMRA80A01H501U"));

    DocumentRecord loaded;
    ASSERT_TRUE(LoadDocumentFile(loaded, Path(QStringLiteral("Fatt202600012.psx"))));
    EXPECT_EQ(loaded, record);
}

TEST_F(DocumentFilesTest, OnlyTheTwoSizesOfADocumentAreRead)
{
    const QByteArray bytes = Invoice().Encode();
    struct Case {
        const char* name;
        QByteArray bytes;
        bool loads;
    };
    QByteArray tooManyLines = bytes;
    PutU16(tooManyLines, 618, 257);
    const Case cases[] = {{"24,177 bytes", bytes.left(24177), false},
                          {"24,176 bytes", bytes.left(24176), true},
                          {"24,241 bytes", bytes + 'x', false},
                          {"257 lines", tooManyLines, false},
                          {"empty", QByteArray(), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(QStringLiteral("doc.psx"), c.bytes);
        DocumentRecord loaded;
        loaded.guestName = QStringLiteral("untouched");
        ASSERT_EQ(LoadDocumentFile(loaded, Path(QStringLiteral("doc.psx"))), c.loads);
        if (c.loads) {
            EXPECT_EQ(loaded.companyTaxCode, QString());
            EXPECT_EQ(loaded.lines, Invoice().lines);
        } else {
            EXPECT_EQ(loaded.guestName, QStringLiteral("untouched"));
        }
    }
    DocumentRecord missing;
    EXPECT_FALSE(LoadDocumentFile(missing, Path(QStringLiteral("missing.psx"))));
}

TEST_F(DocumentFilesTest, PoliceFormsOfBothEntrySizesLoad)
{
    PoliceForm form;
    form.issued = OleDate(2026, 3, 5, 9, 0, 0);
    form.operatorId = 4;
    ASSERT_TRUE(SavePoliceForms(form, Path(QStringLiteral("PS2026030500001.psx"))));
    EXPECT_EQ(Read(QStringLiteral("PS2026030500001.psx")).size(), 12);
    PoliceForm loaded;
    loaded.entries.resize(3);
    ASSERT_TRUE(LoadPoliceForms(loaded, Path(QStringLiteral("PS2026030500001.psx"))));
    EXPECT_EQ(loaded, form);

    // Two older entries of 704 bytes, their bytes past the texts set.
    QByteArray older(12 + 2 * 704, '\x55');
    PutU16(older, 0, 2);
    PutF64(older, 2, form.issued.Value());
    PutU16(older, 10, 4);
    const qsizetype offsets[] = {0, 64, 128, 384, 640};
    const qsizetype widths[] = {64, 64, 256, 256, 64};
    for (int entry = 0; entry < 2; ++entry)
        for (int i = 0; i < 5; ++i)
            WriteAnsiField(older, 12 + entry * 704 + offsets[i], widths[i], QStringLiteral("e%1f%2").arg(entry).arg(i));
    Write(QStringLiteral("old.psx"), older);
    ASSERT_TRUE(LoadPoliceForms(loaded, Path(QStringLiteral("old.psx"))));
    ASSERT_EQ(loaded.entries.size(), 2u);
    EXPECT_EQ(loaded.entries[1].name, QStringLiteral("e1f0"));
    EXPECT_EQ(loaded.entries[1].arrival, QStringLiteral("e1f4"));
    EXPECT_EQ(loaded.entries[1].document, QString());
    EXPECT_EQ(loaded.operatorId, 4);

    // Saved again, the converted entries are whole 768-byte entries with nothing of the old bytes.
    ASSERT_TRUE(SavePoliceForms(loaded, Path(QStringLiteral("new.psx"))));
    const QByteArray converted = Read(QStringLiteral("new.psx"));
    ASSERT_EQ(converted.size(), 12 + 2 * 768);
    EXPECT_FALSE(converted.contains('\x55'));

    for (const qsizetype size : {qsizetype(11), qsizetype(12 + 768 - 1), qsizetype(12 + 704 + 1)}) {
        QByteArray bad(size, '\0');
        if (size >= 2)
            PutU16(bad, 0, 1);
        Write(QStringLiteral("bad.psx"), bad);
        EXPECT_FALSE(LoadPoliceForms(loaded, Path(QStringLiteral("bad.psx")))) << size;
    }
}

TEST(DocumentFileNames, ParseBackWhatTheyMake)
{
    const auto parsed = ParseDocumentFileName(DocumentFileName(DocumentKind::kInvoice, 2024, 7));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->kind, DocumentKind::kInvoice);
    EXPECT_EQ(parsed->year, 2024);
    EXPECT_EQ(parsed->number, 7);
    EXPECT_EQ(ParseDocumentFileName(QStringLiteral("Recv202499999.psx"))->kind, DocumentKind::kReceipt);
    for (const char* other : {"Recv2024000070.psx", "Recv202400000.psx", "Nota202400007.psx", "Recv2024000x7.psx",
                              "Recv202400007.txt", "PS2024010100007.psx"})
        EXPECT_FALSE(ParseDocumentFileName(QLatin1String(other))) << other;
}

TEST_F(DocumentFilesTest, NextNumbersCountNamesOfTheExactLength)
{
    const QString folder = m_folder.path();
    EXPECT_EQ(NextReceiptNumber(folder, 2025), 1);
    for (int n = 1; n <= 7; ++n)
        Write(DocumentFileName(DocumentKind::kReceipt, 2025, n), "x");
    Write(QStringLiteral("Recv2025000012x.psx"), "x");
    Write(QStringLiteral("Fatt202500040.psx"), "x");
    EXPECT_EQ(DocumentFileName(DocumentKind::kReceipt, 2025, 7), QStringLiteral("Recv202500007.psx"));
    EXPECT_EQ(NextReceiptNumber(folder, 2025), 8);
    EXPECT_EQ(NextReceiptNumber(folder, 2026), 1);
    EXPECT_EQ(NextInvoiceNumber(folder, 2025), 41);

    Write(PoliceFormFileName(QDate(2025, 12, 31), 9), "x");
    Write(PoliceFormFileName(QDate(2026, 1, 2), 3), "x");
    EXPECT_EQ(PoliceFormFileName(QDate(2026, 1, 2), 3), QStringLiteral("PS2026010200003.psx"));
    EXPECT_EQ(NextPoliceFormNumber(folder), 10);  // over all dates

    Write(DocumentFileName(DocumentKind::kInvoice, 2027, 99999), "x");
    EXPECT_EQ(NextInvoiceNumber(folder, 2027), 0);
    DocumentRecord record = Invoice();
    EXPECT_EQ(IssueDocumentFile(folder, DocumentKind::kInvoice, 2027, 99999, record), QString());
}

TEST_F(DocumentFilesTest, TwoProcessesIssuingOneNumberGetTwo)
{
    const QString folder = m_folder.path();
    const int first = NextReceiptNumber(folder, 2026);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    DocumentRecord record = Invoice();
    record.type = DocumentRecord::kReceipt;
    record.guestName = child == 0 ? QStringLiteral("child") : QStringLiteral("parent");
    const QString name = IssueDocumentFile(folder, DocumentKind::kReceipt, 2026, first, record);
    if (child == 0)
        _exit(name.isEmpty() ? 1 : 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_FALSE(name.isEmpty());

    QStringList guests;
    for (int n = 1; n <= 2; ++n) {
        DocumentRecord loaded;
        ASSERT_TRUE(LoadDocumentFile(loaded, QDir(folder).filePath(DocumentFileName(DocumentKind::kReceipt, 2026, n))));
        EXPECT_EQ(loaded.number, DocumentNumberText(n, 2026));
        guests << loaded.guestName;
    }
    guests.sort();
    EXPECT_EQ(guests, (QStringList{QStringLiteral("child"), QStringLiteral("parent")}));
    EXPECT_EQ(record.number, name == DocumentFileName(DocumentKind::kReceipt, 2026, 1) ? QStringLiteral("1 / 2026")
                                                                                       : QStringLiteral("2 / 2026"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);  // no temporary file left

    PoliceForm form;
    const QString formName = IssuePoliceForm(folder, QDate(2026, 3, 5), 2, form);
    EXPECT_EQ(formName, QStringLiteral("PS2026030500002.psx"));
    EXPECT_EQ(IssuePoliceForm(folder, QDate(2026, 3, 5), 2, form), QStringLiteral("PS2026030500003.psx"));
}

TEST_F(DocumentFilesTest, WithoutHardLinksTheNameIsClaimedByCreatingIt)
{
    const QString folder = m_folder.path();
    RefusingFileSystem share;
    share.linkError = EPERM;
    DocumentRecord record = Invoice();
    EXPECT_EQ(IssueDocumentFile(folder, DocumentKind::kInvoice, 2026, 1, record, share),
              DocumentFileName(DocumentKind::kInvoice, 2026, 1));
    Write(DocumentFileName(DocumentKind::kInvoice, 2026, 2), "taken");
    Write(DocumentFileName(DocumentKind::kInvoice, 2026, 3), "taken");
    EXPECT_EQ(IssueDocumentFile(folder, DocumentKind::kInvoice, 2026, 2, record, share),
              DocumentFileName(DocumentKind::kInvoice, 2026, 4));
    EXPECT_EQ(record.number, DocumentNumberText(4, 2026));
    EXPECT_EQ(share.links, 2);  // once refused, a call tries no more links
    for (const int n : {1, 4}) {
        DocumentRecord loaded;
        ASSERT_TRUE(LoadDocumentFile(loaded, Path(DocumentFileName(DocumentKind::kInvoice, 2026, n))));
        EXPECT_EQ(loaded.number, DocumentNumberText(n, 2026));
        EXPECT_EQ(loaded.companyName, QStringLiteral("Aurora S.p.A."));
    }
    EXPECT_EQ(Read(DocumentFileName(DocumentKind::kInvoice, 2026, 3)), QByteArray("taken"));
    PoliceForm form;
    EXPECT_EQ(IssuePoliceForm(folder, QDate(2026, 3, 5), 1, form, share), QStringLiteral("PS2026030500001.psx"));
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("issue-*")}, QDir::Files), QStringList());

    // A failure after the claim frees the number again; a refused creation fails the issue.
    struct Case {
        int createError;
        int renameError;
    };
    for (const Case c : {Case{0, EIO}, Case{EACCES, 0}}) {
        share.createError = c.createError;
        share.renameError = c.renameError;
        EXPECT_EQ(IssueDocumentFile(folder, DocumentKind::kReceipt, 2026, 1, record, share), QString());
        EXPECT_EQ(QDir(folder).entryList({QStringLiteral("Recv*"), QStringLiteral("issue-*")}, QDir::Files), QStringList());
    }
    EXPECT_EQ(record.number, DocumentNumberText(4, 2026));  // the record of a failed issue is unchanged
}

// Several workstations issuing receipts at once, each taking the next number as the front desk does:
// every number once, none skipped, every file whole, with hard links and without.
TEST_F(DocumentFilesTest, ProcessesIssuingAtOnceGetEveryNumberOnce)
{
    constexpr int kProcesses = 6;
    constexpr int kEach = 5;
    for (const bool links : {true, false}) {
        const QString folder = m_folder.filePath(links ? QStringLiteral("links") : QStringLiteral("nolinks"));
        ASSERT_TRUE(QDir().mkpath(folder));
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        std::vector<pid_t> children;
        for (int p = 0; p < kProcesses; ++p) {
            const pid_t child = fork();
            ASSERT_NE(child, -1);
            if (child != 0) {
                children.push_back(child);
                continue;
            }
            ::close(start[1]);
            char byte;
            (void)::read(start[0], &byte, 1);  // all go when the parent closes the pipe
            RefusingFileSystem share;
            share.linkError = links ? 0 : EOPNOTSUPP;
            DocumentRecord record = Invoice();
            record.type = DocumentRecord::kReceipt;
            record.guestName = QStringLiteral("station %1").arg(p);
            for (int i = 0; i < kEach; ++i) {
                const int next = NextReceiptNumber(folder, 2026);
                if (IssueDocumentFile(folder, DocumentKind::kReceipt, 2026, next, record, share).isEmpty())
                    _exit(1);
            }
            _exit(0);
        }
        ::close(start[0]);
        ::close(start[1]);
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }

        QStringList expected;
        for (int n = 1; n <= kProcesses * kEach; ++n)
            expected << DocumentFileName(DocumentKind::kReceipt, 2026, n);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), expected) << links;
        QMap<QString, int> perStation;
        for (int n = 1; n <= kProcesses * kEach; ++n) {
            DocumentRecord loaded;
            ASSERT_TRUE(LoadDocumentFile(loaded, QDir(folder).filePath(expected[n - 1]))) << n;
            EXPECT_EQ(loaded.number, DocumentNumberText(n, 2026));
            ++perStation[loaded.guestName];
        }
        EXPECT_EQ(perStation.size(), kProcesses);
        for (const int count : perStation)
            EXPECT_EQ(count, kEach);
    }
}

TEST_F(DocumentFilesTest, StaleTemporaryFilesAreRemoved)
{
    const QDateTime now = QDateTime::currentDateTime();
    struct Case {
        QString name;
        qint64 ageHours;
        bool removed;
    };
    const QList<Case> cases = {
        {QStringLiteral("issue-Ab12Cd.tmp"), 25, true},
        {QStringLiteral("issue-Xy34Zw.tmp"), 23, false},   // perhaps an issue still going
        {QStringLiteral("Recv202600001.psx"), 48, false},  // a document
        {QStringLiteral("issue-notes.txt"), 48, false},
    };
    for (const Case& c : cases) {
        Write(c.name, "partial");
        QFile file(Path(c.name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(now.addSecs(-c.ageHours * 3600), QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(RemoveStaleIssueFiles(m_folder.path(), now), 1);
    for (const Case& c : cases)
        EXPECT_EQ(QFile::exists(Path(c.name)), !c.removed) << qPrintable(c.name);
    EXPECT_EQ(RemoveStaleIssueFiles(m_folder.filePath(QStringLiteral("missing")), now), 0);
}

}  // namespace
}  // namespace lodgix
