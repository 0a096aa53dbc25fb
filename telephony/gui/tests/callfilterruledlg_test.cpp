#include "callfilterruledlg.h"

#include "dialogtestsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

class CallFilterRuleDlgTest : public ConsoleDialogTest {
protected:
    struct Fields {
        QLineEdit* number;
        QComboBox* match;
        QComboBox* action;
        QComboBox* extension;
        QLineEdit* destination;
        QPushButton* ok;
    };
    static Fields FieldsOf(QDialog& dialog)
    {
        return {Find<QLineEdit>(dialog, CCallFilterRuleDlg::kNumber), Find<QComboBox>(dialog, CCallFilterRuleDlg::kMatch),
                Find<QComboBox>(dialog, CCallFilterRuleDlg::kAction),
                Find<QComboBox>(dialog, CCallFilterRuleDlg::kExtension),
                Find<QLineEdit>(dialog, CCallFilterRuleDlg::kDestination),
                Find<QPushButton>(dialog, CCallFilterRuleDlg::kOk)};
    }
};

TEST_P(CallFilterRuleDlgTest, RuleOpensAsItsFieldsAndSavesTheSameBytes)
{
    const struct {
        const char* pattern;
        std::uint8_t action;
        const char* argument;
        int match;
        const char* number;
        int extension;
        const char* destination;
        const char* shot;
    } cases[] = {
        {"*0039", 0, "", CCallFilterRuleDlg::kBeginsWith, "0039", 0, "", "callfilterruledlg_reject"},
        {"051223344", 1, "5", CCallFilterRuleDlg::kIs, "051223344", 5, "", "callfilterruledlg_extension"},
        {"*02", 2, "3355551234", CCallFilterRuleDlg::kBeginsWith, "02", 0, "3355551234", "callfilterruledlg_number"},
    };
    for (const auto& c : cases) {
        CallFilterRule rule{QString::fromUtf8(c.pattern), c.action, QString::fromUtf8(c.argument)};
        const QByteArray before = rule.Write();
        CCallFilterRuleDlg dialog(rule, context);
        ShowAndShoot(dialog, QString::fromUtf8(c.shot));
        const Fields f = FieldsOf(dialog);
        EXPECT_EQ(f.match->currentIndex(), c.match) << c.pattern;
        EXPECT_EQ(f.number->text(), c.number);
        EXPECT_EQ(f.action->currentIndex(), c.action);
        EXPECT_EQ(f.extension->currentIndex(), c.extension);
        EXPECT_EQ(f.destination->text(), c.destination);
        EXPECT_EQ(f.extension->isVisible(), c.action == CallFilterRule::kTransferToExtension);
        EXPECT_EQ(f.destination->isVisible(), c.action == CallFilterRule::kTransferToNumber);
        f.ok->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(rule.Write(), before) << c.pattern;
    }
}

TEST_P(CallFilterRuleDlgTest, OkRefusesAnEmptyNumberOrDestination)
{
    const struct {
        const char* number;
        int action;
        const char* destination;
    } cases[] = {{"", 0, ""}, {"", 1, ""}, {"051", 2, ""}};
    for (const auto& c : cases) {
        CallFilterRule rule{QStringLiteral("*0039"), 0, {}};
        const QByteArray before = rule.Write();
        CCallFilterRuleDlg dialog(rule, context);
        dialog.show();
        const Fields f = FieldsOf(dialog);
        f.action->setCurrentIndex(c.action);
        f.number->setText(QString::fromUtf8(c.number));
        f.destination->setText(QString::fromUtf8(c.destination));
        f.ok->click();
        EXPECT_TRUE(dialog.isVisible()) << c.number << " " << c.action;
        EXPECT_EQ(rule.Write(), before);
    }
}

TEST_P(CallFilterRuleDlgTest, ActionChangeResetsTheExtensionAndTheNumber)
{
    CallFilterRule rule{QStringLiteral("051"), CallFilterRule::kTransferToExtension, QStringLiteral("7")};
    CCallFilterRuleDlg dialog(rule, context);
    dialog.show();
    const Fields f = FieldsOf(dialog);
    ASSERT_EQ(f.extension->currentIndex(), 7);
    f.action->setCurrentIndex(CallFilterRule::kTransferToNumber);
    f.destination->setText(QStringLiteral("3355551234"));
    f.action->setCurrentIndex(CallFilterRule::kTransferToExtension);
    EXPECT_EQ(f.extension->currentIndex(), 0);
    EXPECT_TRUE(f.destination->text().isEmpty());
    f.match->setCurrentIndex(CCallFilterRuleDlg::kBeginsWith);
    f.ok->click();
    EXPECT_EQ(rule.pattern, "*051");
    EXPECT_EQ(rule.action, CallFilterRule::kTransferToExtension);
    EXPECT_EQ(rule.argument, "0");
}

TEST_P(CallFilterRuleDlgTest, TextsAndExtensionNames)
{
    CallFilterRule rule;
    CCallFilterRuleDlg dialog(rule, context);
    const Fields f = FieldsOf(dialog);
    EXPECT_EQ(dialog.windowTitle(), English() ? "Incoming call filter" : "Filtro chiamate in ingresso");
    EXPECT_EQ(f.action->itemText(0), English() ? "Reject" : "Rifiuta");
    EXPECT_EQ(f.action->itemText(2), English() ? "Transfer to number" : "Trasferisci a numero");
    EXPECT_EQ(f.match->itemText(1), English() ? "The number begins with" : "Il numero inizia per");
    ASSERT_EQ(f.extension->count(), kExtensions);
    EXPECT_EQ(f.extension->itemText(kLabelledExtension), kLabel);
    EXPECT_EQ(f.extension->itemText(0), context.ExtensionName(0));
    EXPECT_TRUE(f.extension->itemText(0).startsWith("INT. "));
    EXPECT_EQ(f.number->maxLength(), 20);
    EXPECT_EQ(f.destination->maxLength(), 21);
}

CONSOLE_DIALOG_TEST_LANGUAGES(CallFilterRuleDlgTest);

}  // namespace
