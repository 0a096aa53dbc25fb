#include "callballoondlg.h"
#include "callwindows.h"
#include "extbutton.h"
#include "gif89a.h"
#include "incomingcalldlg.h"

#include "findwindow.h"
#include "language.h"
#include "stringtable.h"
#include "tempsuite.h"
#include "waitfor.h"
#include "widgettesting.h"
#include "workarea.h"

#include "qstringprinter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

const QString kCaller = QStringLiteral("0612345678");
const QString kCallerLine = QStringLiteral("(Esterna 1)  Rossi Mario");

QString Text(unsigned id) { return LoadResString(id); }

TEST(CallBalloon, LongTextsWidenItToTheLeftAndTheButtonsShareTheWidth)
{
    CallSuite suite;
    QWidget owner;
    CCallBalloonDlg balloon(&owner);
    EXPECT_EQ(balloon.windowTitle(), QStringLiteral(" Pultex"));
    EXPECT_TRUE(balloon.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(balloon.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(balloon.HasBackground());
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();

    struct Case {
        QString line1, line2, line3;
    };
    QRect previous;
    for (const Case& c : {Case{Text(10069), QStringLiteral("12"), QStringLiteral("A")},
                          Case{Text(10069), kCaller, kCallerLine},
                          Case{Text(10069), kCaller, kCallerLine + QStringLiteral(" - Ufficio commerciale, sede di Milano")}}) {
        balloon.SetTexts(c.line1, c.line2, c.line3);
        const QRect geometry = balloon.geometry();
        EXPECT_EQ(geometry.right(), work.right() - CCallBalloonDlg::kDialogFrame);
        EXPECT_EQ(geometry.bottom(), work.bottom() - CCallBalloonDlg::kDialogFrame);
        if (previous.isValid()) {
            EXPECT_LE(geometry.left(), previous.left());
        }
        previous = geometry;

        const QFontMetrics metrics(balloon.ControlFont(0));
        const int content = geometry.width() - 20;
        EXPECT_GE(content, metrics.horizontalAdvance(c.line3));
        const int share = (content - 20) / 3;
        const int top = balloon.Button(CCallBalloonDlg::kAcceptButton)->y();
        int x = 10;
        for (int id : {CCallBalloonDlg::kAcceptButton, CCallBalloonDlg::kRejectButton, CCallBalloonDlg::kShowButton}) {
            CExtButton* button = balloon.Button(id);
            EXPECT_EQ(button->geometry(), QRect(x, top, share, button->height())) << id;
            x += share + 10;
        }
    }
    EXPECT_LT(previous.width(), work.width());
    balloon.show();
    EXPECT_TRUE(SaveScreenshot(balloon, QStringLiteral("callballoon")));
}

TEST(CallBalloon, ButtonFacesTakeTheLaidOutWidthAndTheBalloonStaysInTheWorkArea)
{
    CallSuite suite;
    const QString longCaller = QStringLiteral("(Esterna 1)  Ufficio commerciale Rossi Mario, sede di Milano");
    ASSERT_EQ(longCaller.size(), 60);
    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        QWidget owner;
        CCallBalloonDlg balloon(&owner);
        for (const QString& caller : {kCallerLine, longCaller}) {
            balloon.SetTexts(Text(10069), caller, kCaller);
            balloon.show();
            for (int id : {CCallBalloonDlg::kAcceptButton, CCallBalloonDlg::kRejectButton, CCallBalloonDlg::kShowButton}) {
                CExtButton* button = balloon.Button(id);
                EXPECT_EQ(button->FaceSize(), button->size()) << id;
                EXPECT_LE(QFontMetrics(button->SmallFont()).horizontalAdvance(button->text()), button->width()) << id;
                EXPECT_TRUE(balloon.rect().contains(button->geometry())) << id;
            }
            const QRect work = DesktopWorkArea(QGuiApplication::primaryScreen());
            EXPECT_TRUE(work.contains(balloon.frameGeometry())) << caller.toStdString();
        }
        EXPECT_TRUE(SaveScreenshot(balloon, QStringLiteral("callballoon_long_caller_%1")
                                                .arg(language == kLanguageEnglish ? QStringLiteral("en") : QStringLiteral("it"))));
    }
    SetLanguage(kLanguageItalian);
}

TEST(CallBalloon, CannotBeClosedByTheUser)
{
    CallSuite suite;
    QWidget owner;
    CCallBalloonDlg balloon(&owner);
    balloon.show();
    EXPECT_FALSE(balloon.close());
    EXPECT_TRUE(balloon.isVisible());
}

TEST(CallBalloon, RingingShowsItWithoutTakingTheFocus)
{
    CallSuite suite;
    QWidget editor;
    editor.setWindowTitle(QStringLiteral("the user's work"));
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(WaitFor([&editor] { return QApplication::activeWindow() == &editor; }));

    Popup popup;
    popup.dialog->AllowPopup();
    popup.dialog->SetCallState(3, kCaller, kCallerLine);
    CCallBalloonDlg* balloon = popup.dialog->Balloon();
    EXPECT_TRUE(balloon->isVisible());
    EXPECT_TRUE(balloon->m_shown);
    EXPECT_FALSE(balloon->m_firstShow);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &editor);
    EXPECT_EQ(balloon->Line(0), Text(10069));
    EXPECT_EQ(balloon->Line(1), kCallerLine);
    EXPECT_EQ(balloon->Line(2), kCaller);
    EXPECT_EQ(popup.incomingText, Text(10069) + u'\n' + kCallerLine + u'\n' + kCaller);
    EXPECT_TRUE(SaveScreenshot(*balloon, QStringLiteral("callballoon_ringing")));
}

