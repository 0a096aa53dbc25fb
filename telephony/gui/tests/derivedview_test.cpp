// The extensions window against Simulvex through Pultex: the click table, the menus and their greying, the
// drag transfer and its edge, the blink of one item at a time, and the commands: wake-up, programming
// changes back as event 35, check-in, check-out to a running or a started Tarivo or to none, and
// operator messages to either PBX.
#include "clippedtextcheck.h"
#include "derivedview.h"
#include "eventlistdlg.h"
#include "folders.h"
#include "language.h"
#include "objectwindowsfixture.h"
#include "oledatetext.h"
#include "operatorconsolequeries.h"
#include "pbxdisplaynames.h"
#include "suiteipc.h"
#include "tarivoaccount.h"
#include "textdlg.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <bit>

namespace {

using namespace objectwindows;

constexpr int kOther = 3;   // another extension of this PBX
constexpr int kTarget = 5;  // where calls are transferred
constexpr std::size_t kOutsideCalls = 5;
constexpr std::size_t kDoNotDisturbByte = 8;

// Messages posted to the window class "Tarivo", in order.
class RecordingTarget : public MessageTarget {
public:
    struct Posted {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        posted.push_back({message, wParam, lParam});
    }
    std::vector<Posted> posted;
};

class DerivedViewTest : public ObjectWindowsTest {
protected:
    void TearDown() override
    {
        m_view.reset();
        ObjectWindowsTest::TearDown();
    }
    CDerivedView* OpenView()
    {
        m_context.settingsFolder = m_folder.path() + u'/';
        m_view = std::make_unique<CDerivedView>(m_context, [this](int index) {
            return (m_records.main.ObjectFlags(MainSettings::kExtensions, index) & 1) != 0;
        });
        m_view->resize(640, 400);
        m_view->show();
        m_redraw.view = m_view.get();
        m_view->SetRunDialog([this](QDialog& dialog) {
            m_dialogs << QString::fromLatin1(dialog.metaObject()->className());
            return m_answer ? m_answer(dialog) : int(QDialog::Rejected);
        });
        m_view->SetShowMessage([this](const QString&, const QString& text) { m_messages << text; });
        return m_view.get();
    }
    void SetState(int extension, std::uint8_t state)
    {
        m_state.tables.extensionStatus[static_cast<std::size_t>(extension)].bytes[ExtensionEntry::kStateOffset] = state;
    }
    InstallationSettings& Installation() { return *ConsoleWindowsTest::m_installation; }
    // The menu's entry of the command, or a submenu by its title's id.
    QAction* Entry(std::uint32_t command) const
    {
        return m_view->ContextMenu()->findChild<QAction*>(QString::number(command));
    }
    QStringList TopLevelTexts() const
    {
        QStringList texts;
        for (const QAction* action : m_view->ContextMenu()->actions())
            texts << action->text();
        return texts;
    }
    void RightClick(int extension)
    {
        if (m_view->ContextMenu())
            m_view->ContextMenu()->close();
        ClickObject(*m_view, extension, Qt::RightButton);
    }
    // The frames of a code that reached Simulvex since the last call.
    std::vector<QByteArray> Frames(std::uint8_t code)
    {
        const QString reply = Simulvex(QStringLiteral("frames"));
        EXPECT_EQ(Simulvex(QStringLiteral("frames clear")), QStringLiteral("OK"));
        std::vector<QByteArray> frames;
        const qsizetype colon = reply.indexOf(u':');
        for (const QString& entry : reply.mid(colon + 1).split(u'|', Qt::SkipEmptyParts)) {
            const QByteArray frame = QByteArray::fromHex(entry.trimmed().section(u' ', -1).toLatin1());
            if (frame.size() > 4 && static_cast<std::uint8_t>(frame.at(2)) == code)
                frames.push_back(frame.mid(4));
        }
        return frames;
    }
    void Move(const QPoint& at)
    {
        QMouseEvent move(QEvent::MouseMove, at, m_view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(m_view->viewport(), &move);
    }
    QPoint ItemCentre(int extension) const
    {
        return m_view->visualItemRect(m_view->item(m_view->FindObjectItem(extension))).center();
    }
    // Accepts the text dialog with the text.
    static int TypeText(QDialog& dialog, const QString& text)
    {
        dialog.findChild<QPlainTextEdit*>(QString::number(CTextDlg::kText))->setPlainText(text);
        dialog.findChild<QPushButton*>(QString::number(CTextDlg::kOk))->click();
        return dialog.result();
    }
    void ChecksIn(int extension, const OleDate& time)
    {
        m_records.main.SetCheckInManagement(1);
        m_records.main.SetCheckedIn(extension, 1);
        m_records.main.SetCheckInTime(extension, time);
    }

    std::unique_ptr<CDerivedView> m_view;
    QStringList m_dialogs;
    QStringList m_messages;
    std::function<int(QDialog&)> m_answer;
};

TEST_P(DerivedViewTest, ClicksActByTheClickedExtensionsStateAndThisStations)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    const QString other = FormatExtensionPortCode(m_state, kOther);
    // Without the operator position a call needs no flash before the number.
    auto& operatorPosition = m_state.tables.extensionProgramming[kOwnExtension][2];
    operatorPosition = 0;
    // Beside the icons: nothing selected, nothing sent, no menu.
    ClickBetween(*m_view);
    EXPECT_EQ(m_view->SelectedExtension(), CDerivedView::kNone);
    ClickBetween(*m_view, Qt::RightButton);
    EXPECT_EQ(m_view->ContextMenu(), nullptr);

