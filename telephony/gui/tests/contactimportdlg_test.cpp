// The import dialog over the catalog of both backends: the sources' rules, saving with and without
// overwriting, and the start on a caller's number.
#include "contactimportdlg.h"

#include "contacteditdlg.h"

#include "contactdialogsfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace consolewindows;

class ContactImportDlgTest : public ContactDialogsTest {
protected:
    // Imports from the source and returns the boxes shown.
    std::vector<SeenMessageBox> Import(CContactImportDlg& dialog, int source)
    {
        Find<QComboBox>(dialog, CContactImportDlg::kSource)->setCurrentIndex(source);
        MessageBoxRecorder boxes;
        dialog.OnImport();
        return boxes.Seen();
    }
};

const QByteArray kExport =
    "Name,E-mail Address,Business Phone,Home Phone,Mobile Phone,Business City\r\n"
    ",nobody@example.org,0611,,,Roma\r\n"                                   // no name
    "Senza Numero,sn@example.org,,,,Roma\r\n"                               // no number
    "Interno,\"[EX:/O=DITTA/CN=ROSSI]\",+39 06 2222,,,Roma\r\n"             // an internal address
    "Bianchi,b@example.org,+39 02 3333,06 4444,+44 20 5555,Milano\r\n";

TEST_P(ContactImportDlgTest, MailContactsKeepNamedNumberedRowsAndDropInternalAddresses)
{
    if (!Start())
        return;
    PlaceContactsFile(ContactSource::kMailContactsName, QStringLiteral("contacts.csv"), kExport);
    CContactImportDlg dialog(QString(), m_context);
    dialog.show();
    EXPECT_TRUE(Import(dialog, CContactImportDlg::kMailContacts).empty());
    EXPECT_EQ(Rows(dialog.List(), 16),
              (std::vector<std::string>{"Interno||Roma||||||||||062222|||",
                           "Bianchi||Milano||||b@example.org||064444||0044205555||023333|||"}));
    EXPECT_FALSE(Find<QPushButton>(dialog, CContactImportDlg::kAddToAddressBook)->isEnabled());

    // A broken export empties the list and says so.
    PlaceContactsFile(ContactSource::kMailContactsName, QStringLiteral("contacts.csv"),
                      "Name,Home Phone\r\nRossi,\"06 1\"x\r\n");
    const std::vector<SeenMessageBox> boxes = Import(dialog, CContactImportDlg::kMailContacts);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Errore nell'importazione della rubrica selezionata.");
    EXPECT_EQ(boxes[0].title, "Fonivra");
    EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialog.List().ItemCount(), 0);

    // Without the default folder the user picks the file; none picked ends the import quietly.
    Find<QCheckBox>(dialog, CContactImportDlg::kDefaultFolder)->setChecked(false);
    ModalWatcher fileDialog;
    EXPECT_TRUE(Import(dialog, CContactImportDlg::kMailContacts).empty());
    EXPECT_EQ(fileDialog.Count(), 1);
    EXPECT_EQ(dialog.List().ItemCount(), 0);
}

TEST_P(ContactImportDlgTest, AddressBookGivesOneRowForConsecutiveCardsOfOneName)
{
    if (!Start())
        return;
    PlaceContactsFile(ContactSource::kAddressBookName, QStringLiteral("rubrica.vcf"),
                      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Rossi\r\nTEL;TYPE=HOME:06 1\r\nEND:VCARD\r\n"
                      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Rossi\r\nTEL;TYPE=WORK:06 2\r\nEND:VCARD\r\n"
                      "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Amici\r\nTEL:06 9\r\nEND:VCARD\r\n"
                      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Senza Numero\r\nEMAIL:s@example.org\r\nEND:VCARD\r\n"
                      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Verdi\r\nTEL;TYPE=CELL:+39 333 1\r\n"
                      "EMAIL:v@example.org\r\nADR;TYPE=WORK:;;Via Po 3;Pisa;PI;56100;Italia\r\nEND:VCARD\r\n");
    CContactImportDlg dialog(QString(), m_context);
    dialog.show();
    EXPECT_TRUE(Import(dialog, CContactImportDlg::kAddressBook).empty());
    EXPECT_EQ(Rows(dialog.List(), 16), (std::vector<std::string>{"Rossi||||||||061|||||||",
                                                    "Verdi|Via Po 3|Pisa|PI|56100|Italia|v@example.org||||3331|||||"}));

    // A book that is missing is a failure of the import.
    RegistryKey(ContactSource::kRegistryKey).WriteString(ContactSource::kAddressBookName, GetSuiteFolder() + "none.vcf");
    const std::vector<SeenMessageBox> boxes = Import(dialog, CContactImportDlg::kAddressBook);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialog.List().ItemCount(), 0);
}

