#include "followmedlg.h"

#include "dialogtestsupport.h"

#include <QComboBox>
#include <QPushButton>

namespace {

class FollowMeDlgTest : public ConsoleDialogTest {};

TEST_P(FollowMeDlgTest, PositionSkipsTheGivenExtension)
{
    const struct {
        int extension;
        int position;
        int chosen;
    } cases[] = {{0, 0, 1}, {3, 3, 4}, {3, 2, 2}, {3, 0, 0}, {11, 10, 10}, {0, 10, 11}};
    for (const auto& c : cases) {
        CFollowMeDlg dialog(c.extension, context);
        auto list = Find<QComboBox>(dialog, CFollowMeDlg::kList);
        ASSERT_EQ(list->count(), kExtensions - 1);
        EXPECT_EQ(list->currentIndex(), 0);
        list->setCurrentIndex(c.position);
        Find<QPushButton>(dialog, CFollowMeDlg::kOk)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Extension(), c.chosen) << c.extension << " " << c.position;
    }
}

TEST_P(FollowMeDlgTest, ListShowsTheExtensionsNamesWithoutTheGivenOne)
{
    CFollowMeDlg dialog(0, context);
    ShowAndShoot(dialog, QStringLiteral("followmedlg"));
    EXPECT_EQ(dialog.windowTitle(), English() ? "Activate follow-me" : "Attiva seguimi");
    auto list = Find<QComboBox>(dialog, CFollowMeDlg::kList);
    for (int position = 0; position < list->count(); ++position)
        EXPECT_EQ(list->itemText(position), context.ExtensionName(position + 1));
    EXPECT_EQ(list->itemText(kLabelledExtension - 1), kLabel);
    EXPECT_TRUE(list->itemText(0).startsWith("INT. "));
}

TEST_P(FollowMeDlgTest, PbxOfOneExtensionGivesAnEmptyListAndOkCancels)
{
    MakeConsoleState(state, 1, 1, 0, 0);
    CFollowMeDlg dialog(0, context);
    EXPECT_EQ(Find<QComboBox>(dialog, CFollowMeDlg::kList)->count(), 0);
    Find<QPushButton>(dialog, CFollowMeDlg::kOk)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Extension(), 0);
}

CONSOLE_DIALOG_TEST_LANGUAGES(FollowMeDlgTest);

}  // namespace
