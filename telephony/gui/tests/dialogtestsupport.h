#pragma once

#include "clippedtextcheck.h"
#include "consolestatefixture.h"
#include "consolewindowcontext.h"
#include "language.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QApplication>
#include <QDialog>
#include <QWindow>

#include <gtest/gtest.h>

// What the console dialogs' tests share: a context over a state of one PBX whose extension 2 carries a
// label (the others fall back to "INT. " and their number), the run in both languages and the dialog's
// picture at the size it gives itself.
class ConsoleDialogTest : public ::testing::TestWithParam<int> {
protected:
    static constexpr int kExtensions = 12;
    static constexpr int kLabelledExtension = 2;
    static inline const QString kLabel = QStringLiteral("Reception");

    void SetUp() override
    {
        SetLanguage(GetParam());
        MakeConsoleState(state, kExtensions, 12, 4, 4);
        context.state = &state;
        context.labels = [](PbxLabelKind kind, int, int index) {
            return kind == PbxLabelKind::Extension && index == kLabelledExtension ? kLabel : QString();
        };
    }
    void TearDown() override { SetLanguage(kLanguageItalian); }

    static bool English() { return GetParam() == kLanguageEnglish; }
    static QString Language() { return English() ? QStringLiteral("en") : QStringLiteral("it"); }

    // Shows the dialog as the program opens it, checks that it shows every text whole and saves its
    // picture as <name>_<language>.
    static void ShowAndShoot(QWidget& dialog, const QString& name)
    {
        dialog.show();
        EXPECT_TRUE(WaitFor([&] { return dialog.windowHandle() && dialog.windowHandle()->isExposed(); }));
        EXPECT_TRUE(HasNoClippedText(dialog)) << name.toStdString();
        EXPECT_TRUE(SaveScreenshot(dialog, name + u'_' + Language()));
    }

    template <typename Widget>
    static Widget* Find(QWidget& dialog, int id)
    {
        auto widget = dialog.findChild<Widget*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }

    OperatorConsoleState state;
    ConsoleWindowContext context;
};

#define CONSOLE_DIALOG_TEST_LANGUAGES(Suite)                                                                       \
    INSTANTIATE_TEST_SUITE_P(Languages, Suite, ::testing::Values(kLanguageItalian, kLanguageEnglish),             \
                             [](const ::testing::TestParamInfo<int>& info) {                                       \
                                 return std::string(info.param == kLanguageEnglish ? "English" : "Italian");       \
                             })
