#include "contactcache.h"

#include "contactsource.h"
#include "enginesettings.h"
#include "registrykey.h"
#include "tempsuite.h"

#include "qstringprinter.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

bool WriteFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A suite whose address book and mail contacts are files of the Shared folder, country code 39.
class ContactCacheFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_suite.IsValid());
        const RegistryKey places(ContactSource::kRegistryKey);
        ASSERT_TRUE(places.WriteString(ContactSource::kAddressBookName, AddressBook()));
        ASSERT_TRUE(places.WriteString(ContactSource::kMailContactsName, MailContacts()));
        ASSERT_TRUE(RegistryKey(CContactCache::kLocationKey).WriteString(CContactCache::kCountryCodeName, QStringLiteral("39")));
        m_cache.SetCountryCode(QStringLiteral("39"));
    }

    QString AddressBook() const { return m_suite.SharedFolder() + QStringLiteral("rubrica.vcf"); }
    QString MailContacts() const { return m_suite.SharedFolder() + QStringLiteral("outlook.csv"); }
    QStringList Rows() const
    {
        QStringList rows;
        for (int contact = 0; contact < m_cache.ContactCount(); ++contact)
            rows << QStringList{m_cache.GetContactName(contact), m_cache.GetHomeNumber(contact),
                                m_cache.GetMobileNumber(contact), m_cache.GetOfficeNumber(contact),
                                m_cache.GetOfficeFaxNumber(contact)}
                        .join(u'|');
        return rows;
    }

    TempSuite m_suite{QStringLiteral("Pultex")};
    CContactCache m_cache;
};

const QByteArray kCsvHeader = "First Name,Last Name,Home Phone,Mobile Phone,Business Phone,Business Fax,Home Fax\r\n";

QByteArray VCard(const char* name, const char* numbers)
{
    return QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:") + name + "\r\n" + numbers + "END:VCARD\r\n";
}

// A cache of three contacts whose numbers are stored in international form, as the file holds them.
CContactCache ThreeContacts()
{
    CContactCache cache;
    cache.SetCountryCode(QStringLiteral("39"));
    const struct {
        const char* name;
        const char* home;
        const char* mobile;
        const char* office;
        const char* fax;
    } rows[] = {
        {"Rossi", "+390612345", "", "", "+390699"},
        {"Bianchi", "", "+39333111", "+4930123", ""},
        {"Verdi", "+1555", "", "", ""},
    };
    for (const auto& row : rows) {
        const int contact = cache.AddContact(QString::fromUtf8(row.name), QString::fromUtf8(row.home),
                                             QString::fromUtf8(row.mobile), QString::fromUtf8(row.office),
                                             QString::fromUtf8(row.fax));
        for (const char* number : {row.home, row.mobile, row.office, row.fax})
            if (*number)
                cache.AddNumberIndex(QString::fromUtf8(number), contact);
    }
    return cache;
}

TEST(ContactCache, FindNameByNumberMakesTheNumberInternational)
{
    const CContactCache cache = ThreeContacts();
    const struct {
        const char* number;
        const char* name;
    } cases[] = {
        {"0612345", "Rossi"},      // country code added
        {"0039333111", "Bianchi"}, // "00" becomes "+"
        {"+4930123", "Bianchi"},   // already international
        {"0699", "Rossi"},         // office fax found like the others
        {"+1555", "Verdi"},        // first/last entries of the index
        {"555", ""},               // +39555 is nobody
        {"5", ""},                 // too short to be changed, and not stored
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cache.FindNameByNumber(QString::fromUtf8(c.number)), QString::fromUtf8(c.name)) << c.number;
}

TEST(ContactCache, FindNumberBisectsEveryEntryAndReportsNoMatch)
{
    CContactCache cache;
    EXPECT_EQ(cache.FindNumber(QStringLiteral("+39")), CContactCache::kNoMatch);  // empty index
    const int contact = cache.AddContact(QStringLiteral("Many"), {}, {}, {}, {});
    for (int i = 0; i < 37; ++i)
        cache.AddNumberIndex(QStringLiteral("+%1").arg(1000 + i * 7), contact);
    for (int i = 0; i < 37; ++i)
        EXPECT_EQ(cache.FindNumber(QStringLiteral("+%1").arg(1000 + i * 7)), i);
    EXPECT_EQ(cache.FindNumber(QStringLiteral("+1001")), CContactCache::kNoMatch);
    EXPECT_EQ(cache.FindNumber(QStringLiteral("+0")), CContactCache::kNoMatch);
    EXPECT_EQ(cache.FindNumber(QStringLiteral("+9")), CContactCache::kNoMatch);
}