    struct Case {
        int clicked;
        std::uint8_t clickedState;  // ignored for this station's own extension
        std::uint8_t ownState;
        QStringList requests;
    };
    const QString pickUp = QStringLiteral("42") + DefaultExtensionNumber(m_state, kOther);
    const QStringList hangUp{QStringLiteral("onhook"), QStringLiteral("key64 off")};
    const Case cases[] = {
        // An idle extension is called: off-hook, key 64, the operator's flash and the number.
        {kOther, kStateReady, kStateReady, {QStringLiteral("offhook"), QStringLiteral("key64 on"), other}},
        {kOwnExtension, 0, kStateIncomingCall, {QStringLiteral("offhook"), QStringLiteral("key64 on")}},
        {kOther, kStateIncomingCall, kStateReady, {QStringLiteral("offhook"), QStringLiteral("key64 on"), pickUp}},
        {kOther, kStateIncomingCall, kStateConnected, {}},
        {kOwnExtension, 0, kStateCallWaiting, hangUp},
        {kOwnExtension, 0, kStateOutgoingCall, hangUp},
        {kOwnExtension, 0, kStateCallEnded, hangUp},
        {kOwnExtension, 0, kStateDialling, hangUp},
        {kOwnExtension, 0, kStateExternalCall, hangUp},
        {kOwnExtension, 0, kStateConnected, {QStringLiteral("F")}},
        {kOwnExtension, 0, kStatePause, {QStringLiteral("F9")}},
        {kOwnExtension, 0, kStateReady, {}},
        {kOther, kStateConnected, kStateReady, {}},
        {kOther, kStateCallHeld, kStateReady, {}},
    };
    for (const Case& c : cases) {
        SetOwnState(c.ownState);
        if (c.clicked != kOwnExtension)
            SetState(c.clicked, c.clickedState);
        m_pauses.clear();
        ClickObject(*m_view, c.clicked);
        EXPECT_EQ(m_view->SelectedExtension(), c.clicked);
        EXPECT_EQ(Requests(), c.requests) << c.clicked << " " << int(c.clickedState) << " " << int(c.ownState);
        Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension));
        Requests();
    }
    EXPECT_EQ(m_progress.Errors(), QStringList());

    // The popup's call action: the selected extension called with the waits between the requests, and
    // the operator position's flash.
    operatorPosition = 1;
    SetOwnState(kStateReady);
    SetState(kOther, kStateReady);
    m_pauses.clear();
    m_view->SetSelectedExtension(kOther);
    m_view->CallSelectedExtension();
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), QStringLiteral("key64 on"), u'F' + other}));
    EXPECT_EQ(m_pauses, (std::vector<std::chrono::milliseconds>{500ms, 500ms, 1000ms}));
    // This station in a call: flash and the number transfer it.
    SetOwnState(kStateConnected);
    m_view->CallSelectedExtension();
    EXPECT_EQ(Requests(), QStringList{u'F' + other});
}

