// The call and event popup on the console's state loaded from Pultex in simulation with Simulvex: its rows
// of every kind and their layout, the merge, the show, move and hide, the buttons (what reaches the PBX
// and the frame), the incoming-call filter and the automatic transfer through the station's states,
// missed calls, alarms with their sound and countdown, and the faults mended: a click acts on its own
// row, at most 32 rows, a refresh is never run inside another, a filter target that is no extension.
#include "clippedtextcheck.h"
#include "derivedview.h"
#include "eventpopupfixture.h"
#include "language.h"
#include "rowsink.h"
#include "stringtable.h"

#include <QFileInfo>
#include <QSignalSpy>

namespace popupwindow {
namespace {

constexpr std::uint8_t kExtensionLink = 1;
constexpr std::uint8_t kLineLink = 2;
constexpr std::uint8_t kEntryPhoneLink = 3;
constexpr std::uint8_t kPickUpLine = 3;  // the fourth line

class Notes : public RowSink {
public:
    void DeleteAll() override { rows.clear(); }
    void Append(const QStringList& texts, qint64) override { rows << texts; }
    QList<QStringList> rows;
};

// What the popup shows for the states the engine's events leave, in build order and with every button.
class EventPopupDlgTest : public EventPopupTest {
protected:
    QString Name(int extension) { return m_context.ExtensionName(extension); }
    QString LineName(int line) { return FormatLineName(m_state, m_context.labels, line); }

    // A call of every kind at once: the station talks on line 0, holds extension 3, entry phone 0 talks to
    // it, line 1 waits at the labelled extension 2, line 2 rings; messages, three missed calls, an alarm
    // and an unanswered one, the recorder's monitor.
    void SetEveryRowKind()
    {
        SetExtension(kOwnExtension, kStateConnected, kLineLink, 0);
        SetLine(0, kStateConnected, kExtensionLink, kOwnExtension, "0212345678");
        SetExtension(3, kStateCallHeld, kExtensionLink, kOwnExtension);
        SetEntryPhone(0, kStateConnected, kExtensionLink, kOwnExtension);
        SetLine(1, kStateCallWaiting, kExtensionLink, 2, {}, "00339123");
        SetLine(2, kStateArriving, 0, 0, "0611");
        m_state.unreadMessages = true;
        m_state.missedCalls = 3;
        SetAlarm(4, 1);
        SetAlarm(5, 2);
        m_records.third.Bytes()[0] = 1;
        m_records.third.Bytes()[3] = 1;
    }
};

TEST_P(EventPopupDlgTest, RowsOfEveryKindWithTheirTextsAndButtonsInBothLanguages)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        MakePopup(m_context, m_frameTarget);
        SetEveryRowKind();
        Refresh();
        ASSERT_TRUE(m_popup->isVisible());
        EXPECT_EQ(m_popup->windowTitle(), QStringLiteral("Fonivra"));
        EXPECT_TRUE(m_popup->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(m_popup->palette().color(QPalette::Window), QColor(204, 255, 204));
        EXPECT_TRUE(HasNoClippedText(*m_popup));
        SaveScreenshot(*m_popup, QStringLiteral("eventpopup_every_kind_%1").arg(language));
        if (language == kLanguageItalian) {
            // Built in order; each new row went on top, so the last built is first.
            EXPECT_EQ(RowTexts(), (QStringList{
                                      QStringLiteral("Monitor registratore conversazioni"),
                                      QStringLiteral("Allarme da %1 non risposto...").arg(Name(5)),
                                      QStringLiteral("Allarme da %1...").arg(Name(4)),
                                      QStringLiteral("3 chiamate perse..."),
                                      QStringLiteral("Ci sono messaggi per te..."),
                                      QStringLiteral("%1: Chiamata in arrivo da 0611...").arg(LineName(2)),
                                      QStringLiteral("%1: In attesa da Reception con 0339123...").arg(LineName(1)),
                                      QStringLiteral("%1: Conversazione in corso con 0212345678...").arg(LineName(0)),
                                      QStringLiteral("%1: In attesa...").arg(Name(3)),
                                      QStringLiteral("%1: Conversazione in corso...")
                                          .arg(FormatEntryPhoneName(m_state, m_context.labels, 0)),
                                  }));
            const QString expectedCaptions[][3] = {
                {QStringLiteral("Registra")}, {QStringLiteral("Visualizza")}, {QStringLiteral("Resetta")},
                {QStringLiteral("Visualizza")}, {QStringLiteral("Visualizza")}, {QStringLiteral("Cattura")},
                {QStringLiteral("Cattura")},
                {QStringLiteral("Interrompi"), QStringLiteral("Trasferisci"), QStringLiteral("Annotazione")},
                {QStringLiteral("Riprendi")},
                {QStringLiteral("Interrompi"), QStringLiteral("Trasferisci"), QStringLiteral("Annotazione")},
            };
            for (int row = 0; row < 10; ++row)
                for (int place = 0; place < 3; ++place) {
                    const CPopupRowButton* button = Button(row, place);
                    EXPECT_EQ(button ? button->text() : QString(), expectedCaptions[row][place]) << row << place;
                }
            // The transfer lists hold every extension but the station, by index.
            const QComboBox* list = Find<QComboBox>(CEventPopupDlg::kTransferListId + 7);
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->count(), m_model.extensions - 1);
            EXPECT_EQ(list->itemData(0).toInt(), 0);
            EXPECT_EQ(list->itemData(1).toInt(), 2);
            EXPECT_EQ(list->itemText(1), QStringLiteral("Reception"));
            EXPECT_EQ(list->currentIndex(), 0);
            EXPECT_EQ(Find<QComboBox>(CEventPopupDlg::kTransferListId + 8), nullptr);
        }

