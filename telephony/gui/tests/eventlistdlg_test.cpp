// The event lists dialog on the catalog that the engine Pultex keeps for Simulvex, on SQLite and
// PostgreSQL: rows written with the engine's and the console's writers across a month end, the periods
// and the first show, each type's rewrite of the stored rows, the actions (calls reach Simulvex, a deleted
// message is relayed to the workstations), the export, and the recordings of a real FTP server played
// through the silent audio output. Pictures of every type and of the player in both languages.
#include "binaryrecord.h"
#include "clippedtextcheck.h"
#include "consolewindowsfixture.h"
#include "contactimportdlg.h"
#include "eventlistdlg.h"
#include "language.h"
#include "listexport.h"
#include "localftpserver.h"
#include "logindlg.h"
#include "noterecord.h"
#include "pbxdisplaynames.h"
#include "pbxframebuilders.h"
#include "pbxrecord.h"
#include "recorderftpclient.h"
#include "recordprogressdlg.h"
#include "sortlistctrl.h"
#include "stringtable.h"
#include "textdlg.h"
#include "voicemailusers.h"
#include "widgettesting.h"

#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QWindow>

#include <deque>

namespace {

using namespace consolewindows;
using namespace PbxRecord;

constexpr int kOther = 4;          // an extension that is not this workstation's
constexpr int kLineIndex = 3;      // a line of the PBX
constexpr int kEntryPhone = 1;
constexpr int kNoTransfer = 255;
constexpr int kExternalCall = 2;   // a link kind
const QString kAdministrator = QStringLiteral("Rossi");
const QString kAdministratorPassword = QStringLiteral("Segreto");
const QString kUser = QStringLiteral("Bianchi");
const QString kUserPassword = QStringLiteral("Ascolto");

QString Text(unsigned id) { return LoadResString(id); }

// The last day of the month before today's, and the first of today's: rows either side of a month end.
OleDate LastDayOfPreviousMonth(int hour, int minute)
{
    const QDate first = QDate::currentDate().addDays(1 - QDate::currentDate().day());
    const QDate last = first.addDays(-1);
    return OleDate(last.year(), last.month(), last.day(), hour, minute);
}
OleDate FirstDayOfThisMonth(int hour, int minute)
{
    const QDate today = QDate::currentDate();
    return OleDate(today.year(), today.month(), 1, hour, minute);
}
OleDate Today(int hour, int minute, int second = 0)
{
    const QDate today = QDate::currentDate();
    return OleDate(today.year(), today.month(), today.day(), hour, minute, second);
}

// A WAVE file of 8-bit linear samples at 8000 per second, one channel (or none).
QByteArray Wave(int seconds, std::uint16_t channels = 1)
{
    const qsizetype bytes = 8000 * seconds;
    QByteArray wave("RIFF\0\0\0\0WAVEfmt \x10\0\0\0", 20);
    QByteArray fields(16, '\0');
    PutU16(fields, 0, 1);
    PutU16(fields, 2, channels);
    PutU32(fields, 4, 8000);
    PutU32(fields, 8, 8000);
    PutU16(fields, 12, 1);
    PutU16(fields, 14, 8);
    QByteArray size(4, '\0');
    PutU32(size, 0, static_cast<std::uint32_t>(bytes));
    wave += fields + QByteArray("data", 4) + size + QByteArray(bytes, '\x80');
    PutU32(wave, 4, static_cast<std::uint32_t>(wave.size() - 8));
    return wave;
}

// The voice box's users as the recorder keeps them: compressed with zlib.
QByteArray UsersTable(const QList<QPair<QString, QString>>& users)
{
    QByteArray table(CVoiceMailUsers::kSize, '\0');
    table[0] = static_cast<char>(users.size());
    for (int i = 0; i < users.size(); ++i) {
        WriteAnsiField(table, 1 + i * 64, 32, users[i].first);
        WriteAnsiField(table, 1 + i * 64 + 32, 32, users[i].second);
    }
    return qCompress(table).mid(4);
}

QStringList RecordingFilesLeft()
{
    return QDir::temp().entryList({QStringLiteral("FonivraRecording-*")}, QDir::Files);
}

class EventListTest : public ConsoleWindowsTest {
protected:
    void SetUp() override { SetLanguage(kLanguageItalian); }
    void TearDown() override
    {
        SetLanguage(kLanguageItalian);
        ConsoleWindowsTest::TearDown();
    }

    bool Start()
    {
        StartOn(SimulvexModel{});
        if (IsSkipped() || HasFatalFailure())
            return false;
        // The engine's start may leave rows of its own: each test begins with empty lists.
        for (const char* table : {"LogCallsSwNew", "WakeEvents", "AlarmEventsNew", "InternalMessage", "NewNotes", "AddressBook"}) {
            EXPECT_EQ(m_database->OpenRecordset(QStringLiteral("DELETE FROM ") + QString::fromLatin1(table)), kNoError) << table;
            m_database->CloseRecordset();
        }
        return !HasFailure();
    }

    // A dialog whose questions to the user and the desktop the test answers.
    std::unique_ptr<CEventListDlg> Open(int type, int extension, int option, int secondOption,
                                        const OleDate& reference = OleDate())
    {
        auto dialog = std::make_unique<CEventListDlg>(type, extension, option, secondOption, reference, m_context);
        CEventListDlg::Hooks& hooks = dialog->DialogHooks();
        hooks.message = [this](const QString&, const QString& text) { m_messages << text; };
        hooks.error = [this](int code) { m_errors.push_back(code); };
        hooks.openUrl = [this](const QUrl& url) {
            m_urls << url;
            return true;
        };
        hooks.setClipboard = [this](const QString& text) { m_clipboard = text; };
        hooks.runDialog = [this](QDialog& shown) { return Answer(shown); };
        hooks.saveFileName = [this](const QString&, const QString&, int& filterIndex) {
            filterIndex = m_filterIndex;
            return m_savePath;
        };
        return dialog;
    }

    // Shows the dialog as the program does; the first show connects its database.
    static void Show(QWidget& dialog)
    {
        dialog.show();
        EXPECT_TRUE(WaitFor([&] { return dialog.windowHandle() && dialog.windowHandle()->isExposed(); }));
    }