TEST_P(DerivedViewTest, MenusGreyByProtectionHotelFlagModeAndPbx)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    m_records.office.SetFlags(OfficePluginSettings::kMessages | OfficePluginSettings::kNotes);
    SetOwnState(kStateConnected);
    SetState(kOther, kStateReady);
    m_state.tables.extensionProgramming[kOwnExtension][kOutsideCalls] = 0;
    // The entries that protection greys on another extension but not on this station's own.
    const std::uint32_t guarded[] = {CDerivedView::kEnable,         CDerivedView::kDoNotDisturb,
                                     CDerivedView::kFollowMe,       CDerivedView::kWakeUpToggle,
                                     CDerivedView::kWakeUpEvents,   CDerivedView::kIncomingCalls,
                                     CDerivedView::kOutgoingCalls,  CDerivedView::kMissedCalls,
                                     CDerivedView::kAllCalls,       CDerivedView::kNotes,
                                     CDerivedView::kAlarms};
    struct Case {
        std::uint8_t protection;
        int extension;
        bool enabled;
    };
    const Case cases[] = {{InstallationSettings::kProtectionAdministrator, kOther, true},
                          {InstallationSettings::kProtectionUser, kOther, false},
                          {InstallationSettings::kProtectionUser, kOwnExtension, true}};
    for (const Case& c : cases) {
        Installation().SetProtection(c.protection);
        RightClick(c.extension);
        ASSERT_NE(m_view->ContextMenu(), nullptr);
        for (const std::uint32_t command : guarded)
            EXPECT_EQ(Entry(command)->isEnabled(), c.enabled) << command << " " << c.extension;
    }
    Installation().SetProtection(InstallationSettings::kProtectionAdministrator);

    // Office order; this station in a call: hang up, hold; check-in greyed without the hotel.
    RightClick(kOwnExtension);
    EXPECT_EQ(TopLevelTexts(),
              (QStringList{LoadResString(1065), LoadResString(1067), LoadResString(10025), LoadResString(10057),
                           LoadResString(1217), LoadResString(1195), LoadResString(10023), LoadResString(1019),
                           LoadResString(10039), LoadResString(10036), LoadResString(1290)}));
    EXPECT_TRUE(Entry(CDerivedView::kHold)->isEnabled());
    EXPECT_FALSE(Entry(CDerivedView::kSendMessage)->isEnabled());
    EXPECT_EQ(Entry(CDerivedView::kMessagesReceived)->text(), LoadResString(1183));
    EXPECT_FALSE(Entry(CDerivedView::kCheckInOut)->isEnabled());
    EXPECT_FALSE(Entry(CDerivedView::kWakeUpEdit)->isEnabled());
    // Another extension: the messages between it and this station, by name.
    RightClick(kOther);
    const QString own = u' ' + m_context.ExtensionName(kOwnExtension);
    const QList<QAction*> messages = m_view->ContextMenu()->findChild<QMenu*>(QStringLiteral("1195"))->actions();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0]->text(), LoadResString(1264) + own);
    EXPECT_EQ(messages[1]->text(), LoadResString(1265) + own);
    EXPECT_TRUE(messages[2]->isEnabled());
    EXPECT_EQ(Entry(CDerivedView::kCall)->text(), LoadResString(10021));
    EXPECT_TRUE(Entry(CDerivedView::kCall)->isEnabled());
    EXPECT_FALSE(Entry(CDerivedView::kHold)->isEnabled());
    // Without operator messages the three are greyed.
    m_records.office.SetFlags(OfficePluginSettings::kNotes);
    RightClick(kOther);
    for (const QAction* entry : m_view->ContextMenu()->findChild<QMenu*>(QStringLiteral("1195"))->actions())
        EXPECT_FALSE(entry->isEnabled());

    // Hotel order; protection greys only the call lists and the notes; check-in is open outside mode 4.
    m_records.main.SetCheckInManagement(1);
    Installation().SetProtection(InstallationSettings::kProtectionUser);
    Installation().SetInstallationMode(InstallationSettings::kModeServer);
    m_state.tables.extensionWakeUp[kOther][1] = 2;
    RightClick(kOther);
    EXPECT_EQ(TopLevelTexts().constFirst(), LoadResString(1290));
    EXPECT_EQ(TopLevelTexts().constLast(), LoadResString(10036));
    for (const std::uint32_t command : {CDerivedView::kEnable, CDerivedView::kDoNotDisturb, CDerivedView::kFollowMe,
                                        CDerivedView::kWakeUpToggle, CDerivedView::kWakeUpEdit, CDerivedView::kAlarms,
                                        CDerivedView::kCheckInOut})
        EXPECT_TRUE(Entry(command)->isEnabled()) << command;
    for (const std::uint32_t command : {CDerivedView::kIncomingCalls, CDerivedView::kAllCalls, CDerivedView::kNotes})
        EXPECT_FALSE(Entry(command)->isEnabled()) << command;
    EXPECT_EQ(Entry(CDerivedView::kWakeUpToggle)->text(), LoadResString(10024));
    m_records.main.SetCheckedIn(kOther, 1);
    RightClick(kOther);
    EXPECT_EQ(Entry(CDerivedView::kCheckInOut)->text(), LoadResString(1291));
    Installation().SetInstallationMode(InstallationSettings::kModeSimulation);
    RightClick(kOther);
    EXPECT_FALSE(Entry(CDerivedView::kCheckInOut)->isEnabled());
    Installation().SetProtection(InstallationSettings::kProtectionAdministrator);

    // The second PBX: listed, but a menu only with its option, and then calls and messages only.
    m_view.reset();
    AddSecondPbx(4, 2, 1, 1);
    m_records.office.SetFlags(OfficePluginSettings::kMessages);
    OpenView();
    const int second = m_state.FirstCounts().extensions + 1;
    SetState(second, kStateReady);
    ASSERT_GE(m_view->FindObjectItem(second), 0);
    RightClick(second);
    EXPECT_EQ(m_view->ContextMenu(), nullptr);
    SetSecondPbxOption(CDerivedView::kSecondPbxExtensionsOption);
    RightClick(second);
    ASSERT_NE(m_view->ContextMenu(), nullptr);
    const QList<QAction*> all = m_view->ContextMenu()->findChildren<QAction*>();
    for (const QAction* entry : all) {
        if (entry->menu())
            continue;
        const bool open = entry->objectName() == QString::number(CDerivedView::kCall) ||
                          entry->objectName() == QString::number(CDerivedView::kMessagesReceived) ||
                          entry->objectName() == QString::number(CDerivedView::kMessagesSent) ||
                          entry->objectName() == QString::number(CDerivedView::kSendMessage);
        EXPECT_EQ(entry->isEnabled(), open) << entry->objectName().toStdString();
    }
}