        // The station rings from extension 6, then its call with line 3 ends.
        MakePopup(m_context, m_frameTarget);
        for (int index = 0; index < m_model.extensions; ++index) {
            SetExtension(index, kStateReady);
            SetAlarm(index, 0);
        }
        for (int line = 0; line < m_model.lines; ++line)
            SetLine(line, kStateReady);
        SetEntryPhone(0, kStateReady);
        m_state.unreadMessages = false;
        m_state.missedCalls = 0;
        SetExtension(kOwnExtension, kStateIncomingCall, kExtensionLink, 6);
        Refresh();
        EXPECT_EQ(RowTexts(), QStringList{QStringLiteral("%1: %2").arg(Name(6), LoadResString(1177))});
        EXPECT_EQ(Button(0, 0)->text(), LoadResString(1171));
        EXPECT_EQ(Button(0, 1)->text(), LoadResString(1176));
        EXPECT_TRUE(HasNoClippedText(*m_popup));
        SaveScreenshot(*m_popup, QStringLiteral("eventpopup_ringing_%1").arg(language));
        SetExtension(kOwnExtension, kStateCallEnded, kLineLink, 3);
        SetLine(3, kStateReady, 0, 0, "0698765");
        Refresh();
        EXPECT_EQ(RowTexts(), QStringList{QStringLiteral("%1: %2 0698765...").arg(LineName(3), LoadResString(19404))});
        EXPECT_EQ(Button(0, 0)->text(), LoadResString(1169));
        EXPECT_EQ(Button(0, 1), nullptr);
        EXPECT_TRUE(HasNoClippedText(*m_popup));
        SaveScreenshot(*m_popup, QStringLiteral("eventpopup_ended_%1").arg(language));
        SetExtension(kOwnExtension, kStateReady);
        m_records.third.Bytes()[0] = 0;
    }
    SetLanguage(kLanguageItalian);
}

TEST_P(EventPopupDlgTest, ControlsAreLaidOutByTheirLongestTexts)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    // Nothing: 5 more in height than the last row position, and hidden.
    EXPECT_EQ(m_popup->LayoutRows(), QSize(10, 10));
    Refresh();
    EXPECT_FALSE(m_popup->isVisible());

    SetExtension(3, kStateCallHeld, kExtensionLink, kOwnExtension);        // one button
    SetEntryPhone(0, kStateConnected, kExtensionLink, kOwnExtension);     // three buttons and the list
    Refresh();
    ASSERT_EQ(m_popup->Rows().Count(), 2);
    const int cw = m_popup->CharWidth();
    const int lh = m_popup->LineHeight();
    const PopupRow& held = m_popup->Rows().At(0);
    const PopupRow& talking = m_popup->Rows().At(1);
    const int w0 = static_cast<int>(std::max(held.text.size(), talking.text.size()));
    const int w1 = static_cast<int>(std::max(held.captions[0].size(), talking.captions[0].size()));
    const int w2 = static_cast<int>(talking.captions[1].size());
    const int w3 = static_cast<int>(talking.captions[2].size());
    int we = 0;
    for (int extension = 0; extension < m_model.extensions; ++extension)
        we = std::max(we, static_cast<int>(m_context.ExtensionName(extension).size()));

    EXPECT_EQ(Find<QLabel>(CEventPopupDlg::kTextId)->geometry(), QRect(5, 10, w0 * cw, lh));
    EXPECT_EQ(Find<QLabel>(CEventPopupDlg::kTextId + 1)->geometry(), QRect(5, 5 + lh + 15 + 5, w0 * cw, lh));
    const int x1 = w0 * cw + 5 + 5;
    EXPECT_EQ(Button(0, 0)->geometry(), QRect(x1, 5, w1 * cw + 10, lh + 10));
    EXPECT_EQ(Button(0, 1), nullptr);
    EXPECT_EQ(Button(0, 2), nullptr);
    EXPECT_EQ(Find<QComboBox>(CEventPopupDlg::kTransferListId), nullptr);
    const int y1 = 5 + lh + 15;
    EXPECT_EQ(Button(1, 0)->geometry(), QRect(x1, y1, w1 * cw + 10, lh + 10));
    const int x2 = x1 + w1 * cw + 15;
    EXPECT_EQ(Button(1, 1)->geometry(), QRect(x2, y1, w2 * cw + 10, lh + 10));
    const int x3 = x2 + w2 * cw + 15;
    EXPECT_EQ(Button(1, 2)->geometry(), QRect(x3, y1, w3 * cw + 10, lh + 10));
    const int xl = x3 + w3 * cw + 15;
    const QComboBox* list = Find<QComboBox>(CEventPopupDlg::kTransferListId + 1);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry().topLeft(), QPoint(xl, y1));
    EXPECT_EQ(list->width(), we * cw + 30);
    // The client area: the widest row and 5; every row's line and 15.
    EXPECT_EQ(m_popup->size(), QSize(xl - 5 + we * cw + 35 + 5, 5 + 2 * (lh + 15)));
    EXPECT_TRUE(HasNoClippedText(*m_popup));

    // The extension chosen for the transfer stays chosen over refreshes, also when the row moves.
    const_cast<QComboBox*>(list)->setCurrentIndex(3);
    const QVariant chosen = list->currentData();
    Refresh();
    EXPECT_EQ(Find<QComboBox>(CEventPopupDlg::kTransferListId + 1)->currentData(), chosen);
    SetExtension(5, kStateCallHeld, kExtensionLink, kOwnExtension);
    Refresh();
    ASSERT_EQ(m_popup->Rows().Find(PopupSource::EntryPhone, 0), 2);
    EXPECT_EQ(Find<QComboBox>(CEventPopupDlg::kTransferListId + 2)->currentData(), chosen);
    SetExtension(5, kStateReady);

    // The held call ends: its controls go, the other row moves up.
    SetExtension(3, kStateReady);
    Refresh();
    ASSERT_EQ(m_popup->Rows().Count(), 1);
    EXPECT_EQ(Find<QComboBox>(CEventPopupDlg::kTransferListId)->currentData(), chosen);
    EXPECT_EQ(Find<QLabel>(CEventPopupDlg::kTextId + 1), nullptr);
    EXPECT_EQ(Button(1, 0), nullptr);
    EXPECT_EQ(Find<QComboBox>(CEventPopupDlg::kTransferListId + 1), nullptr);
    EXPECT_NE(Find<QComboBox>(CEventPopupDlg::kTransferListId), nullptr);
}