TEST(CallBalloon, ButtonsReachThePopupAndThroughItTheView)
{
    CallSuite suite;
    Popup popup;
    popup.dialog->AllowPopup();
    popup.dialog->SetCallState(3, kCaller, kCallerLine);
    CCallBalloonDlg* balloon = popup.dialog->Balloon();
    balloon->Button(CCallBalloonDlg::kAcceptButton)->click();
    balloon->Button(CCallBalloonDlg::kRejectButton)->click();
    popup.Deliver();
    popup.dialog->AcceptButton()->click();
    popup.dialog->RejectButton()->click();
    const std::vector<Posted> expected = {{WM_USER + 101, 1059, 0x2222}, {WM_USER + 101, 1060, 0x2222},
                                          {WM_USER + 101, 1059, 0x2222}, {WM_USER + 101, 1060, 0x2222}};
    EXPECT_EQ(popup.view.posted, expected);
}

TEST(CallBalloon, ShowBringsTheOperatorConsoleForwardOrElseTheWholePopup)
{
    CallSuite suite;
    Popup popup;
    popup.dialog->AllowPopup();
    popup.dialog->SetCallState(3, kCaller, kCallerLine);
    CCallBalloonDlg* balloon = popup.dialog->Balloon();
    {
        RecordingTarget operatorConsole;
        auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowTitle, kFonivraTitle, operatorConsole);
        ASSERT_TRUE(registration);
        balloon->Button(CCallBalloonDlg::kShowButton)->click();
        ASSERT_TRUE(WaitFor([&operatorConsole] { return !operatorConsole.posted.empty(); }));
        EXPECT_EQ(operatorConsole.posted, (std::vector<Posted>{{WM_USER + 101, 0, 515}}));
        popup.Deliver();
        EXPECT_TRUE(balloon->isVisible());
        EXPECT_FALSE(popup.dialog->IsShown());
    }
    balloon->Button(CCallBalloonDlg::kShowButton)->click();
    popup.Deliver();
    EXPECT_TRUE(popup.dialog->IsShown());
    EXPECT_TRUE(popup.dialog->isVisible());
    EXPECT_FALSE(balloon->isVisible());
    EXPECT_FALSE(balloon->m_shown);
}