TEST_P(DerivedViewTest, DraggingThisStationsCallOntoAnExtensionTransfersItAndTheEdgeCancels)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    SetOwnState(kStateConnected);
    const QPoint own = ItemCentre(kOwnExtension);
    const QPoint target = ItemCentre(kTarget);

    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, own);
    Move(own + QPoint(QApplication::startDragDistance() + 1, 0));
    ASSERT_TRUE(m_view->IsDragging());
    Move(target);
    EXPECT_EQ(m_view->DropTargetRow(), m_view->FindObjectItem(kTarget));
    EXPECT_TRUE(m_view->item(m_view->DropTargetRow())->data(CDerivedView::kDropHighlightRole).toBool());
    SaveScreenshot(*m_view, QStringLiteral("derivedview_drag"));
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, target);
    EXPECT_FALSE(m_view->IsDragging());
    EXPECT_EQ(m_view->DropTargetRow(), -1);
    EXPECT_FALSE(m_view->item(m_view->FindObjectItem(kTarget))->data(CDerivedView::kDropHighlightRole).toBool());
    EXPECT_EQ(Requests(), QStringList{QStringLiteral("F") + FormatExtensionPortCode(m_state, kTarget)});
    EXPECT_EQ(FormatExtensionPortCode(m_state, kTarget), QStringLiteral("#05"));

    // Toward the edge the drag is given up: no target, nothing sent on release.
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, own);
    Move(target);
    ASSERT_TRUE(m_view->IsDragging());
    const QPoint edge = m_view->viewport()->mapFrom(m_view.get(), QPoint(m_view->width() - 5, target.y()));
    Move(edge);
    EXPECT_FALSE(m_view->IsDragging());
    EXPECT_EQ(m_view->DropTargetRow(), -1);
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, edge);
    EXPECT_EQ(Requests(), QStringList());

    // Another extension, or this station's while idle, is not dragged; the press stays a click.
    SetOwnState(kStateReady);
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, own);
    Move(target);
    EXPECT_FALSE(m_view->IsDragging());
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, target);
    EXPECT_EQ(Requests(), QStringList());
}

