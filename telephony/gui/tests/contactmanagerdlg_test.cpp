// The address book dialog over the catalog of both backends, with contacts of this and of another
// workstation: which buttons a selection allows, what each command does and says, and the list after it.
#include "contactmanagerdlg.h"

#include "contactdialogsfixture.h"
#include "contacteditdlg.h"
#include "contactimportdlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace consolewindows;

class ContactManagerDlgTest : public ContactDialogsTest {
protected:
    // The state of the four buttons: "E" enabled, "-" disabled for Modifica, Elimina, lock, share, then
    // the captions of lock and share when they are enabled.
    static QString Buttons(CContactManagerDlg& dialog)
    {
        QString state;
        for (int id : {CContactManagerDlg::kEdit, CContactManagerDlg::kDelete, CContactManagerDlg::kLock,
                       CContactManagerDlg::kShare})
            state += Find<QPushButton>(dialog, id)->isEnabled() ? u'E' : u'-';
        const auto caption = [&dialog](int id) {
            auto button = Find<QPushButton>(dialog, id);
            return button->isEnabled() ? button->text() : QString();
        };
        return state + u' ' + caption(CContactManagerDlg::kLock) + u'/' + caption(CContactManagerDlg::kShare);
    }
    // Searches every book by name and returns the row of a name and owner.
    static int RowOf(CContactManagerDlg& dialog, const QString& name, const QString& owner)
    {
        for (int row = 0; row < dialog.List().ItemCount(); ++row)
            if (dialog.List().ItemText(row, 0) == name && dialog.List().ItemText(row, 16) == owner)
                return row;
        ADD_FAILURE() << name.toStdString() << " of " << owner.toStdString();
        return 0;
    }
    static void SearchBoth(CContactManagerDlg& dialog)
    {
        Find<QComboBox>(dialog, CContactManagerDlg::kBook)->setCurrentIndex(2);
        dialog.OnSearch();
    }
    // Runs a command, answering its boxes Yes and its contact editor with `editor`, and returns the
    // boxes' texts.
    static QStringList RunAnswered(const std::function<void()>& command,
                                   const std::function<void(QDialog*)>& editor = {})
    {
        QStringList texts;
        ModalAnswerer answers([&texts, &editor](QDialog* modal) {
            if (auto box = qobject_cast<QMessageBox*>(modal)) {
                texts << box->text();
                PressButton(box, QMessageBox::Yes);
            } else if (editor && modal->objectName() == QStringLiteral("192")) {
                editor(modal);
            }
        });
        command();
        return texts;
    }
    // The listing of the dialog's rows: name|owner|shared|editable|home number.
    static std::vector<std::string> Listed(CContactManagerDlg& dialog)
    {
        std::vector<std::string> listing;
        for (int row = 0; row < dialog.List().ItemCount(); ++row) {
            const CSortListCtrl& list = dialog.List();
            listing.push_back(QStringList{list.ItemText(row, 0), list.ItemText(row, 16), list.ItemText(row, 17),
                                          list.ItemText(row, 18), list.ItemText(row, 8)}
                                  .join(u'|')
                                  .toStdString());
        }
        return listing;
    }
    static std::vector<std::string> Strings(const QStringList& texts)
    {
        std::vector<std::string> strings;
        for (const QString& text : texts)
            strings.push_back(text.toStdString());
        return strings;
    }
};

