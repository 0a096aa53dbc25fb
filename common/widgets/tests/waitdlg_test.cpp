#include "waitdlg.h"

#include "gif89a.h"
#include "tempsuite.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

void SaveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = QStringLiteral(SUITE_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    widget.grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

TEST(WaitDlg, ShowsTheSharedAnimationAndItsLineAndNothingTheUserDoesClosesIt)
{
    TempSuite suite;
    ASSERT_TRUE(QFile::copy(QStringLiteral(SUITE_ASSETS_DIR "/shared/") + CWaitDlg::kAnimationFile,
                            suite.SharedFolder() + CWaitDlg::kAnimationFile));
    CWaitDlg wait(QStringLiteral("Tentativo di connessione al DB..."));
    wait.ShowNow();
    ASSERT_TRUE(wait.isVisible());
    EXPECT_EQ(wait.objectName(), QStringLiteral("154"));
    EXPECT_EQ(wait.findChild<QLabel*>(QStringLiteral("1070"))->text(), QStringLiteral("Tentativo di connessione al DB..."));
    auto animation = wait.findChild<CGif89a*>(QStringLiteral("1069"));
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(animation->GetFileName(), suite.SharedFolder() + CWaitDlg::kAnimationFile);
    ASSERT_NE(animation->Movie(), nullptr);
    EXPECT_GT(animation->Movie()->frameCount(), 1);
    SaveScreenshot(wait, QStringLiteral("waitdlg"));

    // Neither button, Escape nor the close box ends the notice.
    for (const char* id : {"1071", "1072"})
        wait.findChild<QPushButton*>(QString::fromLatin1(id))->click();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&wait, &escape);
    EXPECT_FALSE(wait.close());
    EXPECT_TRUE(wait.isVisible());
    EXPECT_EQ(wait.result(), 0);
}

TEST(WaitDlg, AMissingPictureLeavesTheTextAlone)
{
    TempSuite suite;
    CWaitDlg wait(QStringLiteral("Attendere prego..."));
    wait.ShowNow();
    EXPECT_EQ(wait.findChild<CGif89a*>(QStringLiteral("1069"))->Movie(), nullptr);
    EXPECT_EQ(wait.Text(), QStringLiteral("Attendere prego..."));
}

}  // namespace