TEST_P(EventPopupDlgTest, RowsKeepTheirPlaceNewOnesGoOnTopAndTheWindowFollows)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    // On a station without rows the popup stays hidden and is never moved.
    const QPoint start = m_popup->pos();
    Refresh();
    Refresh();
    EXPECT_FALSE(m_popup->isVisible());
    EXPECT_EQ(m_popup->pos(), start);

    SetLine(4, kStateCallWaiting, kExtensionLink, 3, "0611");
    Refresh();
    ASSERT_TRUE(m_popup->isVisible());
    EXPECT_TRUE(m_popup->IsShownFlag());
    // Right and bottom edges on the work area's.
    const QRect place = m_popup->PlaceFor(m_popup->size());
    EXPECT_EQ(place.right(), kWorkArea.right());
    EXPECT_EQ(place.bottom(), kWorkArea.bottom());
    EXPECT_EQ(m_popup->pos(), place.topLeft());

    // Two new calls in one refresh: the second built above the first; the waiting line's row stays and
    // takes its new text.
    SetLine(4, kStateCallHeld, kExtensionLink, 5, "0611");
    SetLine(6, kStateCallWaiting, kExtensionLink, 3, "0622");
    SetLine(7, kStateArriving, 0, 0, "0633");
    Refresh();
    ASSERT_EQ(m_popup->Rows().Count(), 3);
    EXPECT_TRUE(m_popup->Rows().At(0).SameSource(PopupSource::Line, 7));
    EXPECT_TRUE(m_popup->Rows().At(1).SameSource(PopupSource::Line, 6));
    EXPECT_TRUE(m_popup->Rows().At(2).SameSource(PopupSource::Line, 4));
    EXPECT_TRUE(m_popup->Rows().At(2).text.contains(Name(5)));
    // Moved to fit its new size.
    EXPECT_EQ(m_popup->pos(), m_popup->PlaceFor(m_popup->size()).topLeft());

    // A row gone from the state tables goes from the popup.
    SetLine(6, kStateReady);
    Refresh();
    ASSERT_EQ(m_popup->Rows().Count(), 2);
    EXPECT_TRUE(m_popup->Rows().At(1).SameSource(PopupSource::Line, 4));

    // Nothing left: hidden; back again: shown at its place.
    SetLine(4, kStateReady);
    SetLine(7, kStateReady);
    Refresh();
    EXPECT_FALSE(m_popup->isVisible());
    EXPECT_FALSE(m_popup->IsShownFlag());
    SetLine(7, kStateArriving, 0, 0, "0633");
    Refresh();
    EXPECT_TRUE(m_popup->isVisible());
    EXPECT_EQ(m_popup->pos(), m_popup->PlaceFor(m_popup->size()).topLeft());
    // The close box does not put it away.
    m_popup->close();
    EXPECT_TRUE(m_popup->isVisible());
}

// Picking up the fourth line from each state of the station, as the PBX receives it.
struct PickUpCase {
    std::uint8_t state;
    std::uint8_t linkType;
    const char* prefix;  // before the code: "" or "F"
    bool hookFirst;      // on hook, 500 ms, off hook
    bool offHook;
};

const PickUpCase kPickUpCases[] = {
    {kStateReady, 0, "", false, true},
    {kStateCallHeld, kLineLink, "", false, false},
    {kStatePause, kExtensionLink, "", true, true},
    {kStateConnected, kLineLink, "F", false, false},
    {kStateDialling, kExtensionLink, "", true, true},
    {kStateIncomingCall, kLineLink, nullptr, false, false},  // nothing
};

