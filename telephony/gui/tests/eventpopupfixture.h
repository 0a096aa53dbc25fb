#pragma once

// The call and event popup over the object windows' fixture: the dispatcher's popup refreshes reach the
// popup, what it posts to the frame is recorded (or reaches the program's frame), its sound, note box
// and desktop are the test's, and the state tables are set as the engine's events would leave them.
#include "callfilterrule.h"
#include "eventpopupdlg.h"
#include "objectwindowsfixture.h"
#include "popuprowbutton.h"
#include "textdlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <tuple>

namespace popupwindow {

using namespace objectwindows;

// A frame's messages as (message, wParam, lParam).
class RecordingTarget : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        posts.emplace_back(message, wParam, lParam);
    }
    std::vector<std::tuple<std::uint32_t, std::uint64_t, std::int64_t>> posts;
};

// The dispatcher's popup refreshes, posted as the frame posts them.
class PopupRedraw : public ConsoleRedrawTarget {
public:
    void RedrawObject(PbxObjectType, int) override {}
    void RefreshOwnExtension() override {}
    void RefreshPopup() override
    {
        if (popup)
            popup->Target().Post(CEventPopupDlg::kRefreshMessage, 0, 0);
    }
    CEventPopupDlg* popup = nullptr;
};

constexpr std::uint8_t kEveryOfficeOption = 0x1F;
const QRect kWorkArea(0, 0, 1024, 740);

class EventPopupTest : public ObjectWindowsTest {
protected:
    void StartPopup(const SimulvexModel& model = {})
    {
        Start(model);
        if (IsSkipped() || HasFatalFailure())
            return;
        m_dispatcher = std::make_unique<EngineEventDispatcher>(m_state, *m_database, m_records.main, m_popupRedraw);
        m_dispatcher->SetEngineClient(m_client.get());
        m_records.office.SetFlags(kEveryOfficeOption);
        m_context.settingsFolder = m_folder.path() + u'/';
        MakePopup(m_context, m_frameTarget);
    }

    void TearDown() override
    {
        m_popupRedraw.popup = nullptr;
        m_popup.reset();
        ObjectWindowsTest::TearDown();
    }

    void MakePopup(const ConsoleWindowContext& context, MessageTarget& frame)
    {
        m_popupRedraw.popup = nullptr;
        m_popup.reset();
        m_popup = std::make_unique<CEventPopupDlg>(context, frame, kOwnExtension);
        CEventPopupDlg::Hooks hooks;
        hooks.extensionsView = [this]() -> CDerivedView* { return m_frame ? m_frame->ExtensionsView() : nullptr; };
        hooks.runDialog = [this](QDialog& dialog) { return RunNoteDialog(dialog); };
        hooks.playLoop = [this](const QString& path) {
            m_sounds << QStringLiteral("play ") + path.section(u'/', -1);
            return true;
        };
        hooks.stopSound = [this] { m_sounds << QStringLiteral("stop"); };
        hooks.workArea = [] { return kWorkArea; };
        m_popup->SetHooks(std::move(hooks));
        m_popupRedraw.popup = m_popup.get();
    }

    // The refresh as the message brings it, at once.
    void Refresh()
    {
        WindowMessageEvent message(CEventPopupDlg::kRefreshMessage, 0, 0);
        QCoreApplication::sendEvent(m_popup.get(), &message);
    }
    // The popup's posted messages (its buttons' clicks) handled.
    void Pump() { QCoreApplication::sendPostedEvents(m_popup.get()); }

    QStringList RowTexts() const
    {
        QStringList texts;
        for (const PopupRow& row : m_popup->Rows().Rows())
            texts << row.text;
        return texts;
    }
    template <typename Control>
    Control* Find(int id) const
    {
        return m_popup->findChild<Control*>(QString::number(id), Qt::FindDirectChildrenOnly);
    }
    CPopupRowButton* Button(int row, int place) const
    {
        static constexpr int kIds[] = {CEventPopupDlg::kFirstButtonId, CEventPopupDlg::kSecondButtonId,
                                       CEventPopupDlg::kThirdButtonId};
        return Find<CPopupRowButton>(kIds[place] + row);
    }
    void Click(int row, int place)
    {
        CPopupRowButton* button = Button(row, place);
        ASSERT_NE(button, nullptr) << row << " " << place;
        button->click();
    }

    void SetExtension(int index, std::uint8_t state, std::uint8_t linkType = 0, std::uint8_t linkIndex = 0)
    {
        auto& entry = m_state.tables.extensionStatus[static_cast<std::size_t>(index)];
        entry.bytes[ExtensionEntry::kStateOffset] = state;
        entry.bytes[ExtensionEntry::kLinkTypeOffset] = linkType;
        entry.bytes[ExtensionEntry::kLinkIndexOffset] = linkIndex;
    }
    void SetLine(int index, std::uint8_t state, std::uint8_t linkType = 0, std::uint8_t linkIndex = 0,
                 const QByteArray& callerId = {}, const QByteArray& dialled = {})
    {
        auto& entry = m_state.tables.lineStatus[static_cast<std::size_t>(index)];
        entry.bytes[LineEntry::kStateOffset] = state;
        entry.bytes[LineEntry::kLinkTypeOffset] = linkType;
        entry.bytes[LineEntry::kLinkIndexOffset] = linkIndex;
        entry.SetCallerNumber(callerId);
        entry.SetCallerName(dialled);
    }
    void SetEntryPhone(int index, std::uint8_t state, std::uint8_t linkType = 0, std::uint8_t linkIndex = 0)
    {
        auto& entry = m_state.tables.entryPhoneStatus[static_cast<std::size_t>(index)];
        entry.bytes[EntryPhoneEntry::kStateOffset] = state;
        entry.bytes[EntryPhoneEntry::kLinkTypeOffset] = linkType;
        entry.bytes[EntryPhoneEntry::kLinkIndexOffset] = linkIndex;
    }
    void SetAlarm(int extension, std::uint8_t state)
    {
        m_state.tables.extensionAlarm[static_cast<std::size_t>(extension)].SetPendingFlag(state);
    }
    void SetRules(std::initializer_list<CallFilterRule> rules)
    {
        int index = 0;
        for (const CallFilterRule& rule : rules)
            m_records.office.SetRule(index++, rule.Write());
        m_records.office.SetRuleCount(index);
    }
    static CallFilterRule Rule(const QString& pattern, CallFilterRule::Action action, const QString& target)
    {
        CallFilterRule rule;
        rule.pattern = pattern;
        rule.action = action;
        rule.argument = target;
        return rule;
    }

    // The note box: typed into and confirmed when the test has a text for it, else cancelled.
    int RunNoteDialog(QDialog& dialog)
    {
        ++m_dialogs;
        if (m_noteText.isEmpty())
            return QDialog::Rejected;
        dialog.findChild<QPlainTextEdit*>(QString::number(CTextDlg::kText))->setPlainText(m_noteText);
        dialog.findChild<QPushButton*>(QString::number(CTextDlg::kOk))->click();
        return dialog.result();
    }

    std::unique_ptr<CEventPopupDlg> m_popup;
    PopupRedraw m_popupRedraw;
    RecordingTarget m_frameTarget;
    QStringList m_sounds;
    QString m_noteText;
    int m_dialogs = 0;
};

}  // namespace popupwindow
