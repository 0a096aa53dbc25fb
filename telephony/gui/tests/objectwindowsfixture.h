#pragma once

// The object windows over the console windows fixture: the console's settings records and image lists
// drawn as the program draws them, a dispatcher whose redraws reach the window under test, the wait and
// error boxes recorded, the fixed waits noted instead of slept, and what reached the PBX read back from
// Simulvex as the own extension's requests.
#include "../../core/tests/consoletestpbx.h"
#include "consolestartupload.h"
#include "consolewindowsfixture.h"
#include "installationsettings.h"
#include "mainframe.h"
#include "objectimagelists.h"
#include "objectlistview.h"
#include "operatorsettingsrecords.h"
#include "pbxcode.h"
#include "picturechoosers.h"
#include "stringtable.h"
#include "widgettesting.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <memory>

namespace objectwindows {

using namespace consolewindows;
using namespace std::chrono_literals;

constexpr int kSecondComId = 5;

// The wait box and the error box as texts, in order.
class RecordingProgress : public CallProgressView {
public:
    void ShowWait(const QString& text) override { events << QStringLiteral("wait ") + text; }
    void CloseWait() override { events << QStringLiteral("closed"); }
    void ShowError(int code) override { events << QStringLiteral("error %1").arg(code); }
    QStringList Errors() const { return events.filter(QStringLiteral("error ")); }
    QStringList events;
};

// Redraws that the dispatcher asks for, handed to the list of the kind under test.
class ForwardingRedraw : public ConsoleRedrawTarget {
public:
    void RedrawObject(PbxObjectType kind, int index) override
    {
        redraws.push_back({kind, index});
        if (images)
            images->DrawIcon(static_cast<ObjectKind>(kind), index);
        if (view && static_cast<int>(view->Kind()) == static_cast<int>(kind))
            view->RedrawObjectItem(index, 0);
    }
    void RefreshOwnExtension() override {}
    void RefreshPopup() override {}

    OperatorImageLists* images = nullptr;
    CObjectListView* view = nullptr;
    std::vector<std::pair<PbxObjectType, int>> redraws;
};

class ObjectWindowsTest : public ConsoleWindowsTest {
protected:
    // Starts the engine on the model and hands the windows everything the program hands them.
    void Start(const SimulvexModel& model = {})
    {
        StartOn(model);
        if (IsSkipped() || HasFatalFailure())
            return;
        m_images = std::make_unique<OperatorImageLists>(m_state, m_records.main, m_context.labels, Choosers());
        for (int kind = 1; kind <= 4; ++kind)
            m_images->BuildImageLists(kind);
        m_redraw.images = m_images.get();
        m_dispatcher = std::make_unique<EngineEventDispatcher>(m_state, *m_database, m_records.main, m_redraw);
        m_dispatcher->SetEngineClient(m_client.get());
        m_context.settings = &m_records;
        m_context.images = m_images.get();
        m_context.callProgress = &m_progress;
        m_context.sleep = [this](std::chrono::milliseconds time) { m_pauses.push_back(time); };
        SetOwnState(kStateReady);
        ASSERT_EQ(Simulvex(QStringLiteral("frames clear")), QStringLiteral("OK"));
    }

    void TearDown() override
    {
        m_frame.reset();
        m_dispatcher.reset();
        ConsoleWindowsTest::TearDown();
    }

    IconPictureChoosers Choosers()
    {
        IconPictureChoosers choosers;
        choosers.extension = [this](int index, QString& text) {
            return GetExtensionPicture(m_state, *m_database, m_records.main, index, text);
        };
        choosers.line = [this](int index, QString& text) { return GetLinePicture(m_state, *m_database, index, text); };
        choosers.entryPhone = [this](int index, QString& text) {
            return GetEntryPhonePicture(m_state, *m_database, index, text);
        };
        choosers.relay = [this](int index) { return GetRelayPicture(m_state, index); };
        return choosers;
    }

    // A second PBX written into the catalog behind the first, and the console's state loaded again with
    // it shown. The schema starts every PBX's snapshot afresh, so the first PBX is written again too
    // (its extensions in states 2, 3, ...; its lines free; its relays loads, on).
    void AddSecondPbx(int extensions, int lines, int entryPhones, int relays)
    {
        ASSERT_EQ(m_database->InsertEngineConfiguration(kSecondComId, QStringLiteral("SECONDA"), 2), kNoError);
        ASSERT_EQ(m_database->ConnectAndCreateSchema(QString()), kNoError);
        ASSERT_EQ(m_database->PrepareOperatorConsoleTables(), kNoError);
        WritePbx(*m_database, 0, m_model.extensions, m_model.lines, m_model.entryPhones, m_model.relays);
        WritePbx(*m_database, 1, extensions, lines, entryPhones, relays);
        Service2PluginSettings second;
        second.SetSecondPbx(kSecondComId);
        second.SetSecondPbxShown(true);
        OperatorConsoleState state;
        MainSettings main;
        ASSERT_EQ(LoadConsoleState(*m_database, state, main, second, kPbx, kOwnExtension, OleDate::Now()), kNoError);
        ASSERT_TRUE(state.hasSecondPbx);
        m_state = state;
        for (int kind = 1; kind <= 4; ++kind)
            m_images->BuildImageLists(kind);
        SetOwnState(kStateReady);
    }
    // Sets an option bit of the second PBX plug-in's first byte.
    void SetSecondPbxOption(std::uint8_t bit)
    {
        m_records.second.Bytes()[0] = static_cast<char>(m_records.second.Bytes()[0] | bit);
    }

