// The PBX phone-book editor against Simulvex's phone book through the engine Pultex in simulation, on
// SQLite and PostgreSQL: the books and their ranges, reading, writing address-book numbers, the requests
// each position takes, deleting and modifying, cancel and a silent PBX in the middle of a read, and the
// saved list.
#include "clippedtextcheck.h"
#include "consolewindowsfixture.h"
#include "language.h"
#include "numericedit.h"
#include "pbxdirectorydlg.h"
#include "progressdlg.h"
#include "sortlistctrl.h"
#include "widgettesting.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

using namespace consolewindows;

constexpr int kSeconds = 6;
// Simulvex's books: 32 common positions, 16 personal ones per extension, a global book of 16.
constexpr int kCommon = 32;
constexpr int kPersonal = 16;

class PbxDirectoryTest : public ConsoleWindowsTest {
protected:
    void Start(const SimulvexModel& model = {})
    {
        StartOn(model);
        if (IsSkipped() || HasFatalFailure())
            return;
        m_installation = std::make_unique<InstallationSettings>();
        m_installation->Load();
        ASSERT_TRUE(m_installation->IsLoaded());
        m_context.installation = m_installation.get();
    }
    void TearDown() override
    {
        SetLanguage(kLanguageItalian);
        ConsoleWindowsTest::TearDown();
    }

