#include "contactsource.h"

#include "registrykey.h"
#include "tempsuite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Lets a failed expectation name the status.
std::ostream& operator<<(std::ostream& out, ContactReadResult::Status status) { return out << static_cast<int>(status); }

namespace {

using Status = ContactReadResult::Status;

bool WriteFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

TEST(ContactSource, VCardsOfBothVersionsGiveEveryField)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rubrica.vcf"));
    // Folded lines (CR LF then a blank or a tab), grouped and quoted parameters, escapes, a tel: URI.
    ASSERT_TRUE(WriteFile(path,
                          "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Mario Ro\r\n ssi\r\nN:Rossi;Mario;;;\r\n"
                          "TEL;TYPE=HOME,VOICE:06 1234\r\nTEL;TYPE=HOME:06 5678\r\nTEL;TYPE=CELL:333 111\r\n"
                          "TEL;TYPE=CAR:333 222\r\nTEL;TYPE=WORK:02 1\r\nTEL;TYPE=WORK;TYPE=VOICE:02 2\r\n"
                          "TEL;TYPE=HOME,FAX:06 9\r\nTEL;TYPE=FAX:02 9\r\nTEL;TYPE=PAGER:555\r\n"
                          "item1.EMAIL;TYPE=INTERNET:m@casa.example\r\nEMAIL;TYPE=INTERNET,PREF:mario@\r\n\tufficio.example\r\n"
                          "ADR;TYPE=HOME:;;Via Casa 1;Roma;RM;00100;Italia\r\n"
                          "ADR;TYPE=WORK:;;Via Po 3\\, int. 2;Milano;MI;20100;Italia\r\n"
                          "URL:http://lavoro.example\r\nURL;TYPE=HOME:http://casa.example\r\nEND:VCARD\r\n"
                          "\r\n"
                          "BEGIN:VCARD\nVERSION:4.0\nN:Verdi;Anna;Maria;;\nTEL;VALUE=uri;TYPE=\"home,voice\":tel:+39-06-777\n"
                          "TEL;TYPE=\"cell\";PREF=1:+39 347 1\nNOTE:a:b\\nc\nEND:VCARD\n"));
    const ContactReadResult result = ContactSource::ReadAddressBook(path);
    ASSERT_EQ(result.status, Status::Read);
    ASSERT_EQ(result.contacts.size(), 2u);

    ContactRecord rossi;
    rossi.name = QStringLiteral("Mario Rossi");
    rossi.street = QStringLiteral("Via Po 3, int. 2");
    rossi.locality = QStringLiteral("Milano");
    rossi.province = QStringLiteral("MI");
    rossi.postalCode = QStringLiteral("20100");
    rossi.country = QStringLiteral("Italia");
    rossi.email = QStringLiteral("mario@ufficio.example");
    rossi.webPage = QStringLiteral("http://casa.example");
    rossi.home = QStringLiteral("06 1234");
    rossi.home2 = QStringLiteral("06 5678");
    rossi.mobile = QStringLiteral("333 111");
    rossi.car = QStringLiteral("333 222");
    rossi.business = QStringLiteral("02 1");
    rossi.business2 = QStringLiteral("02 2");
    rossi.homeFax = QStringLiteral("06 9");
    rossi.businessFax = QStringLiteral("02 9");
    rossi.emails = QStringList{"m@casa.example", "mario@ufficio.example"};
    rossi.webPages = QStringList{"http://lavoro.example", "http://casa.example"};
    rossi.homeNumbers = QStringList{"06 1234", "06 5678"};
    rossi.mobileNumbers = QStringList{"333 111"};
    rossi.carNumbers = QStringList{"333 222"};
    rossi.businessNumbers = QStringList{"02 1", "02 2"};
    rossi.homeFaxNumbers = QStringList{"06 9"};
    rossi.businessFaxNumbers = QStringList{"02 9"};
    EXPECT_EQ(result.contacts[0], rossi);

    ContactRecord verdi;
    verdi.name = QStringLiteral("Anna Maria Verdi");  // no FN: the structured name
    verdi.home = QStringLiteral("+39-06-777");
    verdi.mobile = QStringLiteral("+39 347 1");
    verdi.homeNumbers = QStringList{"+39-06-777"};
    verdi.mobileNumbers = QStringList{"+39 347 1"};
    EXPECT_EQ(result.contacts[1], verdi);
}