class PopupPickUpTest : public EventPopupDlgTest {
protected:
    void CheckPickUps(const QString& code)
    {
        for (const PickUpCase& c : kPickUpCases) {
            m_pauses.clear();
            SetExtension(kOwnExtension, c.state, c.linkType, 0);
            SetLine(kPickUpLine, kStateCallHeld, kExtensionLink, 5, "0611");
            Refresh();
            const int row = m_popup->Rows().Find(PopupSource::Line, kPickUpLine);
            ASSERT_NE(row, PopupRowTable::kNoRow);
            Click(row, 0);
            Pump();
            QStringList expected;
            if (c.prefix) {
                // The engine's hook requests press key 64 as well.
                if (c.hookFirst)
                    expected << QStringLiteral("onhook") << QStringLiteral("key64 off");
                if (c.offHook)
                    expected << QStringLiteral("offhook") << QStringLiteral("key64 on");
                expected << QString::fromLatin1(c.prefix) + code;
            }
            EXPECT_EQ(Requests(), expected) << int(c.state);
            EXPECT_EQ(m_pauses.size(), c.hookFirst ? 1u : 0u) << int(c.state);
            if (c.hookFirst && !m_pauses.empty()) {
                EXPECT_EQ(m_pauses.front(), 500ms);
            }
            EXPECT_TRUE(m_progress.Errors().isEmpty()) << m_progress.Errors().join(u',').toStdString();
        }
    }
};

TEST_P(PopupPickUpTest, TheFourthOfTwelveLinesIsPickedUpWithTwoDigits)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    CheckPickUps(QStringLiteral("##04"));
}

TEST_P(PopupPickUpTest, TheFourthOfEightLinesIsPickedUpWithOneDigit)
{
    SimulvexModel model;
    model.lines = 8;
    StartPopup(model);
    if (IsSkipped() || HasFatalFailure())
        return;
    CheckPickUps(QStringLiteral("##4"));
}

TEST_P(EventPopupDlgTest, ResumeNotesAndRecordingReachThePbxAndTheDatabase)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    // Resume: "9" from a held state, "F9" in a call.
    SetExtension(3, kStateCallHeld, kExtensionLink, kOwnExtension);
    for (const auto& [state, dialled] : {std::pair{kStateCallHeld, "9"}, std::pair{kStateConnected, "F9"},
                                         std::pair{kStateBooking, "9"}, std::pair{kStateReady, ""}}) {
        SetExtension(kOwnExtension, state, kExtensionLink, 3);
        Refresh();
        Click(0, 0);
        Pump();
        EXPECT_EQ(Requests(), dialled[0] ? QStringList{QString::fromLatin1(dialled)} : QStringList{}) << int(state);
    }
    SetExtension(3, kStateReady);

    // A note on the line call: the caller's number with the station's link; cancelled, nothing.
    SetExtension(kOwnExtension, kStateConnected, kLineLink, 0);
    SetLine(0, kStateConnected, kExtensionLink, kOwnExtension, "0212345678");
    Refresh();
    const int row = m_popup->Rows().Find(PopupSource::Line, 0);
    ASSERT_NE(row, PopupRowTable::kNoRow);
    Click(row, 2);
    Pump();
    m_noteText = QStringLiteral("Richiamare domani");
    Click(row, 2);
    Pump();
    EXPECT_EQ(m_dialogs, 2);
    Notes notes;
    ASSERT_EQ(m_database->QueryNotes(kPbx, kOwnExtension, nullptr, nullptr, 0, {}, notes), kNoError);
    ASSERT_EQ(notes.rows.size(), 1);
    EXPECT_TRUE(notes.rows.front().contains(QStringLiteral("Richiamare domani")));
    EXPECT_TRUE(notes.rows.front().contains(QStringLiteral("0212345678")));

    // The recorder: the button asks it to record and the row says so; a ready station forgets it.
    m_records.third.Bytes()[0] = 1;
    m_records.third.Bytes()[3] = 1;
    Refresh();
    const int recorder = m_popup->Rows().Find(PopupSource::Recorder, 0);
    ASSERT_NE(recorder, PopupRowTable::kNoRow);
    EXPECT_EQ(m_popup->Rows().At(recorder).text, QStringLiteral("Monitor registratore conversazioni"));
    Simulvex(QStringLiteral("frames clear"));
    Click(recorder, 0);
    Pump();
    EXPECT_TRUE(m_popup->IsRecordingRequested());
    EXPECT_TRUE(Simulvex(QStringLiteral("frames")).contains(QStringLiteral("162b"), Qt::CaseInsensitive));
    Pump();  // the refresh it posted
    EXPECT_EQ(m_popup->Rows().At(m_popup->Rows().Find(PopupSource::Recorder, 0)).text,
              QStringLiteral("Registrazione conversazione in corso"));
    EXPECT_EQ(Button(m_popup->Rows().Find(PopupSource::Recorder, 0), 0), nullptr);
    SetExtension(kOwnExtension, kStateReady);
    SetLine(0, kStateReady);
    Refresh();
    EXPECT_FALSE(m_popup->IsRecordingRequested());
    EXPECT_EQ(m_popup->Rows().Count(), 0);  // a ready station without a request has no recorder row

    // Automatic recording: asked as soon as the station talks, once.
    m_records.third.Bytes()[2] = 1;
    SetExtension(kOwnExtension, kStateConnected, kExtensionLink, 4);
    Simulvex(QStringLiteral("frames clear"));
    Refresh();
    EXPECT_TRUE(m_popup->IsRecordingRequested());
    EXPECT_EQ(Simulvex(QStringLiteral("frames")).count(QStringLiteral("162b"), Qt::CaseInsensitive), 1);
    Refresh();
    EXPECT_EQ(Simulvex(QStringLiteral("frames")).count(QStringLiteral("162b"), Qt::CaseInsensitive), 1);
    EXPECT_TRUE(m_progress.Errors().isEmpty()) << m_progress.Errors().join(u',').toStdString();
}