    std::unique_ptr<CPbxDirectoryDlg> Open()
    {
        auto dialog = std::make_unique<CPbxDirectoryDlg>(m_context);
        EXPECT_TRUE(dialog->OnInitDialog());
        return dialog;
    }
    template <typename Widget>
    static Widget* Get(QWidget& dialog, int id)
    {
        auto widget = dialog.findChild<Widget*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    static void Click(QWidget& dialog, int id) { Get<QPushButton>(dialog, id)->click(); }
    static CSortListCtrl& Positions(QWidget& dialog) { return *Get<CSortListCtrl>(dialog, CPbxDirectoryDlg::kPositions); }
    // The listed positions as "position number name".
    static QStringList Listed(QWidget& dialog)
    {
        QStringList rows;
        CSortListCtrl& list = Positions(dialog);
        for (int row = 0; row < list.ItemCount(); ++row)
            rows << QStringList{list.ItemText(row, 0), list.ItemText(row, 1), list.ItemText(row, 2)}.join(u' ').trimmed();
        return rows;
    }
    static void ReadRange(QWidget& dialog, int first, int last)
    {
        Get<CNumericEdit>(dialog, CPbxDirectoryDlg::kFirst)->SetValue(first);
        Get<CNumericEdit>(dialog, CPbxDirectoryDlg::kLast)->SetValue(last);
        Click(dialog, CPbxDirectoryDlg::kRead);
    }
    // Types a position into the write position edit and commits it with Enter, as the operator does.
    static void TypePosition(QWidget& dialog, int position)
    {
        auto edit = Get<CNumericEdit>(dialog, CPbxDirectoryDlg::kPosition);
        edit->selectAll();
        QTest::keyClicks(edit, QString::number(position));
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static void Select(CSortListCtrl& list, std::initializer_list<int> rows)
    {
        list.clearSelection();
        for (int row : rows)
            list.topLevelItem(row)->setSelected(true);
    }

    void WriteCommon(int position, const char* number)
    {
        ASSERT_EQ(m_client->WriteDirectoryPosition(kPbx, static_cast<std::uint8_t>(position), number, kSeconds), kNoError);
    }
    void WriteEntry(int book, int position, const char* number)
    {
        ASSERT_EQ(m_client->WriteDirectoryEntry(kPbx, static_cast<std::uint8_t>(book), static_cast<std::uint16_t>(position),
                                                number, kSeconds),
                  kNoError);
    }
    QString ReadCommon(int position)
    {
        std::string number;
        EXPECT_EQ(m_client->ReadDirectoryPosition(kPbx, static_cast<std::uint8_t>(position), number, kSeconds), kNoError);
        return QString::fromStdString(number);
    }
    QString ReadEntry(int book, int position)
    {
        std::string number;
        std::array<std::uint8_t, PbxDirectory::kEntrySize> entry{};
        EXPECT_EQ(m_client->ReadDirectoryEntry(kPbx, static_cast<std::uint8_t>(book), static_cast<std::uint16_t>(position),
                                               entry, number, kSeconds),
                  kNoError);
        return QString::fromStdString(number);
    }
    // A contact of this workstation's book with its numbers in the order home 1, home 2, mobile 1, mobile 2,
    // office 1, office 2, home fax, office fax.
    void AddContact(const QString& name, const QStringList& numbers)
    {
        QStringList contact{name};
        for (int field = 1; field < 8; ++field)
            contact << QString();
        contact << numbers;
        while (contact.size() < 16)
            contact << QString();
        // PostgreSQL's catalog outlives the test: a contact of an earlier run goes first.
        ASSERT_EQ(m_database->DeleteLocalContact(name), kNoError);
        ASSERT_EQ(m_database->InsertContactFromList(contact, false, false), kNoError);
    }

    std::unique_ptr<InstallationSettings> m_installation;
};

TEST_P(PbxDirectoryTest, AReadRangeAddsOnlyTheFilledPositionsWithTheirNames)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    WriteCommon(3, "0612345");
    WriteCommon(5, "0298765");
    WriteEntry(kOwnExtension, 2, "333");
    AddContact(QStringLiteral("Bianchi"), {QStringLiteral("0298765")});

    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        const bool english = language == kLanguageEnglish;
        std::unique_ptr<CPbxDirectoryDlg> dialog = Open();
        auto books = Get<QComboBox>(*dialog, CPbxDirectoryDlg::kReadBook);
        ASSERT_EQ(books->count(), 2);
        EXPECT_EQ(books->itemText(0), english ? QStringLiteral("Common phone book") : QStringLiteral("Rubrica comune"));
        EXPECT_EQ(books->itemText(1), m_context.ExtensionName(kOwnExtension));
        EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kFirst)->GetValue(), 0);
        EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kLast)->GetValue(), kCommon - 1);
        EXPECT_EQ(dialog->AvailableCount(), kCommon - 1);
        EXPECT_EQ(Get<QLabel>(*dialog, CPbxDirectoryDlg::kAvailable)->text(),
                  english ? QStringLiteral("Positions available: 31") : QStringLiteral("Posizioni disponibili: 31"));
        for (const int id : {CPbxDirectoryDlg::kDelete, CPbxDirectoryDlg::kModify, CPbxDirectoryDlg::kSave,
                             CPbxDirectoryDlg::kImport})
            EXPECT_FALSE(Get<QPushButton>(*dialog, id)->isEnabled()) << id;

        ReadRange(*dialog, 2, 6);
        EXPECT_EQ(Listed(*dialog), (QStringList{"3 0612345", "5 0298765 Bianchi"}));
        EXPECT_TRUE(Get<QPushButton>(*dialog, CPbxDirectoryDlg::kSave)->isEnabled());
        // The personal book follows the common one.
        books->setCurrentIndex(1);
        EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kFirst)->GetValue(), kCommon);
        EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kLast)->GetValue(), kCommon + kPersonal - 1);
        Click(*dialog, CPbxDirectoryDlg::kRead);
        EXPECT_EQ(Listed(*dialog), (QStringList{"3 0612345", "5 0298765 Bianchi", "34 333"}));

        dialog->show();
        ASSERT_TRUE(WaitFor([&] { return dialog->windowHandle() && dialog->windowHandle()->isExposed(); }));
        EXPECT_TRUE(HasNoClippedText(*dialog));
        SaveScreenshot(*dialog, english ? QStringLiteral("pbxdirectorydlg_en") : QStringLiteral("pbxdirectorydlg_it"));
    }
}