    // The own extension's state as the console knows it.
    void SetOwnState(std::uint8_t state, std::uint8_t linkType = 0, std::uint8_t linkIndex = 0)
    {
        auto& own = m_state.tables.extensionStatus[static_cast<std::size_t>(kOwnExtension)];
        own.bytes[ExtensionEntry::kStateOffset] = state;
        own.bytes[ExtensionEntry::kLinkTypeOffset] = linkType;
        own.bytes[ExtensionEntry::kLinkIndexOffset] = linkIndex;
    }

    // The own extension's requests that reached the PBX since the last call, as "offhook", "onhook",
    // "key64 on"/"key64 off" and the characters dialled one after the other as one text.
    QStringList Requests()
    {
        const QString reply = Simulvex(QStringLiteral("frames"));
        EXPECT_EQ(Simulvex(QStringLiteral("frames clear")), QStringLiteral("OK"));
        QStringList requests;
        const qsizetype colon = reply.indexOf(u':');
        if (colon < 0)
            return requests;
        bool dialling = false;
        for (const QString& entry : reply.mid(colon + 1).split(u'|', Qt::SkipEmptyParts)) {
            const QByteArray frame = QByteArray::fromHex(entry.trimmed().section(u' ', -1).toLatin1());
            if (frame.size() < 5 || static_cast<std::uint8_t>(frame.at(4)) != kOwnExtension)
                continue;
            const auto code = static_cast<std::uint8_t>(frame.at(2));
            const bool digits = code == PbxCode::kDialOnExtension;
            if (digits && dialling)
                requests.last() += QString::fromLatin1(frame.mid(5));
            else if (digits)
                requests << QString::fromLatin1(frame.mid(5));
            else if (code == PbxCode::kOffHook)
                requests << QStringLiteral("offhook");
            else if (code == PbxCode::kOnHook)
                requests << QStringLiteral("onhook");
            else if (code == PbxCode::kKeys && frame.size() >= 7)
                requests << (frame.at(6) ? QStringLiteral("key64 on") : QStringLiteral("key64 off"));
            dialling = digits;
        }
        return requests;
    }

    // Dispatches what the listener receives until the condition holds.
    bool DispatchUntil(const std::function<bool()>& condition)
    {
        return WaitFor([&] {
            DispatchReceived(0);
            return condition();
        }, kWaitMs);
    }

    // A click of the button on the object's item, or on a point of the list with no item.
    static void ClickObject(CObjectListView& view, int object, Qt::MouseButton button = Qt::LeftButton)
    {
        const int row = view.FindObjectItem(object);
        ASSERT_GE(row, 0) << object;
        QTest::mouseClick(view.viewport(), button, {}, view.visualItemRect(view.item(row)).center());
    }
    static void ClickBetween(CObjectListView& view, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint empty(view.viewport()->width() - 2, view.viewport()->height() - 2);
        ASSERT_EQ(view.ObjectAt(empty), CObjectListView::kNoObject);
        QTest::mouseClick(view.viewport(), button, {}, empty);
    }

    // The program's frame over the fixture's console, 1024 x 768, laying out the windows it opens.
    CMainFrame& Frame()
    {
        if (!m_frame) {
            CMainFrame::Services services;
            services.state = &m_state;
            services.settings = &m_records;
            services.installation = &m_installation;
            services.images = m_images.get();
            services.database = m_database.get();
            services.engine = [this] { return m_client.get(); };
            services.settingsFolder = m_folder.path() + u'/';
            services.showError = [this](std::uint8_t code) { m_progress.ShowError(code); };
            services.runDialog = [](QDialog&) { return 0; };
            m_frame = std::make_unique<CMainFrame>(std::move(services));
            m_frame->resize(1024, 768);
            m_frame->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
        }
        return *m_frame;
    }

    OperatorSettingsRecords m_records;
    std::unique_ptr<OperatorImageLists> m_images;
    ForwardingRedraw m_redraw;
    RecordingProgress m_progress;
    std::vector<std::chrono::milliseconds> m_pauses;
    QTemporaryDir m_folder;
    InstallationSettings m_installation{m_folder.path() + QStringLiteral("/Installation.ini")};
    std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace objectwindows