TEST_P(EventPopupDlgTest, CallActionsDoNothingWithoutTheExtensionsWindow)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    // Reject on a ringing call: without the extensions window the state is not forced to connected and
    // nothing reaches the PBX; Answer likewise.
    SetExtension(kOwnExtension, kStateIncomingCall, kExtensionLink, 6);
    Refresh();
    Click(0, 1);
    Pump();
    EXPECT_EQ(m_state.tables.extensionStatus[kOwnExtension].State(), kStateIncomingCall);
    Click(0, 0);
    Pump();
    EXPECT_TRUE(Requests().isEmpty());
    // A transfer with nothing chosen in the list does nothing either.
    SetExtension(kOwnExtension, kStateConnected, kExtensionLink, 6);
    SetExtension(6, kStateConnected, kExtensionLink, kOwnExtension);
    Refresh();
    const int row = m_popup->Rows().Find(PopupSource::Extension, 6);
    ASSERT_NE(row, PopupRowTable::kNoRow);
    Find<QComboBox>(CEventPopupDlg::kTransferListId + row)->setCurrentIndex(-1);
    Click(row, 1);
    Pump();
    EXPECT_TRUE(Requests().isEmpty());
    EXPECT_TRUE(m_frameTarget.posts.empty());
}

TEST_P(EventPopupDlgTest, TheFilterActsOnLineCallsOnlyAndOnExtensionsThePbxHas)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    struct Case {
        const char* name;
        CallFilterRule rule;
        std::uint8_t options;
        std::uint8_t link;
        const char* callerId;
        const char* dialled;
        QString number;   // the transfer number then pending
        int extension;    // the transfer extension then pending
        bool row;         // the ringing call has its row
    };
    const std::uint8_t withoutMonitoring = kEveryOfficeOption & ~0x04;
    const std::uint8_t withoutFilter = kEveryOfficeOption & ~0x10;
    const Case cases[] = {
        {"prefix", Rule("*02", CallFilterRule::kTransferToNumber, "555"), kEveryOfficeOption, kLineLink, "0212", "",
         QStringLiteral("555"), 255, true},
        {"whole number, other", Rule("02", CallFilterRule::kTransferToNumber, "555"), kEveryOfficeOption, kLineLink,
         "0212", "", QString(), 255, true},
        {"whole number", Rule("02", CallFilterRule::kTransferToNumber, "555"), kEveryOfficeOption, kLineLink, "02",
         "", QStringLiteral("555"), 255, true},
        {"dialled number stripped", Rule("*02", CallFilterRule::kTransferToExtension, "3"), kEveryOfficeOption,
         kLineLink, "", "0021", QString(), 3, true},
        {"extension caller", Rule("*", CallFilterRule::kTransferToExtension, "3"), kEveryOfficeOption,
         kExtensionLink, "", "", QString(), 255, true},
        {"entry phone caller", Rule("*", CallFilterRule::kTransferToNumber, "555"), kEveryOfficeOption,
         kEntryPhoneLink, "", "", QString(), 255, true},
        {"no monitoring", Rule("*02", CallFilterRule::kTransferToExtension, "3"), withoutMonitoring, kLineLink,
         "0212", "", QString(), 3, false},
        {"no filter", Rule("*02", CallFilterRule::kTransferToExtension, "3"), withoutFilter, kLineLink, "0212", "",
         QString(), 255, true},
        {"target beyond the extensions", Rule("*02", CallFilterRule::kTransferToExtension, "300"),
         kEveryOfficeOption, kLineLink, "0212", "", QString(), 255, true},
        {"target no number", Rule("*02", CallFilterRule::kTransferToExtension, "tre"), kEveryOfficeOption, kLineLink,
         "0212", "", QString(), 255, true},
        {"empty number", Rule("*02", CallFilterRule::kTransferToNumber, ""), kEveryOfficeOption, kLineLink, "0212",
         "", QString(), 255, true},
    };
    for (const Case& c : cases) {
        MakePopup(m_context, m_frameTarget);
        SetRules({c.rule});
        m_records.office.SetFlags(c.options);
        SetExtension(kOwnExtension, kStateIncomingCall, c.link, 2);
        SetLine(2, kStateArriving, 0, 0, c.callerId, c.dialled);
        Refresh();
        EXPECT_EQ(m_popup->TransferNumber(), c.number) << c.name;
        EXPECT_EQ(m_popup->TransferExtension(), c.extension) << c.name;
        const PopupSource kind = c.link == kLineLink        ? PopupSource::Line
                                 : c.link == kExtensionLink ? PopupSource::Extension
                                                            : PopupSource::EntryPhone;
        EXPECT_EQ(m_popup->Rows().Find(kind, 2) != PopupRowTable::kNoRow, c.row) << c.name;
        // A second match while the transfer waits changes nothing.
        if (c.number.isEmpty() && c.extension == 255)
            continue;
        SetRules({Rule(QStringLiteral("*"), static_cast<CallFilterRule::Action>(c.rule.action), QStringLiteral("7"))});
        Refresh();
        EXPECT_EQ(m_popup->TransferNumber(), c.number) << c.name;
        EXPECT_EQ(m_popup->TransferExtension(), c.extension) << c.name;
    }
    EXPECT_TRUE(Requests().isEmpty());

    // A transfer to an extension is done once the station talks (the extensions window's call actions),
    // and forgotten then.
    MakePopup(m_context, m_frameTarget);
    m_records.office.SetFlags(kEveryOfficeOption);
    SetRules({Rule(QStringLiteral("*02"), CallFilterRule::kTransferToExtension, QStringLiteral("3"))});
    SetExtension(kOwnExtension, kStateIncomingCall, kLineLink, 2);
    SetLine(2, kStateArriving, 0, 0, "0212");
    Refresh();
    EXPECT_EQ(m_popup->TransferExtension(), 3);
    SetExtension(kOwnExtension, kStateConnected, kLineLink, 2);
    SetLine(2, kStateConnected, kExtensionLink, kOwnExtension, "0212");
    Refresh();
    EXPECT_EQ(m_popup->TransferExtension(), 255);
}