TEST_P(PbxDirectoryTest, ContactsGoToConsecutivePositionsByTheRequestOfTheirBook)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    AddContact(QStringLiteral("Prova Alfa"), {QStringLiteral("0611"), QString(), QStringLiteral("3331")});
    AddContact(QStringLiteral("Prova Beta"), {QString(), QString(), QString(), QString(), QStringLiteral("0622")});
    std::unique_ptr<CPbxDirectoryDlg> dialog = Open();
    Get<QLineEdit>(*dialog, CPbxDirectoryDlg::kSearchText)->setText(QStringLiteral("Prova"));
    Click(*dialog, CPbxDirectoryDlg::kSearch);
    auto& contacts = *Get<CSortListCtrl>(*dialog, CPbxDirectoryDlg::kContacts);
    ASSERT_EQ(contacts.ItemCount(), 2);
    EXPECT_EQ(contacts.ItemText(0, 0), QStringLiteral("Prova Alfa"));
    Select(contacts, {0, 1});
    EXPECT_EQ(dialog->SelectedCount(), 3);
    EXPECT_EQ(Get<QLabel>(*dialog, CPbxDirectoryDlg::kSelected)->text(), QStringLiteral("Numeri selezionati: 3"));
    auto import = Get<QPushButton>(*dialog, CPbxDirectoryDlg::kImport);
    EXPECT_TRUE(import->isEnabled());

    // Too many numbers for the positions left keep "Importa" disabled.
    TypePosition(*dialog, kCommon - 2);
    EXPECT_EQ(dialog->AvailableCount(), 2);
    EXPECT_FALSE(import->isEnabled());
    TypePosition(*dialog, kCommon - 3);
    EXPECT_EQ(dialog->AvailableCount(), 3);
    EXPECT_TRUE(import->isEnabled());

    // The common book: one-byte position requests.
    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
    import->click();
    EXPECT_EQ(ReadCommon(29), QStringLiteral("0611"));
    EXPECT_EQ(ReadCommon(30), QStringLiteral("3331"));
    EXPECT_EQ(ReadCommon(31), QStringLiteral("0622"));
    EXPECT_EQ(Listed(*dialog), (QStringList{"29 0611 Prova Alfa", "30 3331 Prova Alfa", "31 0622 Prova Beta"}));
    QString frames = Simulvex(QStringLiteral("frames"));
    EXPECT_TRUE(frames.contains(QStringLiteral("031D0A06010100"), Qt::CaseInsensitive)) << frames.toStdString();

    // The personal book: entry requests for this station's extension at position - C.
    Get<QComboBox>(*dialog, CPbxDirectoryDlg::kWriteBook)->setCurrentIndex(1);
    EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kPosition)->GetValue(), kCommon);
    EXPECT_EQ(dialog->AvailableCount(), kPersonal);
    Select(contacts, {1});
    EXPECT_EQ(dialog->SelectedCount(), 1);
    Simulvex(QStringLiteral("frames clear"));
    import->click();
    EXPECT_EQ(ReadEntry(kOwnExtension, 0), QStringLiteral("0622"));
    frames = Simulvex(QStringLiteral("frames"));
    EXPECT_TRUE(frames.contains(QStringLiteral("03F00100000A06020200"), Qt::CaseInsensitive)) << frames.toStdString();
    EXPECT_EQ(Listed(*dialog).last(), QStringLiteral("32 0622 Prova Beta"));
}

TEST_P(PbxDirectoryTest, DeleteAndModifyAddressAPositionByItsBook)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    WriteCommon(kCommon - 1, "111");
    WriteEntry(kOwnExtension, 1, "222");
    std::unique_ptr<CPbxDirectoryDlg> dialog = Open();
    Click(*dialog, CPbxDirectoryDlg::kRead);
    Get<QComboBox>(*dialog, CPbxDirectoryDlg::kReadBook)->setCurrentIndex(1);
    Click(*dialog, CPbxDirectoryDlg::kRead);
    ASSERT_EQ(Listed(*dialog), (QStringList{"31 111", "33 222"}));
    CSortListCtrl& list = Positions(*dialog);
    auto modify = Get<QPushButton>(*dialog, CPbxDirectoryDlg::kModify);
    auto remove = Get<QPushButton>(*dialog, CPbxDirectoryDlg::kDelete);
    Select(list, {1});
    EXPECT_TRUE(modify->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
    Select(list, {0, 1});
    EXPECT_FALSE(modify->isEnabled());
    EXPECT_TRUE(remove->isEnabled());

    // Position C + 1 is the personal book's position 1; C - 1 the common book's.
    for (const int row : {1, 0}) {
        Select(list, {row});
        Simulvex(QStringLiteral("frames clear"));
        ModalAnswerer answer([](QDialog* editor) {
            if (auto number = editor->findChild<QLineEdit*>(QStringLiteral("1080"))) {
                number->setText(QStringLiteral("4445"));
                editor->findChild<QPushButton*>(QStringLiteral("1081"))->click();
            }
        });
        modify->click();
        EXPECT_EQ(answer.Count(), 1);
        const QString frames = Simulvex(QStringLiteral("frames"));
        const QString request = row == 1 ? QStringLiteral("03F00101000404040500") : QStringLiteral("031F0404040500");
        EXPECT_TRUE(frames.contains(request, Qt::CaseInsensitive)) << frames.toStdString();
    }
    EXPECT_EQ(ReadEntry(kOwnExtension, 1), QStringLiteral("4445"));
    EXPECT_EQ(ReadCommon(kCommon - 1), QStringLiteral("4445"));
    EXPECT_EQ(Listed(*dialog), (QStringList{"31 4445", "33 4445"}));

    Select(list, {0, 1});
    remove->click();
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_FALSE(Get<QPushButton>(*dialog, CPbxDirectoryDlg::kSave)->isEnabled());
    EXPECT_EQ(ReadCommon(kCommon - 1), QString());
    EXPECT_EQ(ReadEntry(kOwnExtension, 1), QString());
}