TEST_P(DerivedViewTest, BlinkingAndFlaggedExtensionsAreRedrawnOneItemEachSecond)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    for (int extension = 0; extension < m_model.extensions; ++extension)
        SetState(extension, kStateReady);
    const std::uint8_t blinking[] = {kStateIncomingCall, kStateCallWaiting, kStateCallHeld, kStatePause, kStateArriving};
    for (int i = 0; i < 5; ++i)
        SetState(2 + i, blinking[i]);
    SetState(7, kStateConnected);
    m_state.tables.extensionWork[9][1] = 0;  // its name scrolls
    QSignalSpy changed(m_view->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(m_view->model(), &QAbstractItemModel::modelReset);
    m_view->OnTimer();
    QList<int> rows;
    for (const auto& signal : changed)
        rows << signal.at(0).toModelIndex().row();
    QList<int> expected;
    for (const int extension : {2, 3, 4, 5, 6, 9})
        expected << m_view->FindObjectItem(extension);
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(m_state.tables.extensionWork[2][0], 1);
    EXPECT_EQ(m_state.tables.extensionWork[7][0], 0);
    m_view->OnTimer();
    EXPECT_EQ(m_state.tables.extensionWork[2][0], 0);

    // Closing the window takes the background picture some versions left, and is silent without it.
    QFile leftOver(GetSharedFolder() + CDerivedView::kTemporaryBackground);
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.close();
    m_view.reset();
    EXPECT_FALSE(QFile::exists(leftOver.fileName()));
    OpenView();
    m_view.reset();
}