TEST(ContactSource, ACardKeepsItsKindAndEveryRepeatedNumber)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kinds.vcf"));
    ASSERT_TRUE(WriteFile(path, "BEGIN:VCARD\nVERSION:4.0\nFN:Persona\nTEL;TYPE=CELL:1\nTEL;TYPE=CELL:2\n"
                                "TEL;TYPE=CELL:3\nEND:VCARD\n"
                                "BEGIN:VCARD\nVERSION:4.0\nKIND:group\nFN:Amici\nEND:VCARD\n"
                                "BEGIN:VCARD\nVERSION:3.0\nX-ADDRESSBOOK-SERVER-KIND:Group\nFN:Colleghi\nEND:VCARD\n"
                                "BEGIN:VCARD\nVERSION:4.0\nKIND:org\nFN:Ditta\nEND:VCARD\n"
                                "BEGIN:VCARD\nVERSION:4.0\nKIND:location\nFN:Sala\nEND:VCARD\n"
                                "BEGIN:VCARD\nVERSION:4.0\nKIND:x-robot\nFN:Robot\nEND:VCARD\n"));
    const ContactReadResult result = ContactSource::ReadAddressBook(path);
    ASSERT_EQ(result.contacts.size(), 6u);
    const ContactKind kinds[] = {ContactKind::Individual, ContactKind::Group, ContactKind::Group,
                                 ContactKind::Organization, ContactKind::Location, ContactKind::Other};
    for (std::size_t i = 0; i < std::size(kinds); ++i)
        EXPECT_EQ(result.contacts[i].kind, kinds[i]) << i;
    // The first cell number is the mobile, the second fills the free car number, all three are kept.
    EXPECT_EQ(result.contacts[0].mobile, QStringLiteral("1"));
    EXPECT_EQ(result.contacts[0].car, QStringLiteral("2"));
    EXPECT_EQ(result.contacts[0].mobileNumbers, (QStringList{"1", "2", "3"}));
}

TEST(ContactSource, FaultsOfAVCardFile)
{
    const char* good = "BEGIN:VCARD\nVERSION:3.0\nFN:Uno\nTEL:1\nEND:VCARD\n";
    const struct {
        const char* name;
        QByteArray contents;
        Status status;
        std::size_t contacts;
    } cases[] = {
        {"empty", "", Status::NotContacts, 0},
        {"plain text", "Nome,Telefono\nUno,1\n", Status::NotContacts, 0},
        {"card not ended", QByteArray(good) + "BEGIN:VCARD\nFN:Due\n", Status::Broken, 1},
        {"card inside a card", "BEGIN:VCARD\nFN:Due\nBEGIN:VCARD\nEND:VCARD\n", Status::Broken, 0},
        {"line without colon", QByteArray(good) + "BEGIN:VCARD\nFN Due\nEND:VCARD\n", Status::Broken, 1},
        {"garbage after a card", QByteArray(good) + "rubbish\n", Status::Broken, 1},
        {"Windows-1252 text", "BEGIN:VCARD\nFN:Nicol\xf2\nEND:VCARD\n", Status::Read, 1},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.name) + QStringLiteral(".vcf"));
        ASSERT_TRUE(WriteFile(path, c.contents));
        const ContactReadResult result = ContactSource::ReadAddressBook(path);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.contacts.size(), c.contacts) << c.name;
    }
    EXPECT_EQ(ContactSource::ReadAddressBook(dir.filePath(QStringLiteral("Windows-1252 text.vcf"))).contacts[0].name,
              QStringLiteral("Nicolò"));
    EXPECT_EQ(ContactSource::ReadAddressBook(dir.filePath(QStringLiteral("missing.vcf"))).status, Status::CannotOpen);
}

TEST(ContactSource, AFolderIsReadInNameOrderAndABadFileBreaksIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("b.vcf")), "BEGIN:VCARD\nFN:Bi\nEND:VCARD\n"));
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("A.VCF")), "BEGIN:VCARD\nFN:A\nEND:VCARD\n"));
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("notes.txt")), "not a card"));
    ContactReadResult result = ContactSource::ReadAddressBook(dir.path());
    ASSERT_EQ(result.status, Status::Read);
    ASSERT_EQ(result.contacts.size(), 2u);
    EXPECT_EQ(result.contacts[0].name, QStringLiteral("A"));
    EXPECT_EQ(result.contacts[1].name, QStringLiteral("Bi"));

    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("c.vcf")), "not a card"));
    result = ContactSource::ReadAddressBook(dir.path());
    EXPECT_EQ(result.status, Status::Broken);
    EXPECT_EQ(result.contacts.size(), 2u);
    EXPECT_EQ(ContactSource::ReadAddressBook(dir.filePath(QStringLiteral("none"))).status, Status::CannotOpen);
}