TEST_P(ContactImportDlgTest, SavingAnExistingNameAsksOnceAndYesOverwrites)
{
    if (!Start())
        return;
    Store(Contact(QStringLiteral("Rossi"), QStringLiteral("061")), true, true);
    Store(Contact(QStringLiteral("Verdi"), QStringLiteral("069")), true, false, kOtherComputer);
    CContactImportDlg dialog(QString(), m_context);
    dialog.show();
    auto add = Find<QPushButton>(dialog, CContactImportDlg::kAddToAddressBook);
    auto edit = Find<QPushButton>(dialog, CContactImportDlg::kEdit);
    // New rows through the editor: Rossi with a new number, one whose number Verdi holds, and a new one.
    const QStringList news[] = {Contact(QStringLiteral("Rossi"), QStringLiteral("062")),
                                Contact(QStringLiteral("Neri"), QStringLiteral("069")),
                                Contact(QStringLiteral("Gialli"), QStringLiteral("063"))};
    for (const QStringList& contact : news) {
        ModalAnswerer editor([&contact](QDialog* modal) {
            for (int field = 0; field < 16; ++field)
                Find<QLineEdit>(*modal, CContactEditDlg::kEditIds[field])->setText(contact[field]);
            Find<QPushButton>(*modal, CContactEditDlg::kOk)->click();
        });
        dialog.OnNewContact();
    }
    ASSERT_EQ(dialog.List().ItemCount(), 3);
    Select(dialog.List(), {0});
    EXPECT_TRUE(add->isEnabled());
    EXPECT_TRUE(edit->isEnabled());
    Select(dialog.List(), {0, 1, 2});
    EXPECT_TRUE(add->isEnabled());
    EXPECT_FALSE(edit->isEnabled());

    QStringList texts;
    ModalAnswerer answers([&texts](QDialog* modal) {
        auto box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        texts << box->text();
        PressButton(box, QMessageBox::Yes);
    });
    dialog.OnAddToAddressBook();
    EXPECT_EQ(texts, (QStringList{"Aggiornare il contatto Rossi\"?",
                                  "Impossibile inserire o aggiornare o rimuovere il contatto Neri in quanto uno dei "
                                  "numeri immessi risulta appartenente al contatto Verdi\""}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const QString here = Here();
    EXPECT_EQ(Stored(), (QStringList{"Gialli|" + here + "|X|X|063", "Rossi|" + here + "|X|X|062",
                                     "Verdi|" + kOtherComputer + "|X||069"}));
}

TEST_P(ContactImportDlgTest, OpenedWithANumberEditsItsRowAndItsCancelClosesTheDialog)
{
    if (!Start())
        return;
    {
        CContactImportDlg dialog(QStringLiteral("0612345"), m_context);
        QStringList seen;
        ModalAnswerer editor([&seen](QDialog* modal) {
            seen << modal->objectName() << Find<QLineEdit>(*modal, CContactEditDlg::kEditIds[0])->text()
                 << Find<QLineEdit>(*modal, CContactEditDlg::kEditIds[12])->text();
            Find<QPushButton>(*modal, CContactEditDlg::kCancel)->click();
        });
        dialog.show();
        ASSERT_TRUE(WaitFor([&] { return editor.Count() == 1 && !dialog.isVisible(); }));
        EXPECT_EQ(seen, (QStringList{"192", "Nuovo nome", "0612345"}));
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    // OK names the contact: the row takes it, the number is no longer pending and the dialog stays.
    CContactImportDlg dialog(QStringLiteral("0612345"), m_context);
    ModalAnswerer editor([](QDialog* modal) {
        Find<QLineEdit>(*modal, CContactEditDlg::kEditIds[0])->setText(QStringLiteral("Cliente"));
        Find<QPushButton>(*modal, CContactEditDlg::kOk)->click();
    });
    dialog.show();
    ASSERT_TRUE(WaitFor([&] { return editor.Count() == 1; }));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.PendingNumber(), QString());
    EXPECT_EQ(Rows(dialog.List(), 16), std::vector<std::string>{"Cliente||||||||||||0612345|||"});
}

TEST_P(ContactImportDlgTest, ShowsWholeInBothLanguagesAndClosesWithoutADatabase)
{
    if (!Start())
        return;
    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        CContactImportDlg dialog(QString(), m_context);
        ShowAndShoot(dialog, QStringLiteral("contactimportdlg_") + (language == kLanguageEnglish ? "en" : "it"));
        EXPECT_EQ(dialog.windowTitle(), language == kLanguageEnglish ? "Add contacts" : "Aggiungi contatti");
        EXPECT_EQ(dialog.List().columnCount(), 16);
        EXPECT_TRUE(Find<QCheckBox>(dialog, CContactImportDlg::kDefaultFolder)->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(dialog, CContactImportDlg::kOverwrite)->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(dialog, CContactImportDlg::kShare)->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(dialog, CContactImportDlg::kLetOthersChange)->isChecked());
    }
    SetLanguage(kLanguageItalian);
    ConsoleWindowContext none = m_context;
    none.installation = nullptr;
    CContactImportDlg dialog(QStringLiteral("061"), none);
    MessageBoxRecorder boxes;
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_TRUE(boxes.Seen()[0].text.contains(QStringLiteral("151"))) << boxes.Seen()[0].text.toStdString();
    EXPECT_EQ(dialog.List().ItemCount(), 0);
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(ContactImportDlgTest);

}  // namespace
