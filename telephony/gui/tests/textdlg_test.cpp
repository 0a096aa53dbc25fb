#include "textdlg.h"

#include "dialogtestsupport.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class TextDlgTest : public ConsoleDialogTest {};

TEST_P(TextDlgTest, ModeByTheGivenText)
{
    const struct {
        const char* text;
        bool viewMode;
        const char* italian;
        const char* english;
    } cases[] = {{"", false, "Inserisci testo", "Enter text"},
                 {"Chiamare il signor Rossi alle 10", true, "Visualizza testo", "View text"}};
    for (const auto& c : cases) {
        CTextDlg dialog(QString::fromUtf8(c.text));
        ShowAndShoot(dialog, c.viewMode ? QStringLiteral("textdlg_view") : QStringLiteral("textdlg_entry"));
        EXPECT_EQ(dialog.IsViewMode(), c.viewMode);
        EXPECT_EQ(dialog.windowTitle(), English() ? c.english : c.italian);
        EXPECT_EQ(Find<QPushButton>(dialog, CTextDlg::kCancel)->isEnabled(), !c.viewMode);
        EXPECT_EQ(Find<QPlainTextEdit>(dialog, CTextDlg::kText)->toPlainText(), QString::fromUtf8(c.text));
    }
}

TEST_P(TextDlgTest, OkWithAnEmptyTextKeepsItOpen)
{
    CTextDlg dialog(QString{});
    dialog.show();
    auto ok = Find<QPushButton>(dialog, CTextDlg::kOk);
    ok->click();
    EXPECT_TRUE(dialog.isVisible());
    Find<QPlainTextEdit>(dialog, CTextDlg::kText)->setPlainText(QStringLiteral("Nota"));
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Text(), "Nota");
}

TEST_P(TextDlgTest, InViewModeTheFocusMovesFromTheTextToOk)
{
    CTextDlg dialog(QStringLiteral("Sveglia alle 7"));
    dialog.show();
    dialog.activateWindow();
    auto edit = Find<QPlainTextEdit>(dialog, CTextDlg::kText);
    edit->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog.focusWidget(), Find<QPushButton>(dialog, CTextDlg::kOk));
}

TEST_P(TextDlgTest, TextBeyond512CharactersIsCut)
{
    CTextDlg dialog(QString{});
    auto edit = Find<QPlainTextEdit>(dialog, CTextDlg::kText);
    edit->setPlainText(QString(CTextDlg::kMaxLength + 1, u'x'));
    EXPECT_EQ(edit->toPlainText().size(), CTextDlg::kMaxLength);
}

CONSOLE_DIALOG_TEST_LANGUAGES(TextDlgTest);

}  // namespace