TEST_P(EventPopupDlgTest, ATransferToANumberFollowsTheStationsStates)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    SetRules({Rule(QStringLiteral("*02"), CallFilterRule::kTransferToNumber, QStringLiteral("0612345"))});
    auto own = [this] { return m_state.tables.extensionStatus[kOwnExtension]; };
    // The call rings from line 0; the filter answers it and keeps the number.
    ASSERT_TRUE(Simulvex(QStringLiteral("ring %1 line 0 0212345").arg(kOwnExtension)).startsWith(QStringLiteral("OK")));
    ASSERT_TRUE(DispatchUntil([&] { return !m_popup->TransferNumber().isEmpty(); }))
        << own().State() << " " << m_state.tables.lineStatus[0].CallerNumber().toStdString();
    EXPECT_EQ(m_popup->TransferSteps(), (std::array<bool, 5>{true, false, false, false, false}));
    Requests();

    auto toState = [&](std::uint8_t state) {
        ASSERT_TRUE(Simulvex(QStringLiteral("set state extension %1 %2").arg(kOwnExtension).arg(state))
                        .startsWith(QStringLiteral("OK")));
        ASSERT_TRUE(DispatchUntil([&] { return own().State() == state; }));
        Refresh();
    };
    // Connected: the flash.
    toState(kStateConnected);
    EXPECT_EQ(Requests(), QStringList{QStringLiteral("F")});
    EXPECT_EQ(m_popup->TransferSteps(), (std::array<bool, 5>{false, true, false, false, false}));
    // The dial tone of the consultation: the number behind the outside-line code, not off hook first.
    toState(kStatePause);
    EXPECT_EQ(Requests(), QStringList{QStringLiteral("00612345")});
    EXPECT_TRUE(m_popup->TransferNumber().isEmpty());
    EXPECT_EQ(m_popup->TransferSteps(), (std::array<bool, 5>{false, false, true, false, false}));
    // Connected again: the transfer code.
    toState(kStateConnected);
    EXPECT_EQ(Requests(), QStringList{QStringLiteral("F4#")});
    EXPECT_EQ(m_popup->TransferSteps(), (std::array<bool, 5>{false, false, false, true, false}));
    // The call ends: hang up (the extensions window's call action), and the transfer is over.
    toState(kStateCallEnded);
    EXPECT_EQ(m_popup->TransferSteps(), (std::array<bool, 5>{}));
    toState(kStateConnected);
    EXPECT_TRUE(Requests().isEmpty());
    EXPECT_TRUE(m_progress.Errors().isEmpty());
}

TEST_P(EventPopupDlgTest, MissedCallsAreShownOrClearedByTheSwitch)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_state.missedCalls = 1;
    Refresh();
    EXPECT_EQ(RowTexts(), QStringList{QStringLiteral("1 chiamata persa...")});
    Click(0, 0);
    Pump();
    ASSERT_EQ(m_frameTarget.posts.size(), 1u);
    EXPECT_EQ(m_frameTarget.posts.front(), std::make_tuple(CEventPopupDlg::kMissedCallsMessage, std::uint64_t{0}, std::int64_t{0}));

    // The messages row asks the frame for the list.
    m_state.unreadMessages = true;
    Refresh();
    ASSERT_EQ(m_popup->Rows().Find(PopupSource::Messages, 0), 0);
    Click(0, 0);
    Pump();
    EXPECT_EQ(m_frameTarget.posts.back(), std::make_tuple(CEventPopupDlg::kMessagesMessage, std::uint64_t{0}, std::int64_t{0}));
    m_state.unreadMessages = false;

    // Handling switched off: the count goes silently, the mark moves to now and the file is written.
    const OleDate now = OleDate::Now();
    m_records.main.SetPopupOption(1);
    m_state.missedCalls = 4;
    Refresh();
    EXPECT_EQ(m_state.missedCalls, 0);
    EXPECT_EQ(m_popup->Rows().Count(), 0);
    EXPECT_GE(m_records.main.MissedCallReference().Value(), now.Value() - 1.0 / 86400);
    ASSERT_TRUE(QFileInfo::exists(m_folder.path() + QStringLiteral("/FvCnf.fps")));
}

