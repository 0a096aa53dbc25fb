#include "labeldlg.h"

#include "dialogtesting.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QLineEdit* LabelEdit(QDialog& dialog) { return dialog.findChild<QLineEdit*>(QStringLiteral("1052")); }
void ClickOk(QDialog& dialog) { QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1053")), Qt::LeftButton); }

TEST(LabelDlg, ShowsTheObjectAndReturnsTheLabel)
{
    CLabelDlg dialog(QStringLiteral("INT. 21"), QStringLiteral("Reception"));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Etichetta INT. 21"));
    EXPECT_EQ(LabelEdit(dialog)->text(), QStringLiteral("Reception"));
    EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("CLabelDlg")));

    LabelEdit(dialog)->setText(QStringLiteral("Camera 101"));  // blanks are fine in a label
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Label(), QStringLiteral("Camera 101"));
}

TEST(LabelDlg, LabelWithAnApostropheIsRefused)
{
    CLabelDlg dialog(QStringLiteral("Esterna 1"), QString());
    dialog.show();
    QTest::keyClicks(LabelEdit(dialog), QStringLiteral("Sala d'attesa"));
    MessageBoxRecorder boxes;
    ClickOk(dialog);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Pultex - Messaggio di errore"));
    EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Etichetta non valida"));
    EXPECT_EQ(boxes.Seen()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Label().isEmpty());
}

TEST(LabelDlg, LabelIsAtMostFiftyCharactersAndCancelKeepsTheOldOne)
{
    CLabelDlg dialog(QStringLiteral("Citofono 1"), QStringLiteral("Portone"));
    dialog.show();
    LabelEdit(dialog)->clear();
    QTest::keyClicks(LabelEdit(dialog), QString(60, u'x'));
    EXPECT_EQ(LabelEdit(dialog)->text().size(), CLabelDlg::kMaxLength);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1054")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Label(), QStringLiteral("Portone"));
}

}  // namespace