TEST_P(ContactManagerDlgTest, SelectionsAllowWhatTheOwnershipRulesAllow)
{
    if (!Start())
        return;
    Store(Contact(QStringLiteral("Aperto"), QStringLiteral("061")), true, true, kOtherComputer);
    Store(Contact(QStringLiteral("Chiuso"), QStringLiteral("062")), true, false, kOtherComputer);
    Store(Contact(QStringLiteral("Privato"), QStringLiteral("063")), false, false);
    Store(Contact(QStringLiteral("Condiviso"), QStringLiteral("064")), true, true);
    Store(Contact(QStringLiteral("Bloccato"), QStringLiteral("065")), true, false);
    CContactManagerDlg dialog(m_context);
    dialog.show();
    EXPECT_EQ(dialog.List().ItemCount(), 0);  // empty until the first search
    SearchBoth(dialog);
    ASSERT_EQ(dialog.List().ItemCount(), 5);
    const QString here = Here();
    const struct {
        const char* name;
        std::vector<std::pair<QString, QString>> rows;
        const char* buttons;
    } cases[] = {
        {"nothing", {}, "---- /"},
        {"another's open contact", {{"Aperto", kOtherComputer}}, "EE-- /"},
        {"another's closed contact", {{"Chiuso", kOtherComputer}}, "---- /"},
        {"our private contact", {{"Privato", here}}, "EE-E /Condividi con tutti"},
        {"our shared open contact", {{"Condiviso", here}}, "EEEE Blocca/Non condividere"},
        {"our shared closed contact", {{"Bloccato", here}}, "EEEE Sblocca/Non condividere"},
        {"private and shared of ours", {{"Privato", here}, {"Condiviso", here}}, "-E-- /"},
        {"open and closed of ours", {{"Condiviso", here}, {"Bloccato", here}}, "-E-E /Non condividere"},
        // The first row (by list order) is another's open one, the second ours: both may be deleted.
        {"another's open and ours", {{"Condiviso", here}, {"Aperto", kOtherComputer}}, "-E-- /"},
        {"ours and another's closed", {{"Condiviso", here}, {"Chiuso", kOtherComputer}}, "---- /"},
    };
    for (const auto& c : cases) {
        dialog.List().clearSelection();
        for (const auto& [name, owner] : c.rows)
            dialog.List().topLevelItem(RowOf(dialog, name, owner))->setSelected(true);
        EXPECT_EQ(Buttons(dialog), QString::fromUtf8(c.buttons)) << c.name;
    }
    // A search resets the buttons and their captions.
    dialog.OnSearch();
    EXPECT_EQ(Buttons(dialog), "---- /");
    EXPECT_EQ(Find<QPushButton>(dialog, CContactManagerDlg::kLock)->text(), "Sblocca");
    EXPECT_EQ(Find<QPushButton>(dialog, CContactManagerDlg::kShare)->text(), "Condividi con tutti");
}

TEST_P(ContactManagerDlgTest, AnotherWorkstationsOpenContactIsEditedAndDeletedInItsOwnRow)
{
    if (!Start())
        return;
    // Two shared contacts of one name, one of each workstation, both open to changes.
    Store(Contact(QStringLiteral("Hotel"), QStringLiteral("061")), true, true);
    Store(Contact(QStringLiteral("Hotel"), QStringLiteral("062")), true, true, kOtherComputer);
    CContactManagerDlg dialog(m_context);
    dialog.show();
    SearchBoth(dialog);
    const QString here = Here();

    // Editing the other workstation's one rewrites that one and keeps its owner.
    Select(dialog.List(), {RowOf(dialog, QStringLiteral("Hotel"), kOtherComputer)});
    {
        ModalAnswerer editor([](QDialog* modal) {
            Find<QLineEdit>(*modal, CContactEditDlg::kEditIds[8])->setText(QStringLiteral("+39 069"));
            Find<QPushButton>(*modal, CContactEditDlg::kOk)->click();
        });
        Find<QPushButton>(dialog, CContactManagerDlg::kEdit)->click();
        EXPECT_EQ(editor.Count(), 1);
    }
    const std::vector<std::string> edited{("Hotel|" + here + "|X|X|061").toStdString(),
                                          ("Hotel|" + kOtherComputer + "|X|X|069").toStdString()};
    EXPECT_EQ(Listed(dialog), edited);  // the list repeats the search
    EXPECT_EQ(Buttons(dialog), "---- /");

    // Deleting the one shown leaves the other workstation's.
    Select(dialog.List(), {RowOf(dialog, QStringLiteral("Hotel"), here)});
    EXPECT_TRUE(RunAnswered([&] { Find<QPushButton>(dialog, CContactManagerDlg::kDelete)->click(); }) ==
                QStringList{"Sei sicuro?"});
    EXPECT_EQ(Listed(dialog), std::vector<std::string>{("Hotel|" + kOtherComputer + "|X|X|069").toStdString()});
    Select(dialog.List(), {0});
    RunAnswered([&] { Find<QPushButton>(dialog, CContactManagerDlg::kDelete)->click(); });
    EXPECT_EQ(dialog.List().ItemCount(), 0);
    EXPECT_TRUE(Stored().isEmpty());
}