TEST_P(EventPopupDlgTest, TheAlarmSoundLoopsWhileAnAlarmIsActiveAndTheCountdownReportsIt)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    SetAlarm(4, 1);
    Refresh();
    EXPECT_EQ(m_sounds, QStringList{QStringLiteral("play AlarmSnd.psx")});
    EXPECT_EQ(m_popup->AlarmCountdown(), CEventPopupDlg::kAlarmCountdownSeconds);
    SetAlarm(6, 1);
    m_popup->OnTimer();
    Refresh();
    Refresh();
    EXPECT_EQ(m_sounds.size(), 1);  // started once, looping on
    EXPECT_EQ(m_popup->AlarmCountdown(), CEventPopupDlg::kAlarmCountdownSeconds);  // a new alarm row
    // One turns unanswered, one is reset: the sound stops with the last active one.
    SetAlarm(6, 2);
    Refresh();
    EXPECT_EQ(m_sounds.size(), 1);
    SetAlarm(4, 0);
    Refresh();
    EXPECT_EQ(m_sounds, (QStringList{QStringLiteral("play AlarmSnd.psx"), QStringLiteral("stop")}));
    EXPECT_EQ(RowTexts(), QStringList{QStringLiteral("Allarme da %1 non risposto...").arg(Name(6))});

    // The countdown: after 500 seconds every alarm still active is reported unanswered, once.
    SetAlarm(7, 1);
    SetAlarm(8, 1);
    Refresh();
    SetAlarm(8, 0);
    m_frameTarget.posts.clear();
    for (unsigned second = 0; second < CEventPopupDlg::kAlarmCountdownSeconds - 1; ++second)
        m_popup->OnTimer();
    EXPECT_TRUE(m_frameTarget.posts.empty());
    m_popup->OnTimer();
    m_popup->OnTimer();
    ASSERT_EQ(m_frameTarget.posts.size(), 1u);
    EXPECT_EQ(m_frameTarget.posts.front(), std::make_tuple(CEventPopupDlg::kAlarmMessage, std::uint64_t{7}, std::int64_t{0}));
    EXPECT_EQ(m_popup->AlarmCountdown(), 0u);
}

TEST_P(EventPopupDlgTest, FortyExtensionsInAlarmGiveThirtyTwoRowsAndTheSoundStillFollowsTheRest)
{
    SimulvexModel model;
    model.extensions = 40;
    StartPopup(model);
    if (IsSkipped() || HasFatalFailure())
        return;
    // The first 32 unanswered, the last 8 active: only unanswered rows fit, yet the sound plays.
    for (int extension = 0; extension < 40; ++extension)
        SetAlarm(extension, extension < 32 ? 2 : 1);
    Refresh();
    EXPECT_EQ(m_popup->Rows().Count(), 32);
    EXPECT_EQ(m_popup->RowsLeftOut(), 8);
    EXPECT_NE(Find<QLabel>(CEventPopupDlg::kTextId + 31), nullptr);
    EXPECT_NE(Button(31, 0), nullptr);
    EXPECT_EQ(Find<QLabel>(CEventPopupDlg::kTextId + 32), nullptr);
    EXPECT_EQ(m_sounds, QStringList{QStringLiteral("play AlarmSnd.psx")});
    // Room again: the active ones come in.
    for (int extension = 0; extension < 8; ++extension)
        SetAlarm(extension, 0);
    Refresh();
    EXPECT_EQ(m_popup->Rows().Count(), 32);
    EXPECT_EQ(m_popup->RowsLeftOut(), 0);
    EXPECT_NE(m_popup->Rows().Find(PopupSource::Alarm, 39), PopupRowTable::kNoRow);
    SaveScreenshot(*m_popup, QStringLiteral("eventpopup_32_alarms"));
}