TEST_F(ContactCacheFiles, ImportsNormaliseReplaceAndSkip)
{
    const struct {
        const char* name;
        bool addressBook;
        QByteArray contents;
        int added;
        QStringList rows;
        std::vector<std::pair<const char*, const char*>> lookups;  // number, name
    } cases[] = {
        // The address book's fax is the primary one: the home fax when there is no office fax.
        {"vCard", true,
         VCard("Rossi", "TEL;TYPE=HOME:06 1234\r\nTEL;TYPE=CELL:(333) 111-22\r\n") + VCard("Nessuno", "")
             + VCard("Bianchi", "TEL;TYPE=WORK:+44 20 7\r\nTEL;TYPE=HOME,FAX:06/99\r\n")
             + VCard("Rossi", "TEL;TYPE=WORK:02 5\r\n") + VCard("", "TEL:06 1\r\n") + VCard("Vuoto", "TEL:abc\r\n"),
         3,
         {"Rossi|||+39025|", "Bianchi|||+44207|+390699"},
         {{"061234", ""}, {"025", "Rossi"}, {"0699", "Bianchi"}, {"0044207", "Bianchi"}}},
        // The mail program's fax is the office fax; names differing in case are two contacts.
        {"CSV", false,
         kCsvHeader + "Mario,Rossi,06 1234,,,,\r\nLuca,Verdi,,,,,\r\nAnna,Neri,,347 1,0044 20,02 9,06 9\r\n"
             + "Mario,Rossi,,,,,06 7\r\nmario,rossi,*21#,,,,\r\n",
         3,
         {"Mario Rossi|+39061234|||", "Anna Neri||+393471|+39004420|+39029", "mario rossi|+39*21#|||"},
         {{"061234", "Mario Rossi"}, {"+39061234", "Mario Rossi"}, {"029", "Anna Neri"}, {"*21#", "mario rossi"},
          {"067", ""}}},
    };
    for (const auto& c : cases) {
        m_cache.Clear();
        QFile::remove(CContactCache::FilePath());
        ASSERT_TRUE(WriteFile(c.addressBook ? AddressBook() : MailContacts(), c.contents));
        int added = -1;
        const int result = c.addressBook ? m_cache.ImportFromWab(added) : m_cache.ImportFromOutlook(added, true);
        EXPECT_EQ(result, CContactCache::kImportDone) << c.name;
        EXPECT_EQ(added, c.added) << c.name;
        EXPECT_EQ(Rows(), c.rows) << c.name;
        for (const auto& [number, name] : c.lookups)
            EXPECT_EQ(m_cache.FindNameByNumber(QString::fromUtf8(number)), QString::fromUtf8(name)) << c.name << number;
        // What was imported is in the file, and comes back from it.
        CContactCache loaded;
        loaded.LoadFromFile();
        EXPECT_EQ(loaded.ContactCount(), m_cache.ContactCount()) << c.name;
        EXPECT_EQ(loaded.IndexCount(), m_cache.IndexCount()) << c.name;
    }
}