TEST_P(DerivedViewTest, WakeUpAndProgrammingChangesReachThePbxAndComeBack)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    const int position = 0;
    // An enabled wake-up is switched off without the dialog.
    m_state.tables.extensionWakeUp[kOther] = {kOther, 2, 7, 30, 0};
    m_view->SetSelectedExtension(kOther);
    m_view->OnWakeUpToggle();
    EXPECT_EQ(m_dialogs, QStringList());
    const auto wakeUps = Frames(PbxCode::kWakeUpWrite);
    ASSERT_EQ(wakeUps.size(), 1u);
    EXPECT_EQ(wakeUps[0], QByteArray::fromHex("0300071e00"));
    QByteArray stored;
    ASSERT_EQ(m_database->ReadWakeUp(position, kOther, stored), kNoError);
    EXPECT_EQ(stored.at(1), 0);
    // A disabled one opens the dialog; its Cancel sends nothing.
    m_state.tables.extensionWakeUp[kOther][1] = 0;
    m_view->OnWakeUpToggle();
    EXPECT_EQ(m_dialogs, QStringList{QStringLiteral("CWakeUpTimeDlg")});
    EXPECT_TRUE(Frames(PbxCode::kWakeUpWrite).empty());

    // Do-not-disturb: the PBX, the table of the database and, back as event 35, the console's table.
    const std::uint8_t before = m_state.tables.extensionProgramming[kOther][kDoNotDisturbByte];
    m_view->OnDoNotDisturb();
    EXPECT_EQ(m_progress.Errors(), QStringList());
    EXPECT_EQ(m_state.tables.extensionProgramming[kOther][kDoNotDisturbByte], before);
    const auto written = Frames(PbxCode::kProgrammingWrite);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(static_cast<std::uint8_t>(written[0].at(kDoNotDisturbByte)), before ^ 1);
    ASSERT_EQ(m_database->ReadDerivedProgrammation(position, kOther, stored), kNoError);
    EXPECT_EQ(static_cast<std::uint8_t>(stored.at(kDoNotDisturbByte)), before ^ 1);
    EXPECT_TRUE(DispatchUntil(
        [&] { return m_state.tables.extensionProgramming[kOther][kDoNotDisturbByte] == (before ^ 1); }));

    // Follow-me on: the dialog's extension; off: 255 without it.
    m_state.tables.extensionProgramming[kOther][49] = 255;
    m_answer = [](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("1113"))->click();
        return dialog.result();
    };
    m_view->OnFollowMe();
    const auto followMe = Frames(PbxCode::kProgrammingWrite);
    ASSERT_EQ(followMe.size(), 1u);
    EXPECT_NE(static_cast<std::uint8_t>(followMe[0].at(49)), 255);
    m_state.tables.extensionProgramming[kOther][49] = 4;
    m_dialogs.clear();
    m_view->OnFollowMe();
    EXPECT_EQ(m_dialogs, QStringList());
    EXPECT_EQ(static_cast<std::uint8_t>(Frames(PbxCode::kProgrammingWrite).at(0).at(49)), 255);

    // The lists: each command's type and options, the message lists of this station's own extension for all.
    struct ListCase {
        std::uint32_t command;
        int extension;
        int type;
        int option;
        int secondOption;
        int shown;
    };
    const ListCase lists[] = {{CDerivedView::kWakeUpEvents, kOther, 0, 0, 0, kOther},
                              {CDerivedView::kIncomingCalls, kOther, 1, 0, 0, kOther},
                              {CDerivedView::kOutgoingCalls, kOther, 1, 1, 0, kOther},
                              {CDerivedView::kMissedCalls, kOther, 1, 2, 0, kOther},
                              {CDerivedView::kAllCalls, kOther, 1, 3, 0, kOther},
                              {CDerivedView::kAlarms, kOther, 2, 0, 0, kOther},
                              {CDerivedView::kNotes, kOther, 4, 0, 0, kOther},
                              {CDerivedView::kMessagesReceived, kOther, 3, 0, 2, kOther},
                              {CDerivedView::kMessagesSent, kOther, 3, 1, 2, kOther},
                              {CDerivedView::kMessagesReceived, kOwnExtension, 3, 0, 2, 255},
                              {CDerivedView::kMessagesSent, kOwnExtension, 3, 1, 2, 255}};
    for (const ListCase& c : lists) {
        QList<int> opened;
        m_answer = [&](QDialog& dialog) {
            auto list = qobject_cast<CEventListDlg*>(&dialog);
            if (list)
                opened = {list->ListType(), list->Extension(), list->Option(), list->SecondOption()};
            return int(QDialog::Rejected);
        };
        m_view->SetSelectedExtension(c.extension);
        m_view->OnCommand(c.command);
        EXPECT_EQ(opened, (QList<int>{c.type, c.shown, c.option, c.secondOption})) << c.command;
    }
    m_view->SetSelectedExtension(kOther);
    m_answer = {};

    // The frame's voice-mail switch goes the same way: its station's record, bit 7 of byte 46 flipped.
    const auto records = m_state.tables.extensionProgramming;
    m_records.third.Bytes()[0] = 1;  // the voice box in use
    Frame().Target().Post(WM_COMMAND, CMainFrame::kVoiceMailSwitch, 0);
    std::vector<QByteArray> voiceMail;
    ASSERT_TRUE(WaitFor([&] { return !(voiceMail = Frames(PbxCode::kProgrammingWrite)).empty(); }, kWaitMs));
    const auto station = static_cast<std::size_t>(static_cast<std::uint8_t>(voiceMail[0].at(1)));
    ASSERT_LT(station, records.size());
    const std::uint8_t flipped = records[station][46] ^ 0x80;
    EXPECT_EQ(static_cast<std::uint8_t>(voiceMail[0].at(46)), flipped);
    EXPECT_TRUE(DispatchUntil([&] { return m_state.tables.extensionProgramming[station][46] == flipped; }));
}

