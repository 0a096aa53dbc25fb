#include "tapisettingsdlg.h"

#include "contactsource.h"
#include "dialogtesting.h"
#include "enginesettings.h"
#include "enginesettingsfile.h"
#include "language.h"
#include "registrykey.h"
#include "stringtable.h"
#include "tempsuite.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

bool WriteFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

const QByteArray kExport = "Name,Home Phone,Mobile Phone,Business Phone,Business Fax\r\n"
                           "Mario Rossi,06 1234,,,\r\nAnna Neri,,347 1,02 5,02 9\r\n";

// The dialog over a cache of two contacts, in the console's suite with the places of its contacts.
class TapiSettingsDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_suite.IsValid());
        const RegistryKey places(ContactSource::kRegistryKey);
        ASSERT_TRUE(places.WriteString(ContactSource::kAddressBookName, AddressBook()));
        ASSERT_TRUE(places.WriteString(ContactSource::kMailContactsName, MailContacts()));
        m_contacts.SetCountryCode(QStringLiteral("39"));
        m_contacts.AddContact(QStringLiteral("Giuseppe Verdi"), QStringLiteral("+39061"), {}, QStringLiteral("+39021"), {});
        m_contacts.AddContact(QStringLiteral("Studio Bianchi"), {}, QStringLiteral("+39333"), {}, QStringLiteral("+39029"));
        ASSERT_TRUE(m_contacts.SaveToFile());
    }

    QString AddressBook() const { return m_suite.SharedFolder() + QStringLiteral("rubrica.vcf"); }
    QString MailContacts() const { return m_suite.SharedFolder() + QStringLiteral("outlook.csv"); }

    template <typename T>
    static T* Control(QDialog& dialog, int id)
    {
        T* control = dialog.findChild<T*>(QString::number(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }
    static void Click(QDialog& dialog, int id) { QTest::mouseClick(Control<QPushButton>(dialog, id), Qt::LeftButton); }
    static QStringList Rows(QDialog& dialog)
    {
        QStringList rows;
        QTreeWidget* list = Control<QTreeWidget>(dialog, CTapiSettingsDlg::kContactsList);
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < CTapiSettingsDlg::kColumnCount; ++column)
                cells << list->topLevelItem(row)->text(column);
            rows << cells.join(u'|');
        }
        return rows;
    }

    TempSuite m_suite{QStringLiteral("Pultex")};
    CContactCache m_contacts;
    EngineSettings m_settings;
};

TEST_F(TapiSettingsDlgTest, ShowsTheOptionsAndTheContactsInBothLanguages)
{
    m_settings.incomingCallHandler = EngineSettings::kHandlerOtherProgram;
    m_settings.addressBookSource = EngineSettings::kSourceAddressBook;
    m_settings.skipAddressBookSync = 1;
    m_settings.ringSoundOff = 0;
    const struct {
        int language;
        const char* title;
        const char* handler;
        const char* folder;
        QStringList headers;
        const char* screenshot;
    } cases[] = {
        {kLanguageItalian, "Configurazione servizio TAPI", "Chiamate in entrata gestite da altro applicativo",
         "Cartella di default", {"Nome", "Casa", "Mobile", "Ufficio", "Fax Ufficio"}, "CTapiSettingsDlg"},
        {kLanguageEnglish, "TAPI service settings", "Incoming calls handled by another program", "Default folder",
         {"Name", "Home", "Mobile", "Office", "Office fax"}, "CTapiSettingsDlg-en"},
    };
    for (const auto& c : cases) {
        SetLanguage(c.language);
        CTapiSettingsDlg dialog(m_contacts, m_settings);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(Control<QComboBox>(dialog, CTapiSettingsDlg::kHandlerCombo)->currentText(), QString::fromUtf8(c.handler));
        EXPECT_EQ(Control<QComboBox>(dialog, CTapiSettingsDlg::kSourceCombo)->currentIndex(), 1);
        EXPECT_EQ(Control<QComboBox>(dialog, CTapiSettingsDlg::kFolderCombo)->currentText(), QString::fromUtf8(c.folder));
        EXPECT_FALSE(Control<QCheckBox>(dialog, CTapiSettingsDlg::kSyncCheck)->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(dialog, CTapiSettingsDlg::kRingCheck)->isChecked());
        QTreeWidget* list = Control<QTreeWidget>(dialog, CTapiSettingsDlg::kContactsList);
        QStringList headers;
        for (int column = 0; column < CTapiSettingsDlg::kColumnCount; ++column) {
            headers << list->headerItem()->text(column);
            EXPECT_EQ(list->columnWidth(column), list->width() / CTapiSettingsDlg::kColumnCount - 4);
        }
        EXPECT_EQ(headers, c.headers);
        EXPECT_EQ(Rows(dialog), (QStringList{"Giuseppe Verdi|+39061||+39021|", "Studio Bianchi||+39333||+39029"}));
        EXPECT_TRUE(SaveScreenshot(dialog, QString::fromUtf8(c.screenshot)));
    }
    SetLanguage(kLanguageItalian);
}

