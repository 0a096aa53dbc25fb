// The guest message dialogs: the edit dialog's captions and its required text, the list of one stay's
// messages with its buttons, opening, hiding and changing messages on a real database (each backend).
#include "clippedtextcheck.h"
#include "hoteldbtest.h"
#include "language.h"
#include "messageeditdlg.h"
#include "messagelistdlg.h"
#include "sortlistctrl.h"
#include "widgettesting.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace lodgix {
namespace {

const QDateTime kSaved(QDate(2024, 3, 10), QTime(9, 15, 30));

QPushButton* Button(QWidget& dialog, int id)
{
    return dialog.findChild<QPushButton*>(QString::number(id));
}

TEST(MessageEditDlgTest, CaptionsOfANewAndOfAnExistingMessage)
{
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        const bool english = language == kLanguageEnglish;
        CMessageEditDlg created;
        created.show();
        EXPECT_EQ(created.windowTitle(), english ? QStringLiteral("New message") : QStringLiteral("Nuovo messaggio"));
        EXPECT_EQ(Button(created, CMessageEditDlg::kOk)->text(), QStringLiteral("OK"));
        EXPECT_EQ(Button(created, CMessageEditDlg::kCancel)->text(), english ? QStringLiteral("Cancel") : QStringLiteral("Annulla"));
        EXPECT_EQ(created.findChild<QLabel*>(QStringLiteral("1260"))->text(),
                  english ? QStringLiteral("Text *") : QStringLiteral("Testo *"));
        EXPECT_TRUE(HasNoClippedText(created));
        SaveScreenshot(created, QStringLiteral("messageeditdlg_new") + (english ? QStringLiteral("_en") : QStringLiteral("_it")));

        CMessageEditDlg existing;
        existing.SetMessage(QString(), QStringLiteral("Richiamare il sig. Bianchi"));
        existing.show();
        EXPECT_EQ(existing.windowTitle(), english ? QStringLiteral("Change message") : QStringLiteral("Modifica messaggio"));
        EXPECT_EQ(Button(existing, CMessageEditDlg::kOk)->text(), english ? QStringLiteral("Change") : QStringLiteral("Modifica"));
        EXPECT_TRUE(HasNoClippedText(existing));
        SaveScreenshot(existing, QStringLiteral("messageeditdlg_existing") + (english ? QStringLiteral("_en") : QStringLiteral("_it")));
    }
    SetLanguage(kLanguageItalian);
}

TEST(MessageEditDlgTest, TheTextIsRequiredAndCutToItsColumn)
{
    SetLanguage(kLanguageItalian);
    CMessageEditDlg dialog;
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("1257"))->setText(QStringLiteral("Reception"));
    MessageBoxRecorder boxes;
    Button(dialog, CMessageEditDlg::kOk)->click();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Mancano alcuni dati obbligatori"));
    EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Lodgix"));
    EXPECT_EQ(boxes.Seen()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);

    dialog.findChild<QPlainTextEdit*>(QStringLiteral("1259"))->setPlainText(QString(600, u'x'));
    Button(dialog, CMessageEditDlg::kOk)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.From(), QStringLiteral("Reception"));
    EXPECT_EQ(dialog.Text().size(), CMessageEditDlg::kTextLength);
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("1257"))->maxLength(), 63);
}

class MessageListDlgTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(kLanguageItalian);
        m_hotelId = PrepareHotel();
        ASSERT_EQ(Db().InsertOperator(QStringLiteral("mario"), QStringLiteral("pw"), false, m_writer), kNoError);
        ASSERT_EQ(Db().InsertOperator(QStringLiteral("lucia"), QStringLiteral("pw"), false, m_reader), kNoError);
        RoomRecord room;
        room.label = QStringLiteral("101");
        ASSERT_EQ(Db().InsertRoom(m_hotelId, room), kNoError);
        ASSERT_EQ(Db().LoadRooms(m_hotelId, m_rooms), kNoError);
        m_stay = Stay();
        m_other = Stay();
        for (const char* text : {"uno", "due", "tre"})
            m_ids.push_back(Message(m_stay, QString::fromLatin1(text)));
        Message(m_other, QStringLiteral("di un'altra camera"));
    }

    int Stay()
    {
        CheckInRecord stay;
        stay.roomId = m_rooms[0].id;
        stay.startDate = OleDate(2024, 3, 8);
        stay.endDate = OleDate(2024, 3, 12);
        stay.checkInDate = OleDate(2024, 3, 8, 15, 0, 0);
        EXPECT_EQ(Db().InsertCheckIn(m_hotelId, stay), kNoError);
        return stay.checkInId;
    }

    int Message(int stay, const QString& text)
    {
        MessageRecord message;
        message.checkInId = stay;
        message.userId = m_writer;
        message.from = QStringLiteral("Reception");
        message.text = text;
        EXPECT_EQ(Db().InsertMessage(m_hotelId, message), kNoError);
        return message.messageId;
    }

    std::unique_ptr<CMessageListDlg> Dialog()
    {
        auto dialog = std::make_unique<CMessageListDlg>(Db(), m_hotelId, m_reader, m_rooms, m_stay, m_rooms[0].id);
        dialog->show();
        return dialog;
    }

    void SelectRows(CMessageListDlg& dialog, std::initializer_list<int> rows)
    {
        dialog.List()->clearSelection();
        for (const int row : rows)
            dialog.List()->topLevelItem(row)->setSelected(true);
    }

    QStringList Texts(CMessageListDlg& dialog)
    {
        QStringList texts;
        for (int row = 0; row < dialog.List()->ItemCount(); ++row)
            texts << dialog.List()->ItemText(row, 2);
        texts.sort();
        return texts;
    }

    MessageRecord Stored(int id)
    {
        std::vector<MessageRecord> messages;
        EXPECT_EQ(Db().LoadMessages(m_hotelId, messages), kNoError);
        for (const MessageRecord& message : messages)
            if (message.messageId == id)
                return message;
        return {};
    }

    int m_hotelId = 0;
    int m_writer = 0;
    int m_reader = 0;
    std::vector<RoomRecord> m_rooms;
    int m_stay = 0;
    int m_other = 0;
    std::vector<int> m_ids;
};