    // The dialogs the list opens: logins from the queue, a note's text, the text viewer.
    int Answer(QDialog& shown)
    {
        m_opened << shown.metaObject()->className();
        if (auto import = qobject_cast<CContactImportDlg*>(&shown)) {
            m_importedNumber = import->PendingNumber();
            return QDialog::Rejected;
        }
        if (auto login = qobject_cast<CLoginDlg*>(&shown)) {
            if (m_logins.empty())
                return QDialog::Rejected;
            login->findChild<QLineEdit*>(QString::number(CLoginDlg::kUserName))->setText(m_logins.front().first);
            login->findChild<QLineEdit*>(QString::number(CLoginDlg::kPassword))->setText(m_logins.front().second);
            m_logins.pop_front();
            return QDialog::Accepted;
        }
        if (auto text = qobject_cast<CTextDlg*>(&shown)) {
            m_shownText = text->findChild<QPlainTextEdit*>(QString::number(CTextDlg::kText))->toPlainText();
            if (text->IsViewMode())
                return QDialog::Accepted;
            text->findChild<QPlainTextEdit*>(QString::number(CTextDlg::kText))->setPlainText(m_noteText);
            text->findChild<QPushButton*>(QString::number(CTextDlg::kOk))->click();
            return text->result();
        }
        return QDialog::Rejected;
    }

    // A call as the engine stores it when the extension hangs up.
    void WriteCall(const OleDate& start, int seconds, int extension, int linkKind, int linkIndex, int type,
                   const QString& number, int from = kNoTransfer, int to = kNoTransfer)
    {
        QByteArray state(kCallStateSize, '\0');
        PutU8(state, kCallStateLinkType, static_cast<std::uint8_t>(linkKind));
        PutU8(state, kCallStateLinkIndex, static_cast<std::uint8_t>(linkIndex));
        PutU16(state, kCallStateHandedFrom, static_cast<std::uint16_t>(from | (to << 8)));
        PutU8(state, kCallStateKind, static_cast<std::uint8_t>(type));
        PutF64(state, kCallStateStart, start.Value());
        WriteAnsiField(state, kCallStateNumber, kCallStateNumberWidth, number);
        ASSERT_EQ(m_database->InsertCallSwNew(kPbx, start.AddSeconds(seconds), extension, state), kNoError);
    }

    QString Stripped(QString number) const
    {
        StripDialPrefix(number, m_state.FirstCounts().lines);
        return number;
    }

    static QStringList Column(const CEventListDlg& dialog, int column)
    {
        QStringList texts;
        for (int row = 0; row < dialog.List().ItemCount(); ++row)
            texts << dialog.List().ItemText(row, column);
        return texts;
    }
    static int RowOf(const CEventListDlg& dialog, int column, const QString& text)
    {
        for (int row = 0; row < dialog.List().ItemCount(); ++row)
            if (dialog.List().ItemText(row, column) == text)
                return row;
        return -1;
    }
    template <typename Widget>
    static Widget* Control(const CEventListDlg& dialog, int id)
    {
        return dialog.findChild<Widget*>(QString::number(id));
    }
    static void Press(const CEventListDlg& dialog, int id) { Control<QPushButton>(dialog, id)->click(); }

    QStringList m_messages;
    std::vector<int> m_errors;
    QList<QUrl> m_urls;
    QString m_clipboard;
    QStringList m_opened;
    std::deque<QPair<QString, QString>> m_logins;
    QString m_noteText;
    QString m_shownText;
    QString m_importedNumber;
    QString m_savePath;
    int m_filterIndex = 0;
};

// --- Periods and the first show -------------------------------------------------------------------

TEST_P(EventListTest, WithoutADateItWaitsForRefreshWithOneItFillsItselfToTheDaysLastSecond)
{
    if (!Start())
        return;
    WriteCall(Today(23, 59, 30), 20, kOwnExtension, kExternalCall, kLineIndex, 3, QStringLiteral("0612345"));
    WriteCall(LastDayOfPreviousMonth(23, 50), 60, kOwnExtension, kExternalCall, kLineIndex, 3, QStringLiteral("0699"));

    auto waiting = Open(CEventListDlg::kCalls, CEventListDlg::kAllExtensions, 3, 0);
    EXPECT_EQ(waiting->PeriodEnd(), Today(23, 59, 59));
    const OleDate first = Today(0, 0).AddDays(-30);
    EXPECT_EQ(waiting->PeriodStart(), first);
    Show(*waiting);
    QCoreApplication::processEvents();
    EXPECT_EQ(waiting->List().ItemCount(), 0);
    Press(*waiting, CEventListDlg::kRefresh);
    EXPECT_EQ(waiting->List().ItemCount(), 2);
    EXPECT_TRUE(m_errors.empty());

    // From the first of the month: the call at 23:59:30 today is in, the one before the month end not.
    auto missed = Open(CEventListDlg::kCalls, kOwnExtension, 2, 0, FirstDayOfThisMonth(0, 0));
    EXPECT_EQ(missed->PeriodStart(), FirstDayOfThisMonth(0, 0));
    EXPECT_EQ(missed->PeriodEnd(), Today(23, 59, 59));
    Show(*missed);
    ASSERT_TRUE(WaitFor([&] { return missed->List().ItemCount() > 0; }));
    // A missed call keeps its number as it came.
    EXPECT_EQ(Column(*missed, 8), QStringList{QStringLiteral("0612345")});

    auto messages = Open(CEventListDlg::kMessages, CEventListDlg::kAllExtensions, 2, 2, Today(8, 0));
    EXPECT_EQ(messages->PeriodStart(), OleDate(2007, 1, 1));
}

// --- The rewrite of each type ------------------------------------------------------------------------

TEST_P(EventListTest, CallRowsTurnIntoNamesTextsAndFilteredNumbers)
{
    if (!Start())
        return;
    QStringList contact(16);
    contact[0] = QStringLiteral("Rossi Mario");
    contact[8] = QStringLiteral("612345");
    ASSERT_EQ(m_database->InsertContactFromList(contact, true, true), kNoError);

    const auto stripped = [this](const QString& number) { return Stripped(number); };
    struct CallCase {
        int linkKind;
        int linkIndex;
        int type;
        QString number;
        QString link;      // the "Link" cell
        QString typeText;  // the "Tipo" cell
        QString shown;     // the "Numero" cell
        QString name;
    };
    const QString entryPhone = FormatEntryPhoneName(m_state, m_context.labels, kEntryPhone);
    const QString line = FormatLineName(m_state, m_context.labels, kLineIndex);
    const std::vector<CallCase> cases{
        {0, 0, 1, QStringLiteral("1001"), Text(10025), Text(14150), QStringLiteral("1001"), {}},
        {1, m_model.labelledExtension, 2, QStringLiteral("202"), m_model.label, Text(14151), QStringLiteral("202"), {}},
        {2, kLineIndex, 2, QStringLiteral("0612345"), line, Text(14151), stripped(QStringLiteral("0612345")),
         QStringLiteral("ROSSI MARIO")},
        {2, kLineIndex, 1, QStringLiteral("0612345"), line, Text(14150), QStringLiteral("0612345"), {}},
        {3, kEntryPhone, 3, QStringLiteral("9"), entryPhone, Text(14152), QStringLiteral("9"), {}},
        {2, 200, 4, QStringLiteral("0688"), QString(), Text(14153), stripped(QStringLiteral("0688")), {}},
        {5, 0, 4, QStringLiteral("012"), QString(), Text(14153), QStringLiteral("012"), {}},
        {1, 0, 0, QStringLiteral("33"), m_context.ExtensionName(0), Text(14149), QStringLiteral("33"), {}},
    };
    ASSERT_NE(stripped(QStringLiteral("0612345")), QStringLiteral("0612345"));
    OleDate start = LastDayOfPreviousMonth(23, 0);
    for (const CallCase& c : cases) {
        WriteCall(start, 95, kOther, c.linkKind, c.linkIndex, c.type, c.number, kOwnExtension, m_model.labelledExtension);
        start = start.AddSeconds(15 * 60);  // the later ones after midnight, in this month
    }

    auto dialog = Open(CEventListDlg::kCalls, CEventListDlg::kAllExtensions, 3, 0);
    dialog->SetPeriod(LastDayOfPreviousMonth(0, 0), Today(23, 59, 59));
    Show(*dialog);
    ASSERT_TRUE(dialog->Refresh());
    ASSERT_EQ(dialog->List().ItemCount(), static_cast<int>(cases.size()));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const int row = static_cast<int>(i);
        const CallCase& c = cases[i];
        SCOPED_TRACE(c.number.toStdString());
        EXPECT_EQ(dialog->List().ItemText(row, 0), m_context.ExtensionName(kOther));
        EXPECT_EQ(dialog->List().ItemText(row, 3), QStringLiteral("00:01:35"));
        EXPECT_EQ(dialog->List().ItemText(row, 4), c.link);
        EXPECT_EQ(dialog->List().ItemText(row, 5), c.typeText);
        EXPECT_EQ(dialog->List().ItemText(row, 6), m_context.ExtensionName(kOwnExtension));
        EXPECT_EQ(dialog->List().ItemText(row, 7), m_model.label);
        EXPECT_EQ(dialog->List().ItemText(row, 8), c.shown);
        EXPECT_EQ(dialog->List().ItemText(row, 9), c.name);
        EXPECT_EQ(dialog->RowAt(row)->link, c.linkKind * 256 + c.linkIndex);
    }