TEST(IncomingCallPopup, TheRingSoundPlaysOncePerPopupUnlessMuted)
{
    CallSuite suite;
    for (bool muted : {false, true}) {
        Popup popup;
        popup.muted = muted;
        popup.dialog->AllowPopup();
        popup.dialog->SetCallState(3, kCaller, kCallerLine);
        popup.dialog->SetCallState(3, kCaller, kCallerLine);
        EXPECT_EQ(popup.rings.size(), muted ? 0 : 1);
        popup.dialog->PlayRingSound();  // the view's repetition
        EXPECT_EQ(popup.rings.size(), muted ? 0 : 2);
        if (!muted) {
            EXPECT_EQ(popup.rings[0], suite.SharedFolder() + QStringLiteral("TapRngSnd.psx"));
        }
    }
}

TEST(IncomingCallPopup, StatesAndWhatTheyShow)
{
    CallSuite suite;
    Popup popup;
    CIncomingCallDlg& dialog = *popup.dialog;
    EXPECT_EQ(dialog.windowTitle(), Text(10067));
    EXPECT_FALSE(dialog.AcceptButton()->isEnabled());
    EXPECT_FALSE(dialog.RejectButton()->isEnabled());
    EXPECT_EQ(dialog.RejectButton()->text(), Text(10074));
    EXPECT_EQ(dialog.AcceptButton()->GetTextMode(), CExtButton::kLargeTextLeft);

    struct Case {
        std::uint8_t state;
        QString line2, line1;  // as the record brings them
        unsigned headline;
        QString shown1, shown2;  // in the statics
        bool acceptEnabled;
        unsigned rejectCaption;
        const char* picture;
    };
    const QString held = QStringLiteral("0299887766");
    const Case cases[] = {
        {3, kCaller, kCallerLine, 10069, kCallerLine, kCaller, true, 10073, "TapIncImg.psx"},
        {4, QStringLiteral("x"), QStringLiteral("y"), 10097, kCallerLine, kCaller, false, 10075, "TapEndImg.psx"},
        {17, {}, {}, 10097, kCallerLine, kCaller, false, 10075, "TapEndImg.psx"},
        {7, {}, {}, 10068, kCallerLine, kCaller, false, 10075, "TapConImg.psx"},
        {5, held, QStringLiteral("Bianchi"), 10098, QStringLiteral("Bianchi"), held, true, 10073, "TapIncImg.psx"},
        {21, {}, {}, 10096, {}, {}, true, 10073, "TapIncImg.psx"},
        {9, {}, {}, 10070, QStringLiteral("Bianchi"), held, false, 10074, "TapEndImg.psx"},
    };
    for (const Case& c : cases) {
        dialog.SetCallState(c.state, c.line2, c.line1);
        const QString headline = Text(c.headline);
        EXPECT_EQ(dialog.StaticText(CIncomingCallDlg::kHeadline), headline) << int(c.state);
        EXPECT_EQ(dialog.StaticText(CIncomingCallDlg::kLine1), c.shown1) << int(c.state);
        EXPECT_EQ(dialog.StaticText(CIncomingCallDlg::kLine2), c.shown2) << int(c.state);
        EXPECT_EQ(dialog.AcceptButton()->isEnabled(), c.acceptEnabled) << int(c.state);
        EXPECT_TRUE(dialog.RejectButton()->isEnabled()) << int(c.state);
        EXPECT_EQ(dialog.RejectButton()->text(), Text(c.rejectCaption)) << int(c.state);
        EXPECT_EQ(dialog.Picture()->GetFileName(), suite.SharedFolder() + QString::fromLatin1(c.picture)) << int(c.state);
        EXPECT_NE(dialog.Picture()->Movie(), nullptr) << int(c.state);
        EXPECT_EQ(dialog.windowTitle(), Text(10067) + QStringLiteral(" - ") + headline) << int(c.state);
        if (c.state == 21) {
            EXPECT_EQ(dialog.Line1(), QStringLiteral("Bianchi"));  // blanked, not forgotten
        }
        if (c.state == 7) {
            EXPECT_FALSE(dialog.Balloon()->isVisible());
        }
        dialog.grab();
        EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("incomingcall_state_%1").arg(c.state)));
    }

    // A state outside the table changes nothing.
    const QString title = dialog.windowTitle();
    dialog.SetCallState(2, QStringLiteral("other"), QStringLiteral("lines"));
    EXPECT_EQ(dialog.windowTitle(), title);
    EXPECT_EQ(dialog.StaticText(CIncomingCallDlg::kLine1), QStringLiteral("Bianchi"));
    EXPECT_EQ(dialog.RejectButton()->text(), Text(10074));
}

