#include "wabimport.h"

#include "registrykey.h"
#include "tempsuite.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class WabImportTest : public ::testing::Test {
protected:
    // Writes the cards as the configured address book (Registry.ini [Contacts] AddressBook).
    void WriteBook(const QByteArray& cards)
    {
        const QString path = m_suite.SuiteFolder() + QStringLiteral("rubrica.vcf");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(cards), cards.size());
        file.close();
        ASSERT_TRUE(RegistryKey(ContactSource::kRegistryKey).WriteString(ContactSource::kAddressBookName, path));
    }
    static QByteArray Card(const QByteArray& name, const QByteArray& lines = {})
    {
        return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + name + "\r\n" + lines + "END:VCARD\r\n";
    }

    TempSuite m_suite;
};

TEST_F(WabImportTest, KeepsTheFirstThousandIndividualsInBookOrder)
{
    QByteArray cards = Card("Gruppo", "KIND:group\r\n");
    for (int i = 0; i < 1500; ++i)
        cards += Card("Contatto " + QByteArray::number(i), "TEL:" + QByteArray::number(i) + "\r\n");
    WriteBook(cards);
    CWabImport book;
    ASSERT_TRUE(book.IsOpened());
    std::uint16_t count = 0;
    EXPECT_EQ(book.ReadEntryIds(count), CWabImport::kReadDone);
    ASSERT_EQ(count, CWabImport::kMaxEntries);
    for (std::uint16_t index : {0, 1, 999}) {
        ASSERT_NE(book.SelectEntry(index), nullptr);
        book.ReadEntryProperties();
        EXPECT_EQ(book.GetTextProperty(CWabImport::kDisplayName), QStringLiteral("Contatto %1").arg(index));
        EXPECT_EQ(book.GetTextProperty(CWabImport::kHomeTelephoneNumber), QString::number(index));
    }
    EXPECT_EQ(book.SelectEntry(count), nullptr);
}

TEST_F(WabImportTest, GroupsAndOtherKindsAreNoMailUsers)
{
    WriteBook(Card("Amici", "KIND:group\r\n") + Card("Rossi") + Card("Ditta", "KIND:org\r\n") +
              Card("Colleghi", "X-ADDRESSBOOK-SERVER-KIND:group\r\n") + Card("Verdi", "KIND:individual\r\n"));
    CWabImport book;
    std::uint16_t count = 0;
    ASSERT_EQ(book.ReadEntryIds(count), CWabImport::kReadDone);
    ASSERT_EQ(count, 2);
    QStringList names;
    for (std::uint16_t index = 0; index < count; ++index) {
        book.SelectEntry(index);
        book.ReadEntryProperties();
        names << book.GetTextProperty(CWabImport::kDisplayName);
    }
    EXPECT_EQ(names, (QStringList{"Rossi", "Verdi"}));
}

TEST_F(WabImportTest, TextPropertiesByTagAndType)
{
    WriteBook(Card("Rossi", "TEL;TYPE=HOME:06 1\r\nTEL;TYPE=HOME:06 2\r\nTEL;TYPE=HOME:06 3\r\n"
                            "TEL;TYPE=CELL:333\r\nEMAIL:r@example.org\r\nADR;TYPE=WORK:;;Via Po 3;Roma;RM;00100;Italia\r\n"));
    CWabImport book;
    std::uint16_t count = 0;
    ASSERT_EQ(book.ReadEntryIds(count), CWabImport::kReadDone);
    ASSERT_EQ(count, 1);
    // Nothing is read before the entry's properties are.
    EXPECT_EQ(book.GetTextProperty(CWabImport::kDisplayName), QString());
    book.SelectEntry(0);
    book.ReadEntryProperties();
    const struct {
        std::uint32_t tag;
        const char* text;
    } cases[] = {
        {CWabImport::kHomeTelephoneNumber, "06 1"},
        {CWabImport::AllValues(CWabImport::kHomeTelephoneNumber), "06 1\n06 2\n06 3\n"},
        {CWabImport::kHome2TelephoneNumber, "06 2"},
        {CWabImport::AllValues(CWabImport::kHome2TelephoneNumber), "06 2\n06 3\n"},
        {CWabImport::kMobileTelephoneNumber, "333"},
        {CWabImport::AllValues(CWabImport::kMobileTelephoneNumber), "333\n"},
        {CWabImport::kEmailAddress, "r@example.org"},
        {CWabImport::kStreetAddress, "Via Po 3"},
        {CWabImport::kLocality, "Roma"},
        {CWabImport::kStateOrProvince, "RM"},
        {CWabImport::kPostalCode, "00100"},
        {CWabImport::kCountry, "Italia"},
        {CWabImport::kBusinessTelephoneNumber, ""},         // a property the card has not
        {(CWabImport::kDisplayName & ~CWabImport::kTypeMask) | 0x0003, ""},  // a type that is no text
        {0x12340000 | CWabImport::kTypeText, ""},            // a tag of no field
    };
    for (const auto& c : cases)
        EXPECT_EQ(book.GetTextProperty(c.tag), QString::fromUtf8(c.text)) << std::hex << c.tag;
}

TEST_F(WabImportTest, AMissingOrBrokenBookIsNotOpenedAndReadsNothing)
{
    for (const QByteArray& contents : {QByteArray(), QByteArray("no cards here\n"), Card("Uno") + "BEGIN:VCARD\r\n"}) {
        WriteBook(contents);
        CWabImport book;
        EXPECT_FALSE(book.IsOpened()) << contents.toStdString();
    }
    ASSERT_TRUE(RegistryKey(ContactSource::kRegistryKey)
                    .WriteString(ContactSource::kAddressBookName, m_suite.SuiteFolder() + QStringLiteral("none.vcf")));
    CWabImport book;
    EXPECT_FALSE(book.IsOpened());
    std::uint16_t count = 7;
    EXPECT_EQ(book.ReadEntryIds(count), CWabImport::kNotOpened);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(book.SelectEntry(0), nullptr);
    book.ReadEntryProperties();
    EXPECT_EQ(book.GetTextProperty(CWabImport::kDisplayName), QString());
}

}  // namespace