TEST_P(DerivedViewTest, CheckInOpensOutsideCallsAndCheckOutHandsTheStayToTarivo)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    m_records.main.SetCheckInManagement(1);
    m_view->SetSelectedExtension(kTarget);
    // Check-in writes outside calls on although the console's record already says so.
    m_state.tables.extensionProgramming[kTarget][kOutsideCalls] = 1;
    m_view->OnCheckInOut();
    auto written = Frames(PbxCode::kProgrammingWrite);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].at(kOutsideCalls), 1);
    EXPECT_EQ(m_records.main.CheckedIn(kTarget), 1);
    EXPECT_TRUE(QFile::exists(m_context.settingsFolder + MainSettings::kFileName));

    // Check-out with Tarivo running: the seven messages in order, the dates as their 64 bits.
    const OleDate checkIn = OleDate::Now().AddDays(-2);
    ChecksIn(kTarget, checkIn);
    m_state.tables.extensionProgramming[kTarget][kOutsideCalls] = 0;  // lags behind the PBX
    m_answer = [](QDialog&) { return int(QDialog::Accepted); };
    RecordingTarget tarivo;
    {
        auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, QStringLiteral("Tarivo"), tarivo);
        ASSERT_NE(registration, nullptr);
        m_view->OnCheckInOut();
        ASSERT_TRUE(WaitFor([&] { return tarivo.posted.size() >= 7; }));
    }
    const std::uint32_t order[] = {kTarivoAccountPbx, kTarivoAccountExtension, kTarivoAccountStart, kTarivoAccountEnd,
                                   kTarivoShowAccount, kTarivoCloseAccount, kTarivoActivate};
    ASSERT_EQ(tarivo.posted.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(tarivo.posted[i].message, order[i]) << i;
    EXPECT_EQ(tarivo.posted[0].wParam, kPbx);
    EXPECT_EQ(tarivo.posted[1].wParam, static_cast<std::uint64_t>(kTarget));
    const auto date = [](const RecordingTarget::Posted& posted) {
        return std::bit_cast<double>(posted.wParam | (static_cast<std::uint64_t>(posted.lParam) << 32));
    };
    EXPECT_EQ(date(tarivo.posted[2]), checkIn.Value());
    EXPECT_NEAR(date(tarivo.posted[3]), OleDate::Now().Value(), 1.0 / 24 / 60);
    EXPECT_EQ(m_records.main.CheckedIn(kTarget), 0);
    written = Frames(PbxCode::kProgrammingWrite);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].at(kOutsideCalls), 0);

    // Without it, Tarivo is started in its folder with one argument: its path and the switches.
    const QString folder = TarivoProgramFolder();
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile script(TarivoProgramPath());
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" \"$PWD\" > args.tmp && mv args.tmp args.txt\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    ChecksIn(kTarget, checkIn);
    m_view->OnCheckInOut();
    QFile arguments(folder + QStringLiteral("args.txt"));
    ASSERT_TRUE(WaitFor([&] { return arguments.exists(); }, kWaitMs));
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(arguments.readAll()).split(u'\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("1"));
    EXPECT_TRUE(lines[1].startsWith(TarivoProgramPath() + QStringLiteral(" -SOURCE:BILL -INIT:") +
                                    FormatOleDate(checkIn, QLocale()) + QStringLiteral(" -END:")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" -PBX:0 -DER:5 -APPLY:1 -CLOSE:1"))) << lines[1].toStdString();
    EXPECT_EQ(QDir(lines[2]).canonicalPath(), QDir(folder).canonicalPath());
    EXPECT_EQ(m_records.main.CheckedIn(kTarget), 0);
    Frames(PbxCode::kProgrammingWrite);

    // Neither running nor there: a box says so and the stay stays open.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ChecksIn(kTarget, checkIn);
    m_view->OnCheckInOut();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(TarivoProgramPath()));
    EXPECT_EQ(m_records.main.CheckedIn(kTarget), 1);
    EXPECT_TRUE(Frames(PbxCode::kProgrammingWrite).empty());
    // Cancel in the confirmation does nothing.
    m_answer = {};
    m_view->OnCheckInOut();
    EXPECT_EQ(m_records.main.CheckedIn(kTarget), 1);
    EXPECT_EQ(m_messages.size(), 1);
}