TEST_F(TapiSettingsDlgTest, ApplyWritesTheFourBytesAndCancelNothing)
{
    const struct {
        int handler;
        int source;
        bool sync;
        bool ring;
        std::uint8_t bytes[4];  // 0, 1, 2 and 17 of the record
    } cases[] = {
        {0, 0, true, true, {0, 0, 0, 0}},
        {1, 1, false, false, {1, 1, 1, 1}},
        {0, 1, true, false, {0, 1, 0, 1}},
    };
    const QString path = EngineSettingsPath();
    for (const auto& c : cases) {
        QFile::remove(path);
        EngineSettings settings;
        settings.updateIntervalDays = EngineSettings::kCheckEveryMonth;
        CTapiSettingsDlg dialog(m_contacts, settings);
        dialog.show();
        Control<QComboBox>(dialog, CTapiSettingsDlg::kHandlerCombo)->setCurrentIndex(c.handler);
        Control<QComboBox>(dialog, CTapiSettingsDlg::kSourceCombo)->setCurrentIndex(c.source);
        Control<QCheckBox>(dialog, CTapiSettingsDlg::kSyncCheck)->setChecked(c.sync);
        Control<QCheckBox>(dialog, CTapiSettingsDlg::kRingCheck)->setChecked(c.ring);
        Click(dialog, CTapiSettingsDlg::kApplyButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.isVisible());

        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_EQ(bytes.size(), kEngineSettingsFileSize);
        const QByteArray record = bytes.mid(kEngineSettingsFileSize - EngineSettings::kRecordSize);
        EXPECT_EQ(std::uint8_t(record[0]), c.bytes[0]);
        EXPECT_EQ(std::uint8_t(record[1]), c.bytes[1]);
        EXPECT_EQ(std::uint8_t(record[2]), c.bytes[2]);
        EXPECT_EQ(std::uint8_t(record[17]), c.bytes[3]);
        EXPECT_EQ(std::uint8_t(record[3]), EngineSettings::kCheckEveryMonth);  // the rest is kept
    }

    QFile::remove(path);
    EngineSettings settings;
    CTapiSettingsDlg dialog(m_contacts, settings);
    dialog.show();
    Control<QComboBox>(dialog, CTapiSettingsDlg::kHandlerCombo)->setCurrentIndex(1);
    Control<QCheckBox>(dialog, CTapiSettingsDlg::kSyncCheck)->setChecked(false);
    Click(dialog, CTapiSettingsDlg::kCancelButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.incomingCallHandler, EngineSettings::kHandlerTapiDriver);
    EXPECT_EQ(settings.skipAddressBookSync, 0);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(TapiSettingsDlgTest, ImportRefillsTheListOrShowsTheError)
{
    const QString picked = m_suite.SharedFolder() + QStringLiteral("scelto.csv");
    const struct {
        const char* name;
        int source;
        int folder;
        QByteArray addressBook;
        QByteArray mailContacts;
        QString pick;
        bool error;
        QStringList rows;
        QString place;  // where the failed import looked, named in its box
    } cases[] = {
        {"default mail contacts", 0, 0, {}, kExport, {}, false,
         {"Giuseppe Verdi|+39061||+39021|", "Studio Bianchi||+39333||+39029", "Mario Rossi|+39061234|||",
          "Anna Neri||+393471|+39025|+39029"}, {}},
        {"picked file", 0, 1, {}, {}, picked, false,
         {"Giuseppe Verdi|+39061||+39021|", "Studio Bianchi||+39333||+39029", "Mario Rossi|+39061234|||",
          "Anna Neri||+393471|+39025|+39029"}, {}},
        {"nothing picked", 0, 1, {}, kExport, {}, true,
         {"Giuseppe Verdi|+39061||+39021|", "Studio Bianchi||+39333||+39029"}, {}},
        {"address book ignores the folder", 1, 1, "BEGIN:VCARD\r\nFN:Giuseppe Verdi\r\nTEL;TYPE=CELL:340\r\nEND:VCARD\r\n", {},
         {}, false, {"Giuseppe Verdi||+39340||", "Studio Bianchi||+39333||+39029"}, {}},
        {"broken file", 0, 0, {}, kExport + "\"Luca,06\r\n", {}, true,
         {"Giuseppe Verdi|+39061||+39021|", "Studio Bianchi||+39333||+39029", "Mario Rossi|+39061234|||",
          "Anna Neri||+393471|+39025|+39029"},
         MailContacts()},
        {"no default export", 0, 0, {}, {}, {}, true,
         {"Giuseppe Verdi|+39061||+39021|", "Studio Bianchi||+39333||+39029"}, MailContacts()},
        {"no address book", 1, 0, {}, {}, {}, true,
         {"Giuseppe Verdi|+39061||+39021|", "Studio Bianchi||+39333||+39029"}, AddressBook()},
        {"picked file broken", 0, 1, {}, {}, picked + QStringLiteral(".broken"), true,
         {"Giuseppe Verdi|+39061||+39021|", "Studio Bianchi||+39333||+39029"}, picked + QStringLiteral(".broken")},
    };
    ASSERT_TRUE(WriteFile(picked, kExport));
    ASSERT_TRUE(WriteFile(picked + QStringLiteral(".broken"), "\"Luca,06\r\n"));
    const QByteArray saved = [] {
        QFile file(CContactCache::FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFile(CContactCache::FilePath(), saved));
        m_contacts.Clear();
        m_contacts.LoadFromFile();
        QFile::remove(AddressBook());
        QFile::remove(MailContacts());
        if (!c.addressBook.isEmpty()) {
            ASSERT_TRUE(WriteFile(AddressBook(), c.addressBook));
        }
        if (!c.mailContacts.isEmpty()) {
            ASSERT_TRUE(WriteFile(MailContacts(), c.mailContacts));
        }
        CTapiSettingsDlg dialog(m_contacts, m_settings);
        int picks = 0;
        dialog.SetFilePicker([&picks, &c] {
            ++picks;
            return c.pick;
        });
        dialog.show();
        Control<QComboBox>(dialog, CTapiSettingsDlg::kSourceCombo)->setCurrentIndex(c.source);
        Control<QComboBox>(dialog, CTapiSettingsDlg::kFolderCombo)->setCurrentIndex(c.folder);
        MessageBoxRecorder boxes;
        Click(dialog, CTapiSettingsDlg::kImportButton);
        EXPECT_EQ(picks, c.source == 0 && c.folder == 1 ? 1 : 0) << c.name;
        if (c.error) {
            ASSERT_EQ(boxes.Seen().size(), 1u) << c.name;
            EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Pultex - Messaggio di errore"));
            const QString expected = QStringLiteral("Errore nell'importazione della rubrica") +
                                     (c.place.isEmpty() ? QString() : u'\n' + c.place);
            EXPECT_EQ(boxes.Seen()[0].text, expected) << c.name;
            EXPECT_EQ(boxes.Seen()[0].icon, QMessageBox::Critical);
        } else {
            EXPECT_TRUE(boxes.Seen().empty()) << c.name;
        }
        EXPECT_EQ(Rows(dialog), c.rows) << c.name;
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST_F(TapiSettingsDlgTest, ThePickerAsksForTheContactsFileInBothLanguages)
{
    for (const auto& [language, title] : {std::pair{kLanguageItalian, "Seleziona il file dei contatti"},
                                          std::pair{kLanguageEnglish, "Select the contacts file"}}) {
        SetLanguage(language);
        CTapiSettingsDlg dialog(m_contacts, m_settings);
        dialog.show();
        Control<QComboBox>(dialog, CTapiSettingsDlg::kSourceCombo)->setCurrentIndex(0);
        Control<QComboBox>(dialog, CTapiSettingsDlg::kFolderCombo)->setCurrentIndex(1);
        QStringList titles;
        ModalAnswerer answer([&titles](QDialog* modal) { titles << modal->windowTitle(); });
        Click(dialog, CTapiSettingsDlg::kImportButton);
        ASSERT_FALSE(titles.isEmpty());
        EXPECT_EQ(titles.first(), QString::fromUtf8(title));
    }
    SetLanguage(kLanguageItalian);
}

TEST_F(TapiSettingsDlgTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheDialogStays)
{
    const QString path = EngineSettingsPath();
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));  // a folder where the file should be
    EngineSettings settings;
    CTapiSettingsDlg dialog(m_contacts, settings);
    dialog.show();
    Control<QComboBox>(dialog, CTapiSettingsDlg::kHandlerCombo)->setCurrentIndex(1);
    MessageBoxRecorder boxes;
    Click(dialog, CTapiSettingsDlg::kApplyButton);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Pultex - Messaggio di errore"));
    EXPECT_TRUE(boxes.Seen()[0].text.startsWith(QStringLiteral("Impossibile salvare le impostazioni di Pultex\n"
                                                               "Codice errore:  19\n") + QDir::toNativeSeparators(path)))
        << boxes.Seen()[0].text.toStdString();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Control<QComboBox>(dialog, CTapiSettingsDlg::kHandlerCombo)->currentIndex(), 1);
    QDir(path).removeRecursively();
}

TEST_F(TapiSettingsDlgTest, EmptyDeletesTheFileWithoutAsking)
{
    CTapiSettingsDlg dialog(m_contacts, m_settings);
    dialog.show();
    ASSERT_TRUE(QFile::exists(CContactCache::FilePath()));
    MessageBoxRecorder boxes;
    Click(dialog, CTapiSettingsDlg::kEmptyButton);
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_FALSE(QFile::exists(CContactCache::FilePath()));
    EXPECT_TRUE(Rows(dialog).isEmpty());
    EXPECT_EQ(m_contacts.ContactCount(), 0);
    EXPECT_EQ(m_contacts.FindNameByNumber(QStringLiteral("061")), QString());
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