TEST_P(ContactManagerDlgTest, SharingAndLockingActOnOurContactsAndSayWhatIsRefused)
{
    if (!Start())
        return;
    Store(Contact(QStringLiteral("Rossi"), QStringLiteral("061")), false, false);
    Store(Contact(QStringLiteral("Verdi"), QStringLiteral("062")), true, true, kOtherComputer);
    Store(Contact(QStringLiteral("Bianchi"), QStringLiteral("063")), true, true, kOtherComputer);
    CContactManagerDlg dialog(m_context);
    dialog.show();
    SearchBoth(dialog);
    const std::string here = Here().toStdString();
    const std::string other = kOtherComputer.toStdString();

    // Sharing moves the private contact into the shared book, closed to changes; unlocking opens it.
    Select(dialog.List(), {RowOf(dialog, QStringLiteral("Rossi"), Here())});
    Find<QPushButton>(dialog, CContactManagerDlg::kShare)->click();
    EXPECT_EQ(Listed(dialog), (std::vector<std::string>{"Bianchi|" + other + "|X|X|063", "Rossi|" + here + "|X||061",
                                                        "Verdi|" + other + "|X|X|062"}));
    Select(dialog.List(), {RowOf(dialog, QStringLiteral("Rossi"), Here())});
    EXPECT_EQ(Buttons(dialog), "EEEE Sblocca/Non condividere");
    Find<QPushButton>(dialog, CContactManagerDlg::kLock)->click();
    Select(dialog.List(), {RowOf(dialog, QStringLiteral("Rossi"), Here())});
    EXPECT_EQ(Buttons(dialog), "EEEE Blocca/Non condividere");
    Find<QPushButton>(dialog, CContactManagerDlg::kShare)->click();
    EXPECT_EQ(Stored(), (QStringList{"Bianchi|" + kOtherComputer + "|X|X|063", "Rossi|" + Here() + "|||061",
                                     "Verdi|" + kOtherComputer + "|X|X|062"}));

    // 56: the edited number belongs to another contact of the book.
    Select(dialog.List(), {RowOf(dialog, QStringLiteral("Verdi"), kOtherComputer)});
    const auto homeNumber = [](const char* number) {
        return [number](QDialog* modal) {
            Find<QLineEdit>(*modal, CContactEditDlg::kEditIds[8])->setText(QString::fromUtf8(number));
            Find<QPushButton>(*modal, CContactEditDlg::kOk)->click();
        };
    };
    QStringList texts = RunAnswered([&] { dialog.OnEdit(); }, homeNumber("063"));
    EXPECT_EQ(Strings(texts), std::vector<std::string>{"Impossibile inserire o aggiornare o rimuovere il contatto Verdi "
                                                       "in quanto uno dei numeri immessi risulta appartenente al "
                                                       "contatto Bianchi\""});

    // 57 and 54: the other workstation closed its contacts after the search; each row has its box and
    // the rows after a refused one are still done.
    Store(Contact(QStringLiteral("Neri"), QStringLiteral("064")), false, false);
    dialog.OnSearch();
    m_database->SetComputerName(kOtherComputer);
    QString found;
    for (const char* name : {"Verdi", "Bianchi"})
        ASSERT_EQ(m_database->SaveContact(Contact(QString::fromUtf8(name), name[0] == 'V' ? "062" : "063"), true,
                                          false, true, QString::fromUtf8(name), found),
                  kNoError);
    m_database->SetComputerName(ComputerName());
    Select(dialog.List(), {RowOf(dialog, QStringLiteral("Verdi"), kOtherComputer)});
    texts = RunAnswered([&] { dialog.OnEdit(); }, homeNumber("062"));
    EXPECT_EQ(Strings(texts), std::vector<std::string>{"Impossibile inserire o aggiornare o rimuovere il contatto "
                                                       "Verdi in quanto è stato reso non modificabile da " + other + "\""});
    Select(dialog.List(), {RowOf(dialog, QStringLiteral("Bianchi"), kOtherComputer),
                           RowOf(dialog, QStringLiteral("Neri"), Here())});
    texts = RunAnswered([&] { dialog.OnDelete(); });
    EXPECT_EQ(Strings(texts), (std::vector<std::string>{"Sei sicuro?", "Impossibile inserire o aggiornare o rimuovere il "
                                                        "contatto Bianchi in quanto è stato reso non modificabile da " +
                                                            other + "\""}));
    EXPECT_EQ(Listed(dialog), (std::vector<std::string>{"Bianchi|" + other + "|X||063", "Rossi|" + here + "|||061",
                                                        "Verdi|" + other + "|X||062"}));
}

