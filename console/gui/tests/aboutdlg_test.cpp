#include "aboutdlg.h"

#include "dialogtesting.h"
#include "enginesettingsfile.h"
#include "fakeupdater.h"
#include "installationsettings.h"
#include "programmingtool.h"
#include "tempsuite.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QPushButton* Button(QDialog& dialog, const char* id) { return dialog.findChild<QPushButton*>(QLatin1StringView(id)); }

TEST(AboutDlg, ShowsProductVersionAndMaker)
{
    TempSuite suite(QStringLiteral("Pultex"));
    EngineSettings engineSettings;
    InstallationSettings installation;
    installation.Load();
    CAboutDlg dialog(engineSettings, installation);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pultex"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("1076"))->text(), QStringLiteral("Pultex 1.0.0.59"));
    for (const char* id : {"1077", "1078", "1079", "1080", "1082"}) {
        auto label = dialog.findChild<QLabel*>(QLatin1StringView(id));
        ASSERT_NE(label, nullptr) << id;
        EXPECT_FALSE(label->text().isEmpty()) << id;
    }
    EXPECT_EQ(Button(dialog, "1106")->text(), QStringLiteral("Verifica aggiornamenti"));
    EXPECT_EQ(Button(dialog, "1107")->text(), QStringLiteral("Programmatore"));
    EXPECT_EQ(Button(dialog, "1083")->text(), QStringLiteral("Esci"));
    EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("CAboutDlg")));

    QTest::mouseClick(Button(dialog, "1083"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(AboutDlg, ProgrammingToolNeedsTheToolAndAnAdministrator)
{
    const struct {
        bool installed;
        std::uint8_t protection;
        bool enabled;
    } cases[] = {{true, 0, true}, {true, 1, false}, {false, 0, false}};
    for (const auto& entry : cases) {
        TempSuite suite(QStringLiteral("Pultex"));
        if (entry.installed) {
            QDir().mkpath(suite.SuiteFolder() + QStringLiteral("Programmatore 3.15"));
            QFile tool(ProgrammingToolPath());
            ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        }
        EngineSettings engineSettings;
        InstallationSettings installation;
        installation.Load();
        installation.SetProtection(entry.protection);
        CAboutDlg dialog(engineSettings, installation);
        EXPECT_EQ(Button(dialog, "1107")->isEnabled(), entry.enabled) << entry.installed << entry.protection;
    }
}

TEST(AboutDlg, UpdateButtonAsksTheUpdaterForAnInteractiveCheck)
{
    TempSuite suite(QStringLiteral("Pultex"));
    FakeUpdater updater;
    ASSERT_TRUE(updater.WaitUntilFound());

    EngineSettings engineSettings(OleDate(2020, 1, 1));
    InstallationSettings installation;
    installation.Load();
    CAboutDlg dialog(engineSettings, installation);
    dialog.show();
    const OleDate before = OleDate::Now();
    QTest::mouseClick(Button(dialog, "1106"), Qt::LeftButton);
    EXPECT_EQ(updater.ReceivedMessage(), QStringLiteral("273 1000 0"));  // WM_COMMAND 1000

    // The time of the check is stored and saved.
    EXPECT_GE(engineSettings.lastUpdateCheck, before);
    EngineSettings saved(OleDate(2000, 1, 1));
    ASSERT_EQ(LoadEngineSettings(saved), 1);
    EXPECT_EQ(saved.lastUpdateCheck, engineSettings.lastUpdateCheck);
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
