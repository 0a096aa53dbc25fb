// The external lines window against Simulvex through Pultex: seizing a free line with the dial string,
// picking up a waiting line, the right-click menu, the second PBX's lines, the height for a width, the
// keys F1-F16 of the frame, the flashing of a ringing line item by item, and screenshots.
#include "clippedtextcheck.h"
#include "language.h"
#include "lineview.h"
#include "objectwindowsfixture.h"

#include <QAbstractItemModel>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalSpy>

namespace {

using namespace objectwindows;

class LineViewTest : public ObjectWindowsTest {
protected:
    // The window's timer draws with the database: it goes before the engine and the database do.
    void TearDown() override
    {
        m_view.reset();
        ObjectWindowsTest::TearDown();
    }
    CLineView* OpenView()
    {
        m_view = std::make_unique<CLineView>(m_context, [this](int index) {
            return (m_records.main.ObjectFlags(MainSettings::kLines, index) & 1) != 0;
        });
        m_view->resize(500, 200);
        m_view->show();
        m_redraw.view = m_view.get();
        return m_view.get();
    }
    void SetLineState(int line, std::uint8_t state)
    {
        m_state.tables.lineStatus[static_cast<std::size_t>(line)].bytes[LineEntry::kStateOffset] = state;
    }
    bool MenuOpen() const { return m_view->ContextMenu()->isVisible(); }
    QAction* SeizeAction() const { return m_view->ContextMenu()->actions().constFirst(); }

    std::unique_ptr<CLineView> m_view;
};

TEST_P(LineViewTest, AClickSeizesAFreeLineWithTheDialStringOrPicksUpAWaitingOne)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    // Free line, no dial string: nothing.
    ClickObject(*m_view, 1);
    EXPECT_EQ(Requests(), QStringList());
    m_state.ownExtensionPeerText = QStringLiteral("0612");
    ClickObject(*m_view, 1);
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), FormatLineAccessCode(m_state, 2) + QStringLiteral("0612"),
                                       QStringLiteral("key64 on")}));
    Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension));
    Requests();

    // A line on hold, parked or ringing is picked up with its two-digit number on a PBX of 10 lines or
    // more, with one digit below.
    struct Case {
        std::uint8_t lines;
        std::uint8_t state;
        const char* code;
    };
    const Case cases[] = {{12, kStateCallWaiting, "##03"}, {12, kStateCallHeld, "##03"}, {12, kStateArriving, "##03"},
                          {8, kStateArriving, "##3"}};
    for (const Case& c : cases) {
        m_state.firstInitialization.bytes[PbxInitialization::kLineCountOffset] = c.lines;
        SetLineState(2, c.state);
        ClickObject(*m_view, 2);
        EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), QStringLiteral("key64 on"), QString::fromLatin1(c.code)}))
            << int(c.lines) << " " << int(c.state);
        Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension));
        Requests();
    }
    // Not ready, a busy line, or between the icons: nothing.
    SetOwnState(kStateConnected);
    ClickObject(*m_view, 1);
    ClickObject(*m_view, 2);
    SetOwnState(kStateReady);
    SetLineState(3, kStateConnected);
    ClickObject(*m_view, 3);
    ClickBetween(*m_view);
    EXPECT_EQ(Requests(), QStringList());
    EXPECT_TRUE(m_progress.Errors().isEmpty());
}

TEST_P(LineViewTest, TheMenuSeizesFreeLinesOfThisPbxOnly)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    AddSecondPbx(2, 2, 0, 0);
    if (HasFatalFailure())
        return;
    OpenView();
    ASSERT_EQ(m_view->count(), m_model.lines + 2);
    ClickBetween(*m_view, Qt::RightButton);
    EXPECT_FALSE(MenuOpen());
    ClickObject(*m_view, m_model.lines + 1, Qt::RightButton);
    EXPECT_FALSE(MenuOpen());

    struct Case {
        std::uint8_t own;
        std::uint8_t line;
        bool enabled;
    };
    for (const Case c : {Case{kStateReady, kStateReady, true}, Case{kStateConnected, kStateReady, false},
                         Case{kStateNotReady, kStateReady, false}, Case{kStateReady, kStateConnected, false}}) {
        SetOwnState(c.own);
        SetLineState(4, c.line);
        ClickObject(*m_view, 4, Qt::RightButton);
        ASSERT_TRUE(MenuOpen());
        EXPECT_EQ(SeizeAction()->text(), QStringLiteral("Impegna"));
        EXPECT_EQ(SeizeAction()->isEnabled(), c.enabled) << int(c.own) << " " << int(c.line);
        m_view->ContextMenu()->close();
    }
    SetOwnState(kStateReady);
    SetLineState(4, kStateReady);
    ClickObject(*m_view, 4, Qt::RightButton);
    m_state.ownExtensionPeerText = QStringLiteral("3");
    SeizeAction()->trigger();
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), QStringLiteral("F") + FormatLineAccessCode(m_state, 5) + u'3',
                                       QStringLiteral("key64 on")}));
}

