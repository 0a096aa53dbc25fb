#include "clippedtextcheck.h"
#include "errorbox.h"
#include "language.h"
#include "printsettingsdlg.h"
#include "splashdlg.h"
#include "tempsuite.h"
#include "waitdlg.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// The shared windows at the size they give themselves, in each language of the suite.
class SharedWindowsClipping : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { SetLanguage(GetParam()); }
    void TearDown() override { SetLanguage(kLanguageItalian); }

    QString Suffix() const { return GetParam() == kLanguageEnglish ? QStringLiteral("-en") : QStringLiteral("-it"); }

    static bool ShowAndExpose(QWidget& window)
    {
        window.show();
        return WaitFor([&] { return window.windowHandle() && window.windowHandle()->isExposed(); });
    }
};

TEST_P(SharedWindowsClipping, Splash)
{
    TempSuite suite;
    CSplashDlg splash;
    ASSERT_TRUE(ShowAndExpose(splash));
    splash.SetProgressText(QStringLiteral("Connessione al database in corso..."));
    EXPECT_TRUE(HasNoClippedText(splash));
    SaveScreenshot(splash, QStringLiteral("clip-splash") + Suffix());
}

TEST_P(SharedWindowsClipping, WaitNotice)
{
    TempSuite suite;
    CWaitDlg wait(QStringLiteral("Tentativo di connessione al DB in corso, attendere prego..."));
    wait.ShowNow();
    EXPECT_TRUE(HasNoClippedText(wait));
    SaveScreenshot(wait, QStringLiteral("clip-wait") + Suffix());
}

TEST_P(SharedWindowsClipping, PrintSettingsOfEitherForm)
{
    PrintSettings record;
    SetDefaultPrintSettings(record);
    // A long stored header line and a path deep in the folders open whole, not only in a tool tip.
    record.headerLines[1] = QStringLiteral("Via dei Mille 128, scala B, interno 14 - Centro direzionale");
    record.logoPath = QStringLiteral("/home/ricevimento/Corvanti/Suite/Shared/Immagini/LogoPrint.bmp");
    const struct {
        const char* name;
        PrintSettingsForm form;
    } forms[] = {{"rating", PrintSettingsForm::Rating()}, {"hotel", PrintSettingsForm::Hotel()}};
    for (const auto& form : forms) {
        CPrintSettingsDlg dialog(record, form.form);
        ASSERT_TRUE(ShowAndExpose(dialog));
        auto path = dialog.findChild<QLineEdit*>(QStringLiteral("1137"));
        ASSERT_NE(path, nullptr);
        const QString wholePath = path->toolTip();
        path->setToolTip(QString());
        EXPECT_TRUE(HasNoClippedText(dialog)) << form.name;
        path->setToolTip(wholePath);
        // A path typed or picked later stays readable too.
        dialog.findChild<QLineEdit*>(QStringLiteral("1137"))->setText(QString(120, u'x') + QStringLiteral(".bmp"));
        EXPECT_TRUE(HasNoClippedText(dialog)) << form.name;
        SaveScreenshot(dialog, QStringLiteral("clip-printsettings-%1").arg(QLatin1String(form.name)) + Suffix());
    }
}

TEST_P(SharedWindowsClipping, ErrorBox)
{
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(WaitFor([&] { return box->windowHandle() && box->windowHandle()->isExposed(); }));
        EXPECT_TRUE(HasNoClippedText(*box));
        SaveScreenshot(*box, QStringLiteral("clip-errorbox") + Suffix());
        checked = true;
        box->accept();
    });
    ShowErrorBox(QStringLiteral("Pultex"), QStringLiteral("Impossibile aprire la connessione con la centrale"), 43,
                 QStringLiteral("Server: srv1.example.net"));
    EXPECT_TRUE(checked);
}

INSTANTIATE_TEST_SUITE_P(Languages, SharedWindowsClipping, ::testing::Values(kLanguageItalian, kLanguageEnglish),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == kLanguageEnglish ? "English" : "Italian");
                         });

}  // namespace