TEST_P(PbxDirectoryTest, CancelEndsTheReadAndASilentPbxEndsItWithTheBox)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    for (int position = 0; position < 5; ++position)
        WriteCommon(position, "0612");
    std::unique_ptr<CPbxDirectoryDlg> dialog = Open();
    // Cancel pressed while the first position is read.
    QTimer::singleShot(0, dialog.get(), [&] {
        ASSERT_NE(dialog->Progress(), nullptr);
        dialog->Progress()->findChild<QPushButton*>(QString::number(CProgressDlg::kCancel))->click();
    });
    Click(*dialog, CPbxDirectoryDlg::kRead);
    EXPECT_EQ(Listed(*dialog), QStringList{"0 0612"});
    EXPECT_EQ(dialog->Progress(), nullptr);
    EXPECT_TRUE(dialog->isEnabled());

    // The PBX falls silent before position 2: the loop ends with the error box and keeps 0 and 1.
    Positions(*dialog).DeleteAllItems();
    bool silenced = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        CProgressDlg* progress = dialog->Progress();
        if (silenced || !progress)
            return;
        if (progress->findChild<QLabel*>(QString::number(CProgressDlg::kStatus))->text() ==
            QStringLiteral("Lettura posizione 2...")) {
            silenced = Simulvex(QStringLiteral("fault silence on")).startsWith(QStringLiteral("OK"));
        }
    });
    watch.start(0);
    MessageBoxRecorder boxes;
    ReadRange(*dialog, 0, 4);
    watch.stop();
    Simulvex(QStringLiteral("fault silence off"));
    EXPECT_TRUE(silenced);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen().front().title, QStringLiteral("Fonivra"));
    EXPECT_EQ(boxes.Seen().front().icon, QMessageBox::Critical);
    EXPECT_EQ(Listed(*dialog), (QStringList{"0 0612", "1 0612"}));
    EXPECT_TRUE(Get<QPushButton>(*dialog, CPbxDirectoryDlg::kSave)->isEnabled());
}

TEST_P(PbxDirectoryTest, TheListIsSavedAsTabsOrAsCsvWithTheSeparatorQuoted)
{
    SetLanguage(kLanguageItalian);  // its list separator is ";"
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    AddContact(QStringLiteral("Rossi; Mario"), {QStringLiteral("0655")});
    WriteCommon(4, "0655");
    std::unique_ptr<CPbxDirectoryDlg> dialog = Open();
    ReadRange(*dialog, 4, 4);
    ASSERT_EQ(Listed(*dialog), QStringList{"4 0655 Rossi; Mario"});
    QTemporaryDir folder;
    auto contents = [&](const QString& name) {
        QFile file(folder.path() + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("(none)");
    };
    // Typed with ".txt", saved with the list separator as ".csv".
    EXPECT_TRUE(dialog->SaveList(folder.path() + QStringLiteral("/rubrica.txt"), CPbxDirectoryDlg::kCsvFilter));
    EXPECT_EQ(contents(QStringLiteral("rubrica.csv")),
              QStringLiteral("Posizione;Numero;Nome\r\n4;0655;\"Rossi; Mario\"\r\n"));
    EXPECT_FALSE(QFile::exists(folder.path() + QStringLiteral("/rubrica.txt")));
    EXPECT_TRUE(dialog->SaveList(folder.path() + QStringLiteral("/centralino."), CPbxDirectoryDlg::kTabFilter));
    EXPECT_EQ(contents(QStringLiteral("centralino.txt")),
              QStringLiteral("Posizione\tNumero\tNome\r\n4\t0655\tRossi; Mario\r\n"));

    MessageBoxRecorder boxes;
    EXPECT_FALSE(dialog->SaveList(folder.path() + QStringLiteral("/missing/rubrica"), CPbxDirectoryDlg::kTabFilter));
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen().front().text, QStringLiteral("Errore nell'apertura del file selezionato"));
}