    // Filters 3-6 on the upper-cased text of edit 1139.
    struct FilterCase {
        int secondOption;
        QString text;
        QStringList numbers;
    };
    const FilterCase filters[] = {
        {3, QStringLiteral("06"), {QStringLiteral("0612345")}},
        {4, QStringLiteral("123"), {Stripped(QStringLiteral("0612345")), QStringLiteral("0612345")}},
        {5, QStringLiteral("rossi"), {Stripped(QStringLiteral("0612345"))}},
        {6, QStringLiteral("mario"), {Stripped(QStringLiteral("0612345"))}},
        {5, QStringLiteral("mario"), {}},
    };
    for (const FilterCase& f : filters) {
        auto filtered = Open(CEventListDlg::kCalls, CEventListDlg::kAllExtensions, 3, f.secondOption);
        filtered->SetPeriod(LastDayOfPreviousMonth(0, 0), Today(23, 59, 59));
        Control<QLineEdit>(*filtered, CEventListDlg::kCallFilter)->setText(f.text);
        Show(*filtered);
        ASSERT_TRUE(filtered->Refresh());
        EXPECT_EQ(Column(*filtered, 8), f.numbers) << f.secondOption << " " << f.text.toStdString();
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_P(EventListTest, WakeUpsAlarmsMessagesAndNotes)
{
    if (!Start())
        return;
    // Wake-up events of two days either side of the month end.
    m_database->SetClock([] { return LastDayOfPreviousMonth(12, 0); });
    ASSERT_EQ(m_database->InsertWakeEvent(kPbx, QByteArray("\x04\x01\x07\x1e\x00", 5)), kNoError);
    m_database->SetClock([] { return FirstDayOfThisMonth(12, 0); });
    ASSERT_EQ(m_database->InsertWakeEvent(kPbx, QByteArray("\x01\x00\x06\x00\x00", 5)), kNoError);
    m_database->SetClock({});
    auto events = Open(CEventListDlg::kWakeUps, CEventListDlg::kAllExtensions, 0, 0, LastDayOfPreviousMonth(0, 0));
    Show(*events);
    ASSERT_TRUE(WaitFor([&] { return events->List().ItemCount() == 2; }));
    EXPECT_EQ(Column(*events, 0), (QStringList{m_context.ExtensionName(kOther), m_context.ExtensionName(kOwnExtension)}));
    EXPECT_EQ(Column(*events, 2), (QStringList{Text(14101), Text(14100)}));

    // Active wake-ups of all extensions come from memory: no connection is needed, the date reads "Nessuno".
    m_state.tables.extensionWakeUp[kOther] = {0, 2, 7, 30, 0};
    m_state.tables.extensionWakeUp[kOwnExtension] = {0, 1, 6, 45, 10};
    auto active = Open(CEventListDlg::kWakeUps, CEventListDlg::kAllExtensions, 0, 0);
    auto chooser = Control<QComboBox>(*active, CEventListDlg::kFirstCombo);
    chooser->setCurrentIndex(1);
    emit chooser->activated(1);
    EXPECT_TRUE(Control<QLabel>(*active, CEventListDlg::kDateFilterText)->text().endsWith(Text(10051)));
    EXPECT_TRUE(active->Refresh());
    EXPECT_EQ(Column(*active, 0), (QStringList{m_context.ExtensionName(kOwnExtension), m_context.ExtensionName(kOther)}));
    EXPECT_EQ(Column(*active, 1), (QStringList{QStringLiteral("06:45:10"), QStringLiteral("07:30:00")}));
    EXPECT_EQ(Column(*active, 2), (QStringList{Text(10033), Text(10034)}));

    // Alarms: names, the outcome and the alarm's label.
    ASSERT_EQ(m_database->SaveAlarmLabel(kPbx, kOther, QStringLiteral("Bagno 4")), kNoError);
    ASSERT_EQ(m_database->InsertAlarmEvent(kPbx, {kAlarmOfExtension, kOther, 1}, LastDayOfPreviousMonth(23, 58),
                                           kOwnExtension, 1),
              kNoError);
    auto alarms = Open(CEventListDlg::kAlarms, CEventListDlg::kAllExtensions, 0, 0, LastDayOfPreviousMonth(0, 0));
    Show(*alarms);
    ASSERT_TRUE(WaitFor([&] { return alarms->List().ItemCount() == 1; }));
    EXPECT_EQ(Column(*alarms, 0), QStringList{m_context.ExtensionName(kOther)});
    EXPECT_EQ(Column(*alarms, 3), QStringList{Text(14101)});
    EXPECT_EQ(Column(*alarms, 4), QStringList{m_context.ExtensionName(kOwnExtension)});
    EXPECT_EQ(Column(*alarms, 5), QStringList{QStringLiteral("Bagno 4")});

    // Messages both ways between this workstation's extension and another.
    ASSERT_EQ(m_database->InsertMessage(kPbx, kPbx, kOwnExtension, kOther, QStringLiteral("to the other")), kNoError);
    ASSERT_EQ(m_database->InsertMessage(kPbx, kPbx, kOther, kOwnExtension, QStringLiteral("l'altro scrive")), kNoError);
    struct MessageCase {
        int option;
        QString text;
        QString from;
        QString to;
    };
    const MessageCase messageCases[] = {
        {0, QStringLiteral("l'altro scrive"), m_context.ExtensionName(kOther), m_context.ExtensionName(kOwnExtension)},
        {1, QStringLiteral("to the other"), m_context.ExtensionName(kOwnExtension), m_context.ExtensionName(kOther)},
    };
    for (const MessageCase& c : messageCases) {
        auto messages = Open(CEventListDlg::kMessages, kOther, c.option, 2, Today(0, 0));
        Show(*messages);
        ASSERT_TRUE(WaitFor([&] { return messages->List().ItemCount() == 1; })) << c.option;
        EXPECT_EQ(Column(*messages, 0), QStringList{c.from});
        EXPECT_EQ(Column(*messages, 1), QStringList{c.to});
        EXPECT_EQ(Column(*messages, 3), QStringList{c.text});
    }

    // Notes: no filter, by extension, by line and by number.
    NoteRecord onLine{static_cast<std::uint16_t>(512 + kLineIndex), FirstDayOfThisMonth(0, 5), QStringLiteral("0612345"),
                      QStringLiteral("richiamare")};
    NoteRecord onExtension{static_cast<std::uint16_t>(256 + m_model.labelledExtension), LastDayOfPreviousMonth(22, 0),
                           QStringLiteral("202"), QStringLiteral("interno")};
    ASSERT_EQ(m_database->InsertNote(kPbx, kOwnExtension, onLine), kNoError);
    ASSERT_EQ(m_database->InsertNote(kPbx, kOwnExtension, onExtension), kNoError);
    struct NoteCase {
        int filter;
        int choice;
        QString number;
        QStringList notes;
    };
    const NoteCase noteCases[] = {
        {0, 0, {}, {QStringLiteral("interno"), QStringLiteral("richiamare")}},
        {1, m_model.labelledExtension, {}, {QStringLiteral("interno")}},
        {2, kLineIndex, {}, {QStringLiteral("richiamare")}},
        {2, kLineIndex + 1, {}, {}},
        {3, 0, QStringLiteral("1234"), {QStringLiteral("richiamare")}},
    };
    for (const NoteCase& c : noteCases) {
        auto notes = Open(CEventListDlg::kNotes, kOwnExtension, 0, 0, LastDayOfPreviousMonth(0, 0));
        auto filter = Control<QComboBox>(*notes, CEventListDlg::kFirstCombo);
        filter->setCurrentIndex(c.filter);
        emit filter->activated(c.filter);
        Control<QComboBox>(*notes, CEventListDlg::kSecondCombo)->setCurrentIndex(c.choice);
        Control<QLineEdit>(*notes, CEventListDlg::kNoteNumber)->setText(c.number);
        Show(*notes);
        QCoreApplication::processEvents();
        ASSERT_TRUE(notes->Refresh());
        EXPECT_EQ(Column(*notes, 5), c.notes) << c.filter << " " << c.choice;
    }
    auto notes = Open(CEventListDlg::kNotes, kOwnExtension, 0, 0, LastDayOfPreviousMonth(0, 0));
    Show(*notes);
    ASSERT_TRUE(WaitFor([&] { return notes->List().ItemCount() == 2; }));
    const int lineNote = RowOf(*notes, 5, QStringLiteral("richiamare"));
    EXPECT_EQ(notes->List().ItemText(lineNote, 2), FormatLineName(m_state, m_context.labels, kLineIndex));
    EXPECT_EQ(notes->List().ItemText(RowOf(*notes, 5, QStringLiteral("interno")), 2), m_model.label);
    EXPECT_TRUE(m_errors.empty());
}

TEST(EventListMessageCells, PartiesOfBothPbxsOrUnknown)
{
    OperatorConsoleState state;
    auto& first = state.firstInitialization.bytes;
    first[PbxInitialization::kExtensionCountOffset] = 6;
    auto& second = state.secondInitialization.bytes;
    second[PbxInitialization::kExtensionCountOffset] = 3;
    state.firstPbxIdentifier = 2;
    state.secondPbxIdentifier = 9;
    state.hasSecondPbx = true;
    state.tables.Allocate({9, 0, 0, 0});
    ConsoleWindowContext context;
    context.state = &state;
    context.labels = [](PbxLabelKind, int pbx, int index) { return QStringLiteral("P%1-%2").arg(pbx).arg(index); };
    struct Case {
        const char* cell;
        QString name;
    };
    const QString unknown = LoadResString(1005);
    const Case cases[] = {
        {"4 + 2", QStringLiteral("P2-4")}, {"1 + 9", QStringLiteral("P9-1")}, {"6 + 2", unknown},
        {"3 + 9", unknown},               {"1 + 5", unknown},                {"12", unknown},
        {"", unknown},                    {"x + 2", unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CEventListDlg::MessagePartyName(QString::fromLatin1(c.cell), context), c.name) << c.cell;
}

// --- Actions ------------------------------------------------------------------------------------------

// The digits that Simulvex received from the own extension, in order (the digit frames 0x10).
QString DialledDigits(const QString& frames, int extension)
{
    QString digits;
    const QString prefix = QStringLiteral("161610");
    for (const QString& entry : frames.split(QStringLiteral(" | "))) {
        const QString hex = entry.section(u' ', -1).toLower();
        if (!hex.startsWith(prefix))
            continue;
        const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
        if (bytes.size() > 5 && static_cast<std::uint8_t>(bytes[4]) == extension)
            digits += QString::fromLatin1(bytes.mid(5));
    }
    return digits;
}

TEST_P(EventListTest, CallBackReachesSimulvexByLinkKindAndLine)
{
    if (!Start())
        return;
    m_state.tables.extensionStatus[kOwnExtension].bytes[2] = 2;  // ready
    WriteCall(Today(0, 1), 10, kOwnExtension, 1, kOther, 2, QStringLiteral("204"));
    WriteCall(Today(0, 2), 10, kOwnExtension, 3, kEntryPhone, 1, QString());
    WriteCall(Today(0, 3), 10, kOwnExtension, 2, kLineIndex, 1, QStringLiteral("0612345"));
    auto dialog = Open(CEventListDlg::kCalls, CEventListDlg::kAllExtensions, 3, 0);
    Show(*dialog);
    ASSERT_TRUE(dialog->Refresh());
    ASSERT_EQ(dialog->List().ItemCount(), 3);
    auto lines = Control<QComboBox>(*dialog, CEventListDlg::kLineCombo);
    const int direct = lines->count() - 1;

    struct CallCase {
        int row;
        int lineChoice;  // -1: as the click sets it
        QString dialled;
        int clickedChoice;
    };
    const CallCase cases[] = {
        {0, -1, FormatExtensionPortCode(m_state, kOther), direct},
        {1, -1, FormatEntryPhoneNumber(m_state, kEntryPhone), direct},
        {2, -1, FormatLineAccessCode(m_state, kLineIndex + 1) + QStringLiteral("0612345"), kLineIndex + 1},
        {2, 0, FormatLineAccessCode(m_state, 0) + QStringLiteral("0612345"), kLineIndex + 1},
        {2, direct, QStringLiteral("0612345"), kLineIndex + 1},
    };
    for (const CallCase& c : cases) {
        ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
        dialog->ClickRow(c.row);
        EXPECT_EQ(lines->currentIndex(), c.clickedChoice) << c.row;
        EXPECT_TRUE(Control<QPushButton>(*dialog, CEventListDlg::kAction)->isEnabled());
        if (c.lineChoice >= 0)
            lines->setCurrentIndex(c.lineChoice);
        Press(*dialog, CEventListDlg::kAction);
        EXPECT_TRUE(WaitFor([&] { return DialledDigits(Simulvex(QStringLiteral("frames")), kOwnExtension) == c.dialled; },
                            kWaitMs))
            << c.row << " " << c.dialled.toStdString() << " got "
            << DialledDigits(Simulvex(QStringLiteral("frames")), kOwnExtension).toStdString();
    }

    // "Cerca" opens the directory's look-up with the number percent-encoded.
    WriteCall(Today(0, 4), 10, kOwnExtension, 2, kLineIndex, 1, QStringLiteral("+39 06&1"));
    ASSERT_TRUE(dialog->Refresh());
    dialog->ClickRow(RowOf(*dialog, 8, QStringLiteral("+39 06&1")));
    Press(*dialog, CEventListDlg::kSearch);
    ASSERT_EQ(m_urls.size(), 1);
    EXPECT_EQ(m_urls[0].toString(QUrl::FullyEncoded),
              QStringLiteral("https://directory.example/execute.cgi?btt=1&ts=106&cb=8&mr=10&rk=&om=&qs=%2B39%2006%261"));

    // "Rubrica" opens the address book's import with the row's number, then lists the calls again.
    dialog->ClickRow(2);
    ASSERT_TRUE(Control<QPushButton>(*dialog, CEventListDlg::kAddressBook)->isEnabled());
    Press(*dialog, CEventListDlg::kAddressBook);
    EXPECT_TRUE(m_opened.contains(QStringLiteral("CContactImportDlg")));
    EXPECT_EQ(m_importedNumber, QStringLiteral("0612345"));
    EXPECT_EQ(dialog->List().ItemCount(), 4);

    // A note on the own extension's call.
    m_noteText = QStringLiteral("richiamare domani");
    dialog->ClickRow(2);
    ASSERT_TRUE(Control<QPushButton>(*dialog, CEventListDlg::kAddNote)->isEnabled());
    Press(*dialog, CEventListDlg::kAddNote);
    auto notes = Open(CEventListDlg::kNotes, kOwnExtension, 0, 0, Today(0, 0));
    Show(*notes);
    ASSERT_TRUE(WaitFor([&] { return notes->List().ItemCount() == 1; }));
    EXPECT_EQ(Column(*notes, 5), QStringList{m_noteText});
    EXPECT_EQ(notes->RowAt(0)->link, 512 + kLineIndex);
    EXPECT_EQ(Column(*notes, 3), QStringList{QStringLiteral("0612345")});
    // "Copia" puts the note's text on the clipboard, "Mostra" shows it.
    notes->ClickRow(0);
    Press(*notes, CEventListDlg::kAction);
    EXPECT_EQ(m_clipboard, m_noteText);
    Press(*notes, CEventListDlg::kSearch);
    EXPECT_EQ(m_shownText, m_noteText);
    EXPECT_TRUE(m_errors.empty());
}

TEST_P(EventListTest, DeletingAMessageTellsEveryWorkstation)
{
    if (!Start())
        return;
    ASSERT_EQ(m_database->InsertMessage(kPbx, kPbx, kOther, kOwnExtension, QStringLiteral("da cancellare")), kNoError);
    auto dialog = Open(CEventListDlg::kMessages, CEventListDlg::kAllExtensions, 2, 2, Today(0, 0));
    Show(*dialog);
    ASSERT_TRUE(WaitFor([&] { return dialog->List().ItemCount() == 1; }));
    dialog->ClickRow(0);
    ASSERT_EQ(Control<QPushButton>(*dialog, CEventListDlg::kAction)->text(), Text(1208));
    Press(*dialog, CEventListDlg::kAction);
    EXPECT_EQ(dialog->List().ItemCount(), 0);
    int count = -1;
    ASSERT_EQ(m_database->QueryMessages(MessageFilter{}, nullptr, nullptr, nullptr, &count), kNoError);
    EXPECT_EQ(count, 0);
    // The relayed frame: the PBX's position, then 0xA0 with kind 1 and the message's parties.
    std::array<std::uint8_t, 16> frame{};
    const std::size_t size = BuildMessageNotifyFrame(frame.data(), kMessageReadOrDeleted, kOther, kOwnExtension, kPbx, kPbx);
    EXPECT_TRUE(WaitForDatagram([&](const std::vector<std::uint8_t>& datagram) {
        return datagram.size() == size + 1 && std::equal(frame.begin(), frame.begin() + size, datagram.begin() + 1);
    }));
    EXPECT_TRUE(m_errors.empty());
}

TEST_P(EventListTest, ExportsTabAndCsvFiles)
{
    if (!Start())
        return;
    WriteCall(Today(0, 1), 10, kOwnExtension, 2, kLineIndex, 1, QStringLiteral("0612345"));
    QTemporaryDir folder;
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        auto dialog = Open(CEventListDlg::kCalls, CEventListDlg::kAllExtensions, 3, 0);
        Show(*dialog);
        ASSERT_TRUE(dialog->Refresh());
        const QString base = folder.filePath(QStringLiteral("calls%1").arg(language));
        m_savePath = base + QStringLiteral(".dat");
        m_filterIndex = 0;
        Press(*dialog, CEventListDlg::kExport);
        m_filterIndex = 1;
        Press(*dialog, CEventListDlg::kExport);
        QFile tab(base + QStringLiteral(".txt"));
        QFile csv(base + QStringLiteral(".csv"));
        ASSERT_TRUE(tab.open(QIODevice::ReadOnly));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        const QStringList tabLines = QString::fromUtf8(tab.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const QStringList csvLines = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        ASSERT_EQ(tabLines.size(), 2);
        ASSERT_EQ(csvLines.size(), 2);
        EXPECT_TRUE(tabLines[0].startsWith(Text(10052) + u'\t'));
        EXPECT_TRUE(tabLines[1].contains(QStringLiteral("\t0612345\t")));
        const QString separator = language == kLanguageItalian ? QStringLiteral(";") : QStringLiteral(",");
        const QStringList cells = csvLines[1].split(separator);
        ASSERT_EQ(cells.size(), dialog->List().columnCount());
        for (const QString& cell : cells)
            EXPECT_TRUE(cell.startsWith(QStringLiteral("=\"")) && cell.endsWith(u'"')) << cell.toStdString();
        EXPECT_TRUE(cells.contains(QStringLiteral("=\"0612345\"")));
        EXPECT_TRUE(m_messages.isEmpty());

        m_savePath = QStringLiteral("/nonexistent-folder/calls.txt");
        Press(*dialog, CEventListDlg::kExport);
        EXPECT_EQ(m_messages, QStringList{Text(10127)});
        m_messages.clear();
    }
}

// --- Recordings ---------------------------------------------------------------------------------------

class EventListRecordingsTest : public EventListTest {
protected:
    // A temporary folder of the test's own, so that recordings of tests running beside it are not counted.
    void SetUp() override
    {
        EventListTest::SetUp();
        ASSERT_TRUE(m_temp.isValid());
        m_previousTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", m_temp.path().toLocal8Bit());
    }
    void TearDown() override
    {
        EventListTest::TearDown();
        qputenv("TMPDIR", m_previousTemp);
    }

    bool StartWithRecorder()
    {
        if (!Start())
            return false;
        EXPECT_TRUE(m_ftp.IsRunning()) << m_ftp.Log().toStdString();
        if (!m_ftp.IsRunning())
            return false;
        m_recorder = std::make_unique<CRecorderFtpClient>(
            [](std::string& host) {
                host = "127.0.0.1";
                return 0;
            },
            static_cast<std::uint16_t>(m_ftp.Port()));
        m_context.recorder = m_recorder.get();
        m_records.third.Bytes()[0] = 1;
        m_records.third.Bytes()[1] = 1;
        return true;
    }

    // A recording's name: the parties, direction 2, the time.
    static QString RecordingName(int extension, int line, const OleDate& time)
    {
        return QStringLiteral("C0%1%2%3%4%5%6%7%8%9.psx")
            .arg(extension, 3, 10, QLatin1Char('0'))
            .arg(QStringLiteral("1"))
            .arg(line, 3, 10, QLatin1Char('0'))
            .arg(QStringLiteral("0"))
            .arg(time.Day(), 2, 10, QLatin1Char('0'))
            .arg(time.Month(), 2, 10, QLatin1Char('0'))
            .arg(time.Year() - 2000, 2, 10, QLatin1Char('0'))
            .arg(time.Hour(), 2, 10, QLatin1Char('0'))
            .arg(QStringLiteral("%1%2")
                     .arg(time.Minute(), 2, 10, QLatin1Char('0'))
                     .arg(time.Second(), 2, 10, QLatin1Char('0')));
    }

    std::unique_ptr<CEventListDlg> OpenCalls()
    {
        auto dialog = Open(CEventListDlg::kCalls, CEventListDlg::kAllExtensions, 3, 0);
        dialog->SetPeriod(LastDayOfPreviousMonth(0, 0), Today(23, 59, 59));
        Show(*dialog);
        EXPECT_TRUE(dialog->Refresh());
        return dialog;
    }

    LocalFtpServer m_ftp{QStringLiteral("Pelmaro"), QStringLiteral("VuoK"), true};
    std::unique_ptr<CRecorderFtpClient> m_recorder;
    QTemporaryDir m_temp;
    QByteArray m_previousTemp;
};

TEST_P(EventListRecordingsTest, MatchLoginPlayStopSaveAndDelete)
{
    if (!StartWithRecorder())
        return;
    const OleDate matched = LastDayOfPreviousMonth(23, 59);
    const OleDate unmatched = FirstDayOfThisMonth(0, 30);
    WriteCall(matched, 120, kOther, 2, kLineIndex, 1, QStringLiteral("0612345"));  // across midnight
    WriteCall(unmatched, 30, kOther, 2, kLineIndex, 1, QStringLiteral("0699"));
    const QString matchedName = RecordingName(kOther, kLineIndex, matched.AddSeconds(70));
    ASSERT_TRUE(m_ftp.WriteFile(QStringLiteral("Hard Disk 1/") + matchedName, Wave(3)));
    ASSERT_TRUE(m_ftp.WriteFile(QStringLiteral("Hard Disk 2/") + RecordingName(kOther, kLineIndex, unmatched.AddSeconds(40)),
                                Wave(1)));
    ASSERT_TRUE(m_ftp.WriteFile(QStringLiteral("Msg/Risp/UserPwd.dat"),
                                UsersTable({{kAdministrator, kAdministratorPassword}, {kUser, kUserPassword}})));

    auto dialog = OpenCalls();
    ASSERT_EQ(dialog->Recordings().size(), 2u);
    ASSERT_EQ(dialog->List().ItemCount(), 2);
    const int matchedRow = RowOf(*dialog, 8, QStringLiteral("0612345"));
    ASSERT_GE(matchedRow, 0);
    ASSERT_TRUE(dialog->RowAt(matchedRow)->recording.has_value());
    EXPECT_EQ(dialog->Recordings()[*dialog->RowAt(matchedRow)->recording].fileName, matchedName);
    EXPECT_FALSE(dialog->RowAt(1 - matchedRow)->recording.has_value());
    EXPECT_FALSE(dialog->List().topLevelItem(matchedRow)->icon(0).isNull());
    dialog->ClickRow(1 - matchedRow);
    EXPECT_FALSE(Control<QPushButton>(*dialog, CEventListDlg::kPlay)->isEnabled());
    dialog->ClickRow(matchedRow);
    ASSERT_TRUE(Control<QPushButton>(*dialog, CEventListDlg::kPlay)->isEnabled());

    // Wrong twice, then right: the recording plays, with its ticks, and leaves no file.
    const QStringList filesBefore = RecordingFilesLeft();
    m_logins = {{kUser, QStringLiteral("x")}, {QStringLiteral("x"), kUserPassword}, {kUser, kUserPassword}};
    Press(*dialog, CEventListDlg::kPlay);
    EXPECT_EQ(m_messages, (QStringList{Text(1273), Text(1273)}));
    ASSERT_TRUE(WaitFor([&] { return dialog->PlaybackWindow() != nullptr; }));
    CRecordProgressDlg* playback = dialog->PlaybackWindow();
    auto bar = playback->findChild<QProgressBar*>(QString::number(CRecordProgressDlg::kBar));
    auto elapsed = playback->findChild<QLabel*>(QString::number(CRecordProgressDlg::kElapsedTime));
    EXPECT_EQ(playback->findChild<QLabel*>(QString::number(CRecordProgressDlg::kTotalTime))->text(),
              CRecordProgressDlg::FormatTime(3));
    // Closing is refused while it plays.
    static_cast<QDialog&>(*dialog).reject();
    EXPECT_TRUE(dialog->isVisible());
    // The ticks move it on: two seconds shown before the end.
    EXPECT_TRUE(WaitFor([&] { return dialog->PlaybackWindow() && elapsed->text() == CRecordProgressDlg::FormatTime(2); }));
    EXPECT_GT(bar->value(), 0);
    ASSERT_TRUE(WaitFor([&] { return dialog->PlaybackWindow() == nullptr; }));
    EXPECT_EQ(RecordingFilesLeft(), filesBefore);

    // "Ferma" stops it before its end.
    m_messages.clear();
    m_logins = {{kUser, kUserPassword}};
    Press(*dialog, CEventListDlg::kPlay);
    ASSERT_TRUE(WaitFor([&] { return dialog->PlaybackWindow() != nullptr; }));
    dialog->PlaybackWindow()->findChild<QPushButton*>(QString::number(CRecordProgressDlg::kStop))->click();
    ASSERT_TRUE(WaitFor([&] { return dialog->PlaybackWindow() == nullptr; }));
    EXPECT_EQ(RecordingFilesLeft(), filesBefore);
    EXPECT_TRUE(m_messages.isEmpty());

    // Saved under the name chosen, with ".wav" added.
    QTemporaryDir folder;
    m_savePath = folder.filePath(QStringLiteral("conversation"));
    m_logins = {{kUser, kUserPassword}};
    Press(*dialog, CEventListDlg::kSaveRecording);
    QFile saved(m_savePath + QStringLiteral(".wav"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), Wave(3));

    // Wrong three times: nothing is done.
    m_logins = {{kUser, QStringLiteral("1")}, {kUser, QStringLiteral("2")}, {kUser, QStringLiteral("3")}};
    Press(*dialog, CEventListDlg::kDeleteRecording);
    EXPECT_EQ(m_messages, (QStringList{Text(1273), Text(1273), Text(1274)}));
    // Deleting needs the administrator: the other user is refused.
    m_messages.clear();
    m_logins = {{kUser, kUserPassword}, {kUser, kUserPassword}, {kUser, kUserPassword}};
    Press(*dialog, CEventListDlg::kDeleteRecording);
    EXPECT_EQ(m_messages, (QStringList{Text(1273), Text(1273), Text(1274)}));
    EXPECT_TRUE(QFile::exists(m_ftp.Root() + QStringLiteral("/Hard Disk 1/") + matchedName));
    m_messages.clear();
    m_logins = {{kAdministrator, kAdministratorPassword}};
    Press(*dialog, CEventListDlg::kDeleteRecording);
    EXPECT_FALSE(QFile::exists(m_ftp.Root() + QStringLiteral("/Hard Disk 1/") + matchedName));
    ASSERT_TRUE(WaitFor([&] { return dialog->Recordings().size() == 1; }));
    EXPECT_FALSE(dialog->RowAt(RowOf(*dialog, 8, QStringLiteral("0612345")))->recording.has_value());
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_TRUE(m_errors.empty());
}

TEST_P(EventListRecordingsTest, AnEmptyUsersTableAndAFormatOfZerosAreRefused)
{
    if (!StartWithRecorder())
        return;
    const OleDate start = Today(0, 10);
    WriteCall(start, 60, kOther, 2, kLineIndex, 1, QStringLiteral("0612345"));
    ASSERT_TRUE(m_ftp.WriteFile(QStringLiteral("Hard Disk 1/") + RecordingName(kOther, kLineIndex, start.AddSeconds(5)),
                                Wave(2, 0)));
    ASSERT_TRUE(m_ftp.WriteFile(QStringLiteral("Msg/Risp/UserPwd.dat"), UsersTable({})));
    auto dialog = OpenCalls();
    ASSERT_EQ(dialog->List().ItemCount(), 1);
    dialog->ClickRow(0);
    m_logins = {{kUser, kUserPassword}};
    Press(*dialog, CEventListDlg::kPlay);
    EXPECT_EQ(m_messages, QStringList{Text(1274)});
    EXPECT_FALSE(m_opened.contains(QStringLiteral("CLoginDlg")));

    // A recording whose format has no channels is refused with 10127 and leaves no file.
    const QStringList filesBefore = RecordingFilesLeft();
    m_messages.clear();
    ASSERT_TRUE(m_ftp.WriteFile(QStringLiteral("Msg/Risp/UserPwd.dat"), UsersTable({{kUser, kUserPassword}})));
    Press(*dialog, CEventListDlg::kPlay);
    EXPECT_EQ(m_messages, QStringList{Text(10127)});
    EXPECT_EQ(dialog->PlaybackWindow(), nullptr);
    EXPECT_EQ(RecordingFilesLeft(), filesBefore);
}

// --- Pictures -----------------------------------------------------------------------------------------

TEST_P(EventListRecordingsTest, EveryTypeAndThePlayerShowTheirTextsWholeInBothLanguages)
{
    if (!StartWithRecorder())
        return;
    WriteCall(Today(0, 10), 75, kOwnExtension, 2, kLineIndex, 4, QStringLiteral("0612345678"), kOther,
              m_model.labelledExtension);
    ASSERT_TRUE(m_ftp.WriteFile(QStringLiteral("Hard Disk 1/") + RecordingName(kOwnExtension, kLineIndex, Today(0, 10, 20)),
                                Wave(2)));
    ASSERT_TRUE(m_ftp.WriteFile(QStringLiteral("Msg/Risp/UserPwd.dat"), UsersTable({{kUser, kUserPassword}})));
    ASSERT_EQ(m_database->InsertMessage(kPbx, kPbx, kOther, kOwnExtension, QStringLiteral("Chiamare la reception")), kNoError);
    ASSERT_EQ(m_database->InsertAlarmEvent(kPbx, {kAlarmOfExtension, kOther, 1}, Today(0, 5), kOwnExtension, 0), kNoError);
    NoteRecord note{static_cast<std::uint16_t>(512 + kLineIndex), Today(0, 20), QStringLiteral("0612345678"),
                    QStringLiteral("Richiamare per la prenotazione")};
    ASSERT_EQ(m_database->InsertNote(kPbx, kOwnExtension, note), kNoError);
    m_state.tables.extensionWakeUp[kOther] = {0, 2, 7, 30, 0};
    m_database->SetClock([] { return Today(12, 0); });
    ASSERT_EQ(m_database->InsertWakeEvent(kPbx, QByteArray("\x04\x01\x07\x1e\x00", 5)), kNoError);
    m_database->SetClock({});

    struct Shot {
        int type;
        int extension;
        int option;
        QString name;
    };
    const Shot shots[] = {
        {CEventListDlg::kWakeUps, CEventListDlg::kAllExtensions, 0, QStringLiteral("wakeups")},
        {CEventListDlg::kWakeUps, CEventListDlg::kAllExtensions, 1, QStringLiteral("activewakeups")},
        {CEventListDlg::kCalls, CEventListDlg::kAllExtensions, 3, QStringLiteral("calls")},
        {CEventListDlg::kAlarms, kOther, 0, QStringLiteral("alarms")},
        {CEventListDlg::kMessages, kOther, 0, QStringLiteral("messages")},
        {CEventListDlg::kNotes, kOwnExtension, 0, QStringLiteral("notes")},
    };
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        const QString suffix = language == kLanguageItalian ? QStringLiteral("_it") : QStringLiteral("_en");
        for (const Shot& shot : shots) {
            auto dialog = Open(shot.type, shot.extension, shot.type == CEventListDlg::kWakeUps ? 0 : shot.option,
                               shot.type == CEventListDlg::kMessages ? 2 : 0, Today(0, 0));
            if (shot.type == CEventListDlg::kWakeUps && shot.option == 1) {
                auto chooser = Control<QComboBox>(*dialog, CEventListDlg::kFirstCombo);
                chooser->setCurrentIndex(1);
                emit chooser->activated(1);
            }
            Show(*dialog);
            QCoreApplication::processEvents();
            dialog->Refresh();
            if (dialog->List().ItemCount() > 0)
                dialog->ClickRow(0);
            EXPECT_GT(dialog->List().ItemCount(), 0) << shot.name.toStdString();
            EXPECT_TRUE(HasNoClippedText(*dialog)) << shot.name.toStdString() << suffix.toStdString();
            EXPECT_TRUE(SaveScreenshot(*dialog, QStringLiteral("eventlistdlg_") + shot.name + suffix));
            if (shot.type != CEventListDlg::kCalls)
                continue;
            m_logins = {{kUser, kUserPassword}};
            Press(*dialog, CEventListDlg::kPlay);
            ASSERT_TRUE(WaitFor([&] { return dialog->PlaybackWindow() != nullptr; }));
            CRecordProgressDlg* playback = dialog->PlaybackWindow();
            ASSERT_TRUE(WaitFor([&] { return playback->windowHandle() && playback->windowHandle()->isExposed(); }));
            EXPECT_TRUE(HasNoClippedText(*playback)) << suffix.toStdString();
            EXPECT_TRUE(SaveScreenshot(*playback, QStringLiteral("eventlistdlg_player") + suffix));
            ASSERT_TRUE(WaitFor([&] { return dialog->PlaybackWindow() == nullptr; }));
        }
    }
    EXPECT_TRUE(m_errors.empty());
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'|').toStdString();
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(EventListTest);
INSTANTIATE_CONSOLE_WINDOWS_TEST(EventListRecordingsTest);

}  // namespace
