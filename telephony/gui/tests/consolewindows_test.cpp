// The console's dialogs on the state that the console loads from the engine's catalog, filled by Pultex
// from Simulvex: extension names in their lists, and what the context hands them.
#include "callfilterruledlg.h"
#include "clippedtextcheck.h"
#include "consolewindowsfixture.h"
#include "followmedlg.h"
#include "widgettesting.h"

#include <QComboBox>
#include <QWindow>

namespace {

using namespace consolewindows;

class ConsoleWindowsNamesTest : public ConsoleWindowsTest {};

TEST_P(ConsoleWindowsNamesTest, ExtensionListsShowTheLabelOrTheNumber)
{
    StartOn(SimulvexModel{});
    if (IsSkipped() || HasFatalFailure())
        return;
    ASSERT_EQ(m_state.FirstCounts().extensions, m_model.extensions);
    EXPECT_EQ(m_state.FirstCounts().lines, m_model.lines);
    EXPECT_EQ(m_state.FirstCounts().entryPhones, m_model.entryPhones);
    EXPECT_EQ(m_state.FirstCounts().relays, m_model.relays);
    ASSERT_NE(m_context.Engine(), nullptr);

    CallFilterRule rule;
    CCallFilterRuleDlg filter(rule, m_context);
    auto extensions = filter.findChild<QComboBox*>(QString::number(CCallFilterRuleDlg::kExtension));
    ASSERT_EQ(extensions->count(), m_model.extensions);
    for (int index = 0; index < m_model.extensions; ++index) {
        if (index == m_model.labelledExtension)
            EXPECT_EQ(extensions->itemText(index), m_model.label);
        else
            EXPECT_EQ(extensions->itemText(index), QStringLiteral("INT. ") + DefaultExtensionNumber(m_state, index));
    }
    // The numbers are the PBX's programmed ones: every name differs.
    QStringList names;
    for (int index = 0; index < extensions->count(); ++index)
        names << extensions->itemText(index);
    names.removeDuplicates();
    EXPECT_EQ(names.size(), m_model.extensions);

    CFollowMeDlg followMe(m_model.labelledExtension, m_context);
    auto list = followMe.findChild<QComboBox*>(QString::number(CFollowMeDlg::kList));
    ASSERT_EQ(list->count(), m_model.extensions - 1);
    for (int position = 0; position < list->count(); ++position)
        EXPECT_NE(list->itemText(position), m_model.label) << position;
    followMe.show();
    ASSERT_TRUE(WaitFor([&] { return followMe.windowHandle() && followMe.windowHandle()->isExposed(); }));
    EXPECT_TRUE(HasNoClippedText(followMe));
    SaveScreenshot(followMe, QStringLiteral("followmedlg_simulvex"));
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(ConsoleWindowsNamesTest);

}  // namespace