TEST_P(PbxDirectoryTest, AGlobalBookIsReadAndWrittenByEntryRequestsOfBook255)
{
    SimulvexModel model;
    model.configuration = {QStringLiteral("set config 1 16")};
    Start(model);
    if (IsSkipped() || HasFatalFailure())
        return;
    ASSERT_EQ(m_state.firstConfiguration.bytes[1] & 0x10, 0x10);
    WriteEntry(PbxDirectory::kGlobalBook, 7, "0677");
    AddContact(QStringLiteral("Gamma"), {QStringLiteral("0688")});
    std::unique_ptr<CPbxDirectoryDlg> dialog = Open();
    for (const int id : {CPbxDirectoryDlg::kReadBook, CPbxDirectoryDlg::kWriteBook}) {
        auto books = Get<QComboBox>(*dialog, id);
        ASSERT_EQ(books->count(), 1);
        EXPECT_EQ(books->itemText(0), QStringLiteral("Rubrica globale"));
    }
    EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kLast)->GetValue(), 15);
    EXPECT_EQ(dialog->AvailableCount(), 15);
    Click(*dialog, CPbxDirectoryDlg::kRead);
    EXPECT_EQ(Listed(*dialog), QStringList{"7 0677"});

    Get<QLineEdit>(*dialog, CPbxDirectoryDlg::kSearchText)->setText(QStringLiteral("Gamma"));
    Click(*dialog, CPbxDirectoryDlg::kSearch);
    ASSERT_EQ(Get<CSortListCtrl>(*dialog, CPbxDirectoryDlg::kContacts)->ItemCount(), 1);
    Select(*Get<CSortListCtrl>(*dialog, CPbxDirectoryDlg::kContacts), {0});
    Click(*dialog, CPbxDirectoryDlg::kImport);
    EXPECT_EQ(ReadEntry(PbxDirectory::kGlobalBook, 1), QStringLiteral("0688"));
    EXPECT_EQ(Listed(*dialog), (QStringList{"1 0688 Gamma", "7 0677"}));
    Select(Positions(*dialog), {1});
    Click(*dialog, CPbxDirectoryDlg::kDelete);
    EXPECT_EQ(ReadEntry(PbxDirectory::kGlobalBook, 7), QString());
    EXPECT_EQ(Listed(*dialog), QStringList{"1 0688 Gamma"});
}

TEST_P(PbxDirectoryTest, ACommonBookPast256StopsAtPosition255AndAnEmptyBookOffersNoRange)
{
    SimulvexModel model;
    model.configuration = {QStringLiteral("set phonebook 300 0")};
    Start(model);
    if (IsSkipped() || HasFatalFailure())
        return;
    WriteCommon(0, "0100");
    WriteCommon(254, "0254");
    AddContact(QStringLiteral("Limite Uno"), {QStringLiteral("0711")});
    AddContact(QStringLiteral("Limite Due"), {QStringLiteral("0722"), QStringLiteral("0723")});
    std::unique_ptr<CPbxDirectoryDlg> dialog = Open();
    EXPECT_EQ(dialog->CommonSize(), 256);
    EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kLast)->GetValue(), 255);
    EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kPosition)->GetMaximum(), 255);
    ReadRange(*dialog, 250, 255);
    EXPECT_EQ(Listed(*dialog), QStringList{"254 0254"});

    // Two numbers do not fit from position 255 on; one goes there and position 0 keeps its number.
    Get<QLineEdit>(*dialog, CPbxDirectoryDlg::kSearchText)->setText(QStringLiteral("Limite"));
    Click(*dialog, CPbxDirectoryDlg::kSearch);
    auto& contacts = *Get<CSortListCtrl>(*dialog, CPbxDirectoryDlg::kContacts);
    ASSERT_EQ(contacts.ItemCount(), 2);
    TypePosition(*dialog, 255);
    EXPECT_EQ(dialog->AvailableCount(), 1);
    Select(contacts, {0});  // "Limite Due", two numbers
    EXPECT_FALSE(Get<QPushButton>(*dialog, CPbxDirectoryDlg::kImport)->isEnabled());
    Select(contacts, {1});
    ASSERT_TRUE(Get<QPushButton>(*dialog, CPbxDirectoryDlg::kImport)->isEnabled());
    Click(*dialog, CPbxDirectoryDlg::kImport);
    EXPECT_EQ(ReadCommon(255), QStringLiteral("0711"));
    EXPECT_EQ(ReadCommon(0), QStringLiteral("0100"));

    // The personal book has no positions: nothing to read, nowhere to write.
    Get<QComboBox>(*dialog, CPbxDirectoryDlg::kReadBook)->setCurrentIndex(1);
    Get<QComboBox>(*dialog, CPbxDirectoryDlg::kWriteBook)->setCurrentIndex(1);
    EXPECT_FALSE(Get<QPushButton>(*dialog, CPbxDirectoryDlg::kRead)->isEnabled());
    EXPECT_FALSE(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kPosition)->isEnabled());
    EXPECT_EQ(dialog->AvailableCount(), 0);
    EXPECT_FALSE(Get<QPushButton>(*dialog, CPbxDirectoryDlg::kImport)->isEnabled());
}