TEST_P(MessageListDlgTest, ListsTheStaysMessagesAndEnablesTheButtonsBySelection)
{
    auto dialog = Dialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Lista messaggi Camera 101"));
    EXPECT_EQ(Texts(*dialog), QStringList({"due", "tre", "uno"}));  // not the other stay's
    EXPECT_EQ(dialog->List()->ItemText(0, 1), QStringLiteral("Reception"));
    EXPECT_EQ(dialog->List()->ItemText(0, 3), QStringLiteral("mario"));
    QPushButton* open = Button(*dialog, CMessageListDlg::kOpen);
    QPushButton* remove = Button(*dialog, CMessageListDlg::kDelete);
    EXPECT_FALSE(open->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    SelectRows(*dialog, {0});
    EXPECT_TRUE(open->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
    SelectRows(*dialog, {0, 2});
    EXPECT_FALSE(open->isEnabled());
    EXPECT_TRUE(remove->isEnabled());

    // Elimina hides the selected ones after the question.
    ModalAnswerer answer([](QDialog* box) { PressButton(box, QMessageBox::Yes); });
    const QString kept = dialog->List()->ItemText(1, 2);
    remove->click();
    EXPECT_EQ(answer.Count(), 1);
    EXPECT_EQ(Texts(*dialog), QStringList({kept}));
    EXPECT_FALSE(remove->isEnabled());
}

TEST_P(MessageListDlgTest, AMessageReadAndCancelledIsHiddenOnYes)
{
    auto dialog = Dialog();
    SelectRows(*dialog, {0});
    const QString read = dialog->List()->ItemText(0, 2);
    QStringList seen;
    ModalAnswerer answer([&seen](QDialog* modal) {
        seen << modal->windowTitle();
        if (auto box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->text();
            PressButton(box, QMessageBox::Yes);
        } else {
            seen << modal->findChild<QPlainTextEdit*>(QStringLiteral("1259"))->toPlainText();
            modal->findChild<QPushButton*>(QStringLiteral("1263"))->click();
        }
    });
    Button(*dialog, CMessageListDlg::kOpen)->click();
    EXPECT_EQ(seen, QStringList({"Modifica messaggio", read, "Lodgix",
                                 "Eliminare il messaggio dalla lista dei messaggi da leggere?"}));
    EXPECT_EQ(dialog->List()->ItemCount(), 2);
    EXPECT_FALSE(Texts(*dialog).contains(read));
    // Hidden, not deleted: the row is still in the table.
    std::vector<MessageRecord> visible;
    ASSERT_EQ(Db().LoadMessages(m_hotelId, visible), kNoError);
    EXPECT_EQ(visible.size(), 3u);
}

TEST_P(MessageListDlgTest, SavingAnOpenedMessageDatesItNowByTheOperator)
{
    Db().SetClock([] { return OleDate::FromDateTime(kSaved); });
    auto dialog = Dialog();
    SelectRows(*dialog, {0});
    const int id = static_cast<int>(dialog->List()->ItemData(0));
    ModalAnswerer answer([](QDialog* modal) {
        modal->findChild<QPlainTextEdit*>(QStringLiteral("1259"))->setPlainText(QStringLiteral("cambiato"));
        modal->findChild<QPushButton*>(QStringLiteral("1262"))->click();
    });
    Button(*dialog, CMessageListDlg::kOpen)->click();
    EXPECT_EQ(answer.Count(), 1);
    const MessageRecord stored = Stored(id);
    EXPECT_EQ(stored.text, QStringLiteral("cambiato"));
    EXPECT_EQ(stored.userId, m_reader);
    EXPECT_EQ(stored.checkInId, m_stay);
    EXPECT_EQ(stored.date.ToDateTime(), kSaved);
    EXPECT_TRUE(Texts(*dialog).contains(QStringLiteral("cambiato")));
}

TEST_P(MessageListDlgTest, ScreenshotsInBothLanguages)
{
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        auto dialog = Dialog();
        SelectRows(*dialog, {1});
        EXPECT_TRUE(HasNoClippedText(*dialog));
        SaveScreenshot(*dialog, QStringLiteral("messagelistdlg") +
                                    (language == kLanguageEnglish ? QStringLiteral("_en") : QStringLiteral("_it")));
    }
    SetLanguage(kLanguageItalian);
}

INSTANTIATE_DB_TEST(MessageListDlgTest);

}  // namespace
}  // namespace lodgix