TEST(ContactSource, CsvExportsInEnglishAndItalian)
{
    QTemporaryDir dir;
    const QString english = dir.filePath(QStringLiteral("outlook.csv"));
    // The quoting of RFC 4180: separators, doubled quotes and a line end inside quoted fields.
    ASSERT_TRUE(WriteFile(english,
                          "\xEF\xBB\xBF\"First Name\",\"Middle Name\",\"Last Name\",\"Business Street\",\"Business City\","
                          "\"Business Phone\",\"Business Phone 2\",\"Business Fax\",\"Home Phone\",\"Home Phone 2\","
                          "\"Home Fax\",\"Mobile Phone\",\"Car Phone\",\"E-mail Address\",\"Web Page\",Notes\r\n"
                          "Mario,,Rossi,\"Via Po 3, int. 2\",Milano,02 1,02 2,02 9,06 1,06 2,06 9,333,334,"
                          "m@x.example,http://x.example,\"detto \"\"il Rosso\"\"\r\nsecond line\"\r\n"
                          "\r\n"
                          "Anna,,,,,,,,,,,,,,,\r\n"));
    ContactReadResult result = ContactSource::ReadContactsExport(english);
    ASSERT_EQ(result.status, Status::Read);
    ASSERT_EQ(result.contacts.size(), 2u);
    ContactRecord rossi;
    rossi.name = QStringLiteral("Mario Rossi");
    rossi.street = QStringLiteral("Via Po 3, int. 2");
    rossi.locality = QStringLiteral("Milano");
    rossi.business = QStringLiteral("02 1");
    rossi.business2 = QStringLiteral("02 2");
    rossi.businessFax = QStringLiteral("02 9");
    rossi.home = QStringLiteral("06 1");
    rossi.home2 = QStringLiteral("06 2");
    rossi.homeFax = QStringLiteral("06 9");
    rossi.mobile = QStringLiteral("333");
    rossi.car = QStringLiteral("334");
    rossi.email = QStringLiteral("m@x.example");
    rossi.webPage = QStringLiteral("http://x.example");
    EXPECT_EQ(result.contacts[0], rossi);
    EXPECT_EQ(result.contacts[1].name, QStringLiteral("Anna"));

    const QString italian = dir.filePath(QStringLiteral("italiano.csv"));
    ASSERT_TRUE(WriteFile(italian, "Nome,Cognome,Telefono ufficio,Cellulare,Fax ufficio\nLuca,Bianchi,02 5,347,02 6\n"));
    result = ContactSource::ReadContactsExport(italian);
    ASSERT_EQ(result.status, Status::Read);
    ASSERT_EQ(result.contacts.size(), 1u);
    EXPECT_EQ(result.contacts[0].name, QStringLiteral("Luca Bianchi"));
    EXPECT_EQ(result.contacts[0].business, QStringLiteral("02 5"));
    EXPECT_EQ(result.contacts[0].mobile, QStringLiteral("347"));
    EXPECT_EQ(result.contacts[0].businessFax, QStringLiteral("02 6"));
}

TEST(ContactSource, FaultsOfACsvExport)
{
    const QByteArray header = "Name,Home Phone\n";
    const struct {
        const char* name;
        QByteArray contents;
        Status status;
        std::size_t contacts;
    } cases[] = {
        {"empty", "", Status::NotContacts, 0},
        {"no name column", "Company,Home Phone\nX,1\n", Status::NotContacts, 0},
        {"no number column", "Name,Notes\nX,1\n", Status::NotContacts, 0},
        {"a vCard", "BEGIN:VCARD\nFN:X\nEND:VCARD\n", Status::NotContacts, 0},
        {"quote never closed", header + "Uno,1\n\"Due,2\n", Status::Broken, 1},
        {"text after a closing quote", header + "Uno,1\n\"Due\"x,2\n", Status::Broken, 1},
        {"quote inside a bare field", header + "Uno,1\nD\"ue,2\n", Status::Broken, 1},
        {"a field too many", header + "Uno,1\nDue,2,3\n", Status::Broken, 1},
        {"a field too few", header + "Uno,1\nDue\n", Status::Broken, 1},
        {"no line end at the end", header + "Uno,1\nDue,2", Status::Read, 2},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.name) + QStringLiteral(".csv"));
        ASSERT_TRUE(WriteFile(path, c.contents));
        const ContactReadResult result = ContactSource::ReadContactsExport(path);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.contacts.size(), c.contacts) << c.name;
    }
    EXPECT_EQ(ContactSource::ReadContactsExport(dir.filePath(QStringLiteral("missing.csv"))).status, Status::CannotOpen);
}

TEST(ContactSource, PlacesComeFromTheRegistry)
{
    TempSuite suite;
    ASSERT_TRUE(suite.IsValid());
    EXPECT_EQ(ContactSource::AddressBookPlace(), QDir::homePath() + QStringLiteral("/.local/share/contacts"));
    EXPECT_EQ(ContactSource::MailContactsPlace(), QDir::homePath() + QStringLiteral("/contacts.csv"));
    const RegistryKey key(ContactSource::kRegistryKey);
    ASSERT_TRUE(key.WriteString(ContactSource::kAddressBookName, QStringLiteral("/srv/rubrica.vcf")));
    ASSERT_TRUE(key.WriteString(ContactSource::kMailContactsName, QStringLiteral("/srv/outlook.csv")));
    EXPECT_EQ(ContactSource::AddressBookPlace(), QStringLiteral("/srv/rubrica.vcf"));
    EXPECT_EQ(ContactSource::MailContactsPlace(), QStringLiteral("/srv/outlook.csv"));
}

}  // namespace