TEST_P(DerivedViewTest, MessagesGoToEitherPbxAndAFailureIsShown)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    AddSecondPbx(4, 2, 1, 1);
    m_records.second.SetSecondPbx(kSecondComId);
    OpenView();
    const int n1 = m_state.FirstCounts().extensions;
    m_answer = [](QDialog& dialog) { return TypeText(dialog, QStringLiteral("Chiamare la reception")); };
    m_view->SetSelectedExtension(n1 + 2);
    m_view->OnSendMessage();
    EXPECT_EQ(m_progress.Errors(), QStringList());
    // Stored once, from this station to the second PBX's extension by its own number there.
    int all = 0;
    ASSERT_EQ(m_database->QueryMessages(MessageFilter(), nullptr, nullptr, nullptr, &all), kNoError);
    EXPECT_EQ(all, 1);
    MessageFilter sent;
    sent.pbxIdentifier = kPbx;
    sent.destinationPbxIdentifier = kSecondComId;
    sent.source = kOwnExtension;
    sent.destination = 2;
    int count = 0;
    ASSERT_EQ(m_database->QueryMessages(sent, nullptr, nullptr, nullptr, &count), kNoError);
    EXPECT_EQ(count, 1);
    // Every console hears of it.
    EXPECT_TRUE(WaitForDatagram([](const std::vector<std::uint8_t>& datagram) {
        return datagram.size() > 3 && datagram[3] == 0xA0;
    }));

    // A message that cannot be stored is shown as the commands show a failure, and nothing is relayed.
    m_database->Close();
    m_view->SetSelectedExtension(kOther);
    m_view->OnSendMessage();
    EXPECT_EQ(m_progress.Errors(), QStringList{QStringLiteral("error %1").arg(kDbNotConnected)});
}

TEST_P(DerivedViewTest, WindowAndBothMenusInTheFrameInBothLanguages)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    ASSERT_TRUE(Simulvex(QStringLiteral("ring %1 extension 4").arg(kOther)).startsWith(QStringLiteral("OK")));
    ASSERT_TRUE(DispatchUntil([this] { return m_state.tables.extensionStatus[kOther].State() == kStateIncomingCall; }));
    m_records.office.SetFlags(OfficePluginSettings::kMessages | OfficePluginSettings::kNotes);
    Installation().SetInstallationMode(InstallationSettings::kModeServer);
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        m_images->BuildImageLists(1);
        CMainFrame& frame = Frame();
        frame.ToggleWindow(ObjectWindow::Extensions);
        QMdiSubWindow* sub = frame.SubWindow(ObjectWindow::Extensions);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->windowTitle(), LoadResString(10000));
        ASSERT_TRUE(WaitFor([&] { return sub->isVisible(); }));
        EXPECT_TRUE(HasNoClippedText(*sub));
        CDerivedView* view = frame.ExtensionsView();
        EXPECT_TRUE(view->InfoTip(kOther).contains(QString::number(kOther + 1))) << view->InfoTip(kOther).toStdString();
        SaveScreenshot(*sub, QStringLiteral("derivedview_frame_%1").arg(language));
        for (const std::uint8_t hotel : {0, 1}) {
            m_records.main.SetCheckInManagement(hotel);
            ClickObject(*view, kOther, Qt::RightButton);
            QMenu* menu = view->ContextMenu();
            ASSERT_NE(menu, nullptr);
            ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); }));
            SaveScreenshot(*menu, QStringLiteral("derivedview_menu_%1_%2")
                                      .arg(hotel ? QStringLiteral("hotel") : QStringLiteral("office"))
                                      .arg(language));
            menu->close();
        }
        frame.ToggleWindow(ObjectWindow::Extensions);
    }
    SetLanguage(kLanguageItalian);
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(DerivedViewTest);

}  // namespace