TEST_P(PbxDirectoryTest, AnEmptyGlobalBookOffersNoRangeAndEverySelectedPositionIsDeleted)
{
    SimulvexModel model;
    model.configuration = {QStringLiteral("set config 1 16"), QStringLiteral("set phonebook 32 0 0")};
    Start(model);
    if (IsSkipped() || HasFatalFailure())
        return;
    {
        std::unique_ptr<CPbxDirectoryDlg> dialog = Open();
        EXPECT_EQ(dialog->GlobalSize(), 0);
        EXPECT_FALSE(Get<QPushButton>(*dialog, CPbxDirectoryDlg::kRead)->isEnabled());
        EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kLast)->GetMaximum(), 0);
        EXPECT_EQ(dialog->AvailableCount(), 0);
    }
    // A global book of 2 x 256 + 8 positions, all filled and all deleted at once.
    constexpr int kPositions = 520;
    ASSERT_EQ(Simulvex(QStringLiteral("set phonebook 32 8 2")), QStringLiteral("OK"));
    for (int position = 0; position < kPositions; ++position)
        WriteEntry(PbxDirectory::kGlobalBook, position, "0612");
    std::unique_ptr<CPbxDirectoryDlg> dialog = Open();
    EXPECT_EQ(Get<CNumericEdit>(*dialog, CPbxDirectoryDlg::kLast)->GetValue(), kPositions - 1);
    Click(*dialog, CPbxDirectoryDlg::kRead);
    CSortListCtrl& list = Positions(*dialog);
    ASSERT_EQ(list.ItemCount(), kPositions);
    list.selectAll();
    Click(*dialog, CPbxDirectoryDlg::kDelete);
    EXPECT_EQ(list.ItemCount(), 0);
    for (const int position : {0, 511, 512, kPositions - 1})
        EXPECT_EQ(ReadEntry(PbxDirectory::kGlobalBook, position), QString()) << position;
}

TEST_P(PbxDirectoryTest, OpeningFailsWithTheBoxWithoutADatabaseOrAnAnswerOfThePbx)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    struct Case {
        const InstallationSettings* installation;
        const char* fault;
        QString text;
    };
    InstallationSettings missing(QStringLiteral("/nonexistent/Installation.ini"));
    const Case cases[] = {{&missing, nullptr, QStringLiteral("Codice errore 151")},
                          {m_installation.get(), "fault silence", QStringLiteral("Codice errore 30")}};
    for (const Case& c : cases) {
        m_context.installation = c.installation;
        if (c.fault)
            Simulvex(QLatin1StringView(c.fault) + QStringLiteral(" on"));
        MessageBoxRecorder boxes;
        CPbxDirectoryDlg dialog(m_context);
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        if (c.fault)
            Simulvex(QLatin1StringView(c.fault) + QStringLiteral(" off"));
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen().front().title, QStringLiteral("Fonivra"));
        EXPECT_TRUE(boxes.Seen().front().text.contains(c.text)) << boxes.Seen().front().text.toStdString();
        EXPECT_FALSE(dialog.isVisible());
    }
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(PbxDirectoryTest);

}  // namespace