TEST_P(LineViewTest, TheSecondPbxsRingingLineIsAnsweredThroughAFreeLineWithTheOption)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    AddSecondPbx(2, 3, 0, 0);
    if (HasFatalFailure())
        return;
    OpenView();
    const int ringing = m_model.lines + 2;  // its third line
    SetLineState(ringing, kStateArriving);
    ClickObject(*m_view, ringing);
    EXPECT_EQ(Requests(), QStringList());
    SetSecondPbxOption(CLineView::kSecondPbxLinesOption);
    ClickObject(*m_view, ringing);
    const QStringList requests = Requests();
    ASSERT_GE(requests.size(), 2);
    EXPECT_EQ(requests.at(1), QStringLiteral("F") + FormatLineAccessCode(m_state, 1) + QStringLiteral("##3"));
}

TEST_P(LineViewTest, RequiredHeightIsWholeRowsOfCellsAndAScrollBar)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_records.main.SetObjectFlags(MainSettings::kLines, 0, 0);
    m_records.main.SetObjectFlags(MainSettings::kLines, 5, 0);
    OpenView();
    ASSERT_EQ(m_view->count(), 10);
    const QSize cell = m_view->CellSize();
    const int bar = m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(m_view->GetRequiredHeight(4 * cell.width() + cell.width() / 2), 3 * cell.height() + bar);
    EXPECT_EQ(m_view->GetRequiredHeight(5 * cell.width()), 2 * cell.height() + bar);
    EXPECT_EQ(m_view->GetRequiredHeight(cell.width() - 1), 10 * cell.height() + bar);
}

TEST_P(LineViewTest, ARingingLineFlashesByRedrawingItsOneItem)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    ASSERT_TRUE(Simulvex(QStringLiteral("set state line 1 18")).startsWith(QStringLiteral("OK")));
    ASSERT_TRUE(DispatchUntil([this] { return m_state.tables.lineStatus[1].State() == kStateArriving; }));
    SaveScreenshot(*m_view, QStringLiteral("lineview_ringing"));

    QSignalSpy changed(m_view->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(m_view->model(), &QAbstractItemModel::modelReset);
    QSignalSpy layout(m_view->model(), &QAbstractItemModel::layoutChanged);
    const std::uint8_t phase = m_state.tables.lineWork[1][2];
    for (int tick = 1; tick <= 3; ++tick) {
        m_view->OnTimer();
        ASSERT_EQ(changed.count(), tick);
        EXPECT_EQ(changed.at(tick - 1).at(0).toModelIndex().row(), m_view->FindObjectItem(1));
        EXPECT_EQ(changed.at(tick - 1).at(1).toModelIndex().row(), m_view->FindObjectItem(1));
        EXPECT_EQ(m_state.tables.lineWork[1][2], tick % 2 ? !phase : phase);
    }
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(layout.count(), 0);
}

TEST_P(LineViewTest, KeyF3SeizesTheThirdLineInTheFrame)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    CMainFrame& frame = Frame();
    frame.ToggleWindow(ObjectWindow::Lines);
    ASSERT_NE(frame.LinesView(), nullptr);
    m_state.ownExtensionPeerText = QStringLiteral("0612");
    QKeyEvent f3(QEvent::KeyPress, Qt::Key_F3, Qt::NoModifier);
    QApplication::sendEvent(frame.MdiArea()->viewport(), &f3);
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), FormatLineAccessCode(m_state, 3) + QStringLiteral("0612"),
                                       QStringLiteral("key64 on")}));
}

TEST_P(LineViewTest, WindowAtItsPlaceInTheFrameInBothLanguages)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    ASSERT_TRUE(Simulvex(QStringLiteral("set state line 0 18")).startsWith(QStringLiteral("OK")));
    ASSERT_TRUE(DispatchUntil([this] { return m_state.tables.lineStatus[0].State() == kStateArriving; }));
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        m_images->BuildImageLists(1);
        m_images->BuildImageLists(2);
        CMainFrame& frame = Frame();
        frame.ToggleWindow(ObjectWindow::Extensions);
        frame.ToggleWindow(ObjectWindow::Lines);
        QMdiSubWindow* sub = frame.SubWindow(ObjectWindow::Lines);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->windowTitle(), LoadResString(10001));
        ASSERT_TRUE(WaitFor([&] { return sub->isVisible(); }));
        // The frame gives the window the height its lines need.
        CLineView* view = frame.LinesView();
        EXPECT_GE(view->viewport()->height() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                  view->GetRequiredHeight(view->viewport()->width()) - 2 * view->frameWidth());
        EXPECT_TRUE(HasNoClippedText(*sub));
        EXPECT_TRUE(view->InfoTip(0).startsWith(QStringLiteral("EXT. 1"))) << view->InfoTip(0).toStdString();
        SaveScreenshot(*sub, QStringLiteral("lineview_frame_%1").arg(language));
        frame.ToggleWindow(ObjectWindow::Lines);
        frame.ToggleWindow(ObjectWindow::Extensions);
    }
    SetLanguage(kLanguageItalian);
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(LineViewTest);

}  // namespace