TEST_F(ContactCacheFiles, ImportResults)
{
    const QByteArray rossi = kCsvHeader + "Mario,Rossi,06 1,,,,\r\n";
    const struct {
        const char* name;
        bool defaultFolder;
        const char* picked;  // a file name in the Shared folder; nullptr when nothing is picked
        QByteArray contents; // of the default export, or of the picked file
        int result;
    } cases[] = {
        {"default export", true, nullptr, rossi, CContactCache::kImportDone},
        {"no default export", true, nullptr, {}, CContactCache::kImportCannotOpen},
        {"default file no export", true, nullptr, "hello", CContactCache::kImportNotContacts},
        {"nothing picked", false, nullptr, rossi, CContactCache::kImportNothingPicked},
        {"picked export", false, "altro.csv", rossi, CContactCache::kImportDone},
        {"picked file no export", false, "altro.csv", VCard("Rossi", "TEL:1\r\n"), CContactCache::kImportNotContacts},
        {"picked file missing", false, "manca.csv", {}, CContactCache::kImportNotContacts},
    };
    for (const auto& c : cases) {
        m_cache.Clear();
        QFile::remove(MailContacts());
        const QString target = c.picked ? m_suite.SharedFolder() + QString::fromUtf8(c.picked) : MailContacts();
        QFile::remove(target);
        if (!c.contents.isEmpty()) {
            ASSERT_TRUE(WriteFile(target, c.contents));
        }
        int added = -1;
        const auto pick = [&]() { return c.picked ? target : QString(); };
        EXPECT_EQ(m_cache.ImportFromOutlook(added, c.defaultFolder, pick), c.result) << c.name;
        EXPECT_EQ(added, c.result == CContactCache::kImportDone ? 1 : 0) << c.name;
    }
    QFile::remove(AddressBook());
    int added = -1;
    EXPECT_EQ(m_cache.ImportFromWab(added), CContactCache::kImportCannotOpen);
    ASSERT_TRUE(WriteFile(AddressBook(), rossi));
    EXPECT_EQ(m_cache.ImportFromWab(added), CContactCache::kImportNotContacts);
}

TEST_F(ContactCacheFiles, ABrokenImportKeepsItsContactsWithATrueIndexAndSavesNothing)
{
    // The file holds Rossi's old number; the import replaces it, adds Verdi and then breaks off.
    ASSERT_TRUE(WriteFile(CContactCache::FilePath(), "Rossi\t+39061\t\t\t\r\n"));
    m_cache.LoadFromFile();
    ASSERT_EQ(m_cache.FindNameByNumber(QStringLiteral("061")), QStringLiteral("Rossi"));
    ASSERT_TRUE(WriteFile(AddressBook(), VCard("Rossi", "TEL:062\r\n") + VCard("Verdi", "TEL:063\r\n") + "BEGIN:VCARD\r\nFN:X\r\n"));
    int added = -1;
    EXPECT_EQ(m_cache.ImportFromWab(added), CContactCache::kImportBroken);
    EXPECT_EQ(added, 2);
    EXPECT_EQ(Rows(), (QStringList{"Rossi|+39062|||", "Verdi|+39063|||"}));
    EXPECT_EQ(m_cache.FindNameByNumber(QStringLiteral("061")), QString());
    EXPECT_EQ(m_cache.FindNameByNumber(QStringLiteral("062")), QStringLiteral("Rossi"));
    EXPECT_EQ(m_cache.FindNameByNumber(QStringLiteral("063")), QStringLiteral("Verdi"));
    EXPECT_EQ(ReadFile(CContactCache::FilePath()), QByteArray("Rossi\t+39061\t\t\t\r\n"));
}

TEST_F(ContactCacheFiles, LoadingStopsAtALineWithoutItsFourTabs)
{
    ASSERT_TRUE(WriteFile(CContactCache::FilePath(), "Rossi\t+39061\t\t\t+39069\r\nBianchi\t\t+39333\t\t\n"
                                                     "Corto\t+39064\t\t\r\nVerdi\t+39065\t\t\t\r\n"));
    m_cache.LoadFromFile();
    EXPECT_EQ(Rows(), (QStringList{"Rossi|+39061|||+39069", "Bianchi||+39333||"}));
    EXPECT_EQ(m_cache.IndexCount(), 3);
    EXPECT_EQ(m_cache.FindNameByNumber(QStringLiteral("065")), QString());
}

TEST_F(ContactCacheFiles, FieldsWithTabsOrLineEndsAreSavedAsBlanks)
{
    m_cache.AddContact(QStringLiteral("Rossi\tMario"), QStringLiteral("+39061"), {}, QStringLiteral("+39\r\n062"), {});
    m_cache.AddContact(QStringLiteral("Caffè"), {}, QStringLiteral("+39333"), {}, QStringLiteral("+39069"));
    ASSERT_TRUE(m_cache.SaveToFile());
    EXPECT_EQ(ReadFile(CContactCache::FilePath()),
              QStringLiteral("Rossi Mario\t+39061\t\t+39  062\t\r\nCaffè\t\t+39333\t\t+39069\r\n").toUtf8());
    CContactCache loaded;
    loaded.SetCountryCode(QStringLiteral("39"));
    loaded.LoadFromFile();
    EXPECT_EQ(loaded.ContactCount(), 2);
    EXPECT_EQ(loaded.GetContactName(0), QStringLiteral("Rossi Mario"));
    EXPECT_EQ(loaded.GetContactName(1), QStringLiteral("Caffè"));
    EXPECT_EQ(loaded.FindNameByNumber(QStringLiteral("069")), QStringLiteral("Caffè"));
    EXPECT_EQ(loaded.GetContactName(2), QString());  // no such contact

    loaded.ClearAndDeleteFile();
    EXPECT_EQ(loaded.ContactCount(), 0);
    EXPECT_EQ(loaded.IndexCount(), 0);
    EXPECT_FALSE(QFile::exists(CContactCache::FilePath()));
}