TEST(IncomingCallPopup, ShowingWaitsForTheNextAllowAfterHideAll)
{
    CallSuite suite;
    Popup popup;
    CIncomingCallDlg& dialog = *popup.dialog;
    dialog.OnShowPopup();
    EXPECT_FALSE(dialog.IsShown());  // not allowed yet

    dialog.AllowPopup();
    dialog.SetCallState(3, kCaller, kCallerLine);
    dialog.OnShowPopup();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Balloon()->isVisible());

    dialog.HideAll();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsPopupAllowed());
    dialog.SetCallState(3, kCaller, kCallerLine);
    EXPECT_TRUE(dialog.Balloon()->isVisible());
    QtMessageTarget(&dialog).Post(CIncomingCallDlg::kShowCallPopupMessage, 0, 0);
    popup.Deliver();
    EXPECT_FALSE(dialog.isVisible());
    dialog.HideAll();
    EXPECT_FALSE(dialog.Balloon()->isVisible());

    dialog.AllowPopup();
    dialog.OnShowPopup();
    EXPECT_TRUE(dialog.isVisible());
}

TEST(IncomingCallPopup, WithoutItsPictureItKeepsItsSizeAndPaintsNoTexts)
{
    CallSuite suite(QStringLiteral("TapBkImg.psx"));
    Popup popup;
    CIncomingCallDlg& dialog = *popup.dialog;
    EXPECT_FALSE(dialog.HasBackground());
    EXPECT_EQ(dialog.size(), QSize(CIncomingCallDlg::kTemplateWidth, CIncomingCallDlg::kTemplateHeight));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    dialog.SetCallState(3, kCaller, kCallerLine);
    const QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Where the texts would stand there is only the dialog's white.
    for (int y = 10; y < 115; ++y)
        for (int x = 15; x < 290; ++x)
            ASSERT_EQ(image.pixel(x, y) & RGB_MASK, 0xFFFFFFu) << x << "," << y;
    EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("incomingcall_without_picture")));
}

TEST(IncomingCallPopup, ALongCallerLineEndsInDotsBeforeThePicture)
{
    CallSuite suite;
    Popup popup;
    CIncomingCallDlg& dialog = *popup.dialog;
    const QString longLine = QStringLiteral("(Esterna 1)  Ufficio commerciale Rossi Mario, sede di Milano");
    QImage pictures[2];
    int index = 0;
    for (const QString& line : {QStringLiteral("A"), longLine}) {
        dialog.SetCallState(3, line, line);
        pictures[index++] = dialog.grab().toImage();
    }
    // Between the caller lines' place and the picture nothing of the text is drawn.
    const QRect line1 = dialog.findChild<QWidget*>(QStringLiteral("1057"))->geometry();
    const QRect line2 = dialog.findChild<QWidget*>(QStringLiteral("1058"))->geometry();
    const QRect beyond(line1.right() + 1, line1.top(), 12, line2.bottom() - line1.top() + 1);
    EXPECT_EQ(pictures[0].copy(beyond), pictures[1].copy(beyond));
    EXPECT_NE(pictures[0].copy(line1), pictures[1].copy(line1));
    EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("incomingcall_long_caller")));
}

TEST(IncomingCallPopup, WithItsPictureItTakesThePicturesSizeAtTheTopLeft)
{
    CallSuite suite;
    Popup popup;
    const QImage picture(suite.SharedFolder() + QStringLiteral("TapBkImg.psx"));
    EXPECT_EQ(popup.dialog->size(), picture.size());
    EXPECT_EQ(popup.dialog->pos(), QPoint(0, 0));
    EXPECT_TRUE(popup.dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