TEST_P(EventPopupDlgTest, AClickActsOnTheRowItWasMadeForWhereverARefreshMovedIt)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    SetAlarm(5, 1);
    SetAlarm(9, 1);
    Refresh();
    ASSERT_EQ(m_popup->Rows().Find(PopupSource::Alarm, 5), 1);
    // Clicked; before the click is handled a refresh puts a new alarm on top.
    Click(1, 0);
    SetAlarm(7, 1);
    Refresh();
    ASSERT_EQ(m_popup->Rows().Find(PopupSource::Alarm, 5), 2);
    Pump();
    ASSERT_EQ(m_frameTarget.posts.size(), 1u);
    EXPECT_EQ(m_frameTarget.posts.front(), std::make_tuple(CEventPopupDlg::kAlarmMessage, std::uint64_t{5}, CEventPopupDlg::kAlarmReset));

    // The row is gone before the click is handled: nothing.
    m_frameTarget.posts.clear();
    Click(2, 0);
    SetAlarm(5, 0);
    Refresh();
    Pump();
    EXPECT_TRUE(m_frameTarget.posts.empty());
    // The row's button now does something else: nothing.
    Click(0, 0);  // alarm 7's reset
    SetAlarm(7, 2);
    Refresh();
    Pump();
    EXPECT_TRUE(m_frameTarget.posts.empty());
    // Its new button shows the list.
    Click(m_popup->Rows().Find(PopupSource::Alarm, 7), 0);
    Pump();
    ASSERT_EQ(m_frameTarget.posts.size(), 1u);
    EXPECT_EQ(m_frameTarget.posts.front(), std::make_tuple(CEventPopupDlg::kAlarmMessage, std::uint64_t{7}, CEventPopupDlg::kAlarmShow));
}

// An error box lets messages through: a refresh asked for meanwhile waits for the one that showed it.
class ReenteringProgress : public CallProgressView {
public:
    void ShowWait(const QString&) override {}
    void CloseWait() override {}
    void ShowError(int code) override
    {
        errors << code;
        popup->Target().Post(CEventPopupDlg::kRefreshMessage, 0, 0);
        QCoreApplication::sendPostedEvents(popup);
        refreshesSeenInBox << popup->Refreshes();
    }
    CEventPopupDlg* popup = nullptr;
    QList<int> errors;
    QList<int> refreshesSeenInBox;
};

TEST_P(EventPopupDlgTest, ARefreshAskedForInAnErrorBoxRunsAfterTheOneThatShowedIt)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    // Automatic recording without an engine client fails inside the refresh.
    ReenteringProgress progress;
    ConsoleWindowContext context = m_context;
    context.engine = [] { return static_cast<CEngineClient*>(nullptr); };
    context.callProgress = &progress;
    MakePopup(context, m_frameTarget);
    progress.popup = m_popup.get();
    m_records.third.Bytes()[0] = 1;
    m_records.third.Bytes()[2] = 1;
    m_records.third.Bytes()[3] = 1;
    SetExtension(kOwnExtension, kStateConnected, kExtensionLink, 4);
    QSignalSpy refreshed(m_popup.get(), &CEventPopupDlg::Refreshed);
    Refresh();
    EXPECT_EQ(progress.errors, QList<int>{kNoEngineClient});
    EXPECT_EQ(progress.refreshesSeenInBox, QList<int>{1});  // not run inside
    EXPECT_EQ(m_popup->Refreshes(), 2);                      // but right after
    EXPECT_EQ(refreshed.count(), 2);
    // The request stays asked for after its failure: the row says so.
    EXPECT_TRUE(m_popup->IsRecordingRequested());
    EXPECT_EQ(RowTexts(), QStringList{QStringLiteral("Registrazione conversazione in corso")});
}

TEST_P(EventPopupDlgTest, AnAlarmResetInThePopupLetsTheProgramEnd)
{
    StartPopup();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_records.main.SetAlarmEnabled(2, 1);
    CMainFrame& frame = Frame();
    frame.SetDispatcher(m_dispatcher.get());
    MakePopup(frame.WindowContext(), frame.Target());
    frame.SetPopup(m_popup.get());
    QSignalSpy closing(&frame, &CMainFrame::Closing);

    // The PBX raises an alarm on extension 2: the row, its sound; the program does not end.
    ASSERT_TRUE(Simulvex(QStringLiteral("alarm 1 2 1")).startsWith(QStringLiteral("OK")));
    ASSERT_TRUE(DispatchUntil([&] { return m_popup->Rows().Find(PopupSource::Alarm, 2) != PopupRowTable::kNoRow; }));
    EXPECT_TRUE(frame.IsAlarmPending());
    EXPECT_EQ(m_sounds, QStringList{QStringLiteral("play AlarmSnd.psx")});
    frame.Target().Post(WM_COMMAND, CMainFrame::kExitCommand, 0);
    QCoreApplication::sendPostedEvents(&frame);
    EXPECT_EQ(closing.count(), 0);

    // Reset in the popup: stored, relayed to every console, back as the engine's event clearing it.
    Click(m_popup->Rows().Find(PopupSource::Alarm, 2), 0);
    ASSERT_TRUE(DispatchUntil([&] { return !frame.IsAlarmPending() && m_popup->Rows().IsEmpty(); }))
        << m_progress.Errors().join(u',').toStdString();
    EXPECT_EQ(m_sounds, (QStringList{QStringLiteral("play AlarmSnd.psx"), QStringLiteral("stop")}));
    EXPECT_FALSE(m_popup->isVisible());
    frame.Target().Post(WM_COMMAND, CMainFrame::kExitCommand, 0);
    QCoreApplication::sendPostedEvents(&frame);
    EXPECT_EQ(closing.count(), 1);
    frame.SetPopup(nullptr);
    frame.SetDispatcher(nullptr);
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(EventPopupDlgTest);
INSTANTIATE_CONSOLE_WINDOWS_TEST(PopupPickUpTest);

}  // namespace
}  // namespace popupwindow