TEST_P(ContactManagerDlgTest, AddContactsRunsTheImportAndTheListShowsWhatItAdded)
{
    if (!Start())
        return;
    Store(Contact(QStringLiteral("Rossi"), QStringLiteral("061")), false, false);
    CContactManagerDlg dialog(m_context);
    dialog.show();
    SearchBoth(dialog);
    // The import dialog: a contact of the mail contacts added to the shared book.
    PlaceContactsFile(ContactSource::kMailContactsName, QStringLiteral("contacts.csv"),
                      "Name,Mobile Phone\r\nVerdi,333 1\r\n");
    ModalAnswerer answers([](QDialog* modal) {
        if (auto import = qobject_cast<CContactImportDlg*>(modal)) {
            import->OnImport();
            Select(import->List(), {0});
            import->OnAddToAddressBook();
        }
    });
    Find<QPushButton>(dialog, CContactManagerDlg::kAddContacts)->click();
    EXPECT_EQ(answers.Count(), 1);
    ASSERT_EQ(dialog.List().ItemCount(), 2);
    EXPECT_EQ(dialog.List().ItemText(1, 0), "Verdi");
    EXPECT_EQ(dialog.List().ItemText(1, 10), "3331");
    EXPECT_EQ(dialog.List().ItemText(1, 17), "X");
    EXPECT_EQ(Buttons(dialog), "---- /");
}

TEST_P(ContactManagerDlgTest, ShowsWholeInBothLanguages)
{
    if (!Start())
        return;
    Store(Contact(QStringLiteral("Rossi"), QStringLiteral("061")), true, true);
    Store(Contact(QStringLiteral("Verdi"), QStringLiteral("062")), false, false);
    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        const bool english = language == kLanguageEnglish;
        CContactManagerDlg dialog(m_context);
        auto field = Find<QComboBox>(dialog, CContactManagerDlg::kField);
        ASSERT_EQ(field->count(), 9);
        EXPECT_EQ(field->itemText(0), english ? "Search by Name" : "Ricerca per Nome");
        EXPECT_EQ(field->itemText(8), english ? "Search by Numbers" : "Ricerca per Numeri");
        EXPECT_EQ(Find<QComboBox>(dialog, CContactManagerDlg::kBook)->currentIndex(), 0);
        EXPECT_EQ(dialog.List().columnCount(), 19);
        EXPECT_EQ(dialog.windowTitle(), english ? "Contact management" : "Gestione contatti");
        dialog.show();
        Find<QComboBox>(dialog, CContactManagerDlg::kBook)->setCurrentIndex(2);
        dialog.OnSearch();
        ShowAndShoot(dialog, QStringLiteral("contactmanagerdlg_") + (english ? "en" : "it"));
    }
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(ContactManagerDlgTest);

}  // namespace