TEST_F(ContactCacheFiles, StartUpHonoursTheSourceAndTheSyncOption)
{
    ASSERT_TRUE(WriteFile(CContactCache::FilePath(), "Salvato\t+39060\t\t\t\r\n"));
    ASSERT_TRUE(WriteFile(AddressBook(), VCard("DaRubrica", "TEL:061\r\n")));
    ASSERT_TRUE(WriteFile(MailContacts(), kCsvHeader + "Da,Outlook,062,,,,\r\n"));
    const struct {
        std::uint8_t source;  // byte 1
        std::uint8_t noSync;  // byte 2
        QStringList names;
    } cases[] = {
        {EngineSettings::kSourceOutlook, 1, {"Salvato"}},
        {EngineSettings::kSourceAddressBook, 1, {"Salvato"}},
        {EngineSettings::kSourceOutlook, 0, {"Salvato", "Da Outlook"}},
        {EngineSettings::kSourceAddressBook, 0, {"Salvato", "DaRubrica"}},
    };
    const QByteArray saved = ReadFile(CContactCache::FilePath());
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFile(CContactCache::FilePath(), saved));
        EngineSettings settings;
        settings.addressBookSource = c.source;
        settings.skipAddressBookSync = c.noSync;
        CContactCache cache;
        int warnings = 0;
        cache.SyncAtStartup(settings, [&warnings](unsigned) { ++warnings; });
        EXPECT_EQ(warnings, 0);
        QStringList names;
        for (int contact = 0; contact < cache.ContactCount(); ++contact)
            names << cache.GetContactName(contact);
        EXPECT_EQ(names, c.names) << int(c.source) << int(c.noSync);
        EXPECT_EQ(cache.FindNameByNumber(QStringLiteral("060")), QStringLiteral("Salvato"));
    }
}

TEST(ContactCache, ToInternationalNumber)
{
    CContactCache cache;
    cache.SetCountryCode(QStringLiteral("41"));
    const struct {
        const char* number;
        const char* international;
    } cases[] = {
        {"06 1234", "+41061234"}, {"+39 (06) 12-34", "+39061234"}, {"0044 20 7", "+410044207"},
        {"*21#", "+41*21#"}, {"abc", ""}, {"", ""}, {"٣4", "+414"},  // only ASCII digits are kept
    };
    for (const auto& c : cases) {
        QString number = QString::fromUtf8(c.number);
        cache.ToInternationalNumber(number);
        EXPECT_EQ(number, QString::fromUtf8(c.international)) << c.number;
    }
}

TEST(ContactCache, NamesDifferingInCaseAreTwoContactsAndAnEmptyIndexFindsNobody)
{
    CContactCache cache;
    cache.SetCountryCode(QStringLiteral("39"));
    EXPECT_EQ(cache.FindNameByNumber(QStringLiteral("0612345")), QString());
    EXPECT_EQ(cache.AddContact(QStringLiteral("Rossi"), QStringLiteral("+39061"), {}, {}, {}), 0);
    EXPECT_EQ(cache.AddContact(QStringLiteral("ROSSI"), QStringLiteral("+39062"), {}, {}, {}), 1);
    EXPECT_EQ(cache.AddContact(QStringLiteral("Rossi"), QStringLiteral("+39063"), {}, {}, {}), 0);
    EXPECT_EQ(cache.ContactCount(), 2);
    EXPECT_EQ(cache.IndexCount(), 0);  // AddContact leaves the index alone
    EXPECT_EQ(cache.FindNameByNumber(QStringLiteral("061")), QString());
}

}  // namespace
