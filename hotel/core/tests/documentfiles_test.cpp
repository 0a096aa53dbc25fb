#include "documentfiles.h"

#include "binaryrecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace lodgix {
namespace {

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

}  // namespace
}  // namespace lodgix
