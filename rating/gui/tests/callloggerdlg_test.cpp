#include "callloggerdlg.h"

#include "callloggerexport.h"
#include "pbxtables.h"
#include "ratingdatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Two PBXs of which only the second could be read.
PbxTables Tables()
{
    PbxTables tables;
    QByteArray initialization(77, '\0');
    initialization[1] = 8;
    initialization[2] = 8;
    tables.SetPbx(1, QStringLiteral("Centrale Nord"), initialization, QByteArray(26, '\0'), {});
    return tables;
}

template <typename T>
T* Control(QWidget& dialog, const char* id)
{
    T* control = dialog.findChild<T*>(QString::fromLatin1(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

// Clicks OK and returns the text of the message box it opens (closed at once), empty when none.
QString ClickOk(QDialog& dialog)
{
    QString text;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&text] {
        if (auto box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->windowTitle() + u'|' + box->text() + u'|' + QString::number(box->icon());
            box->close();
        }
    });
    timer.start();
    Control<QPushButton>(dialog, "1167")->click();
    return text;
}

TEST(CallLoggerDlgTest, ShowsTheSettingsAndStoresOnlyPathsThatFit)
{
    const PbxTables tables = Tables();
    CallLoggerSettings settings;
    settings.pbx = 1;
    settings.outputPath = QStringLiteral("/srv/centralino/chiamate.txt");
    CCallLoggerDlg dialog(&settings, tables);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Configurazione call logger plug in"));
    auto combo = Control<QComboBox>(dialog, "1163");
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Centrale Nord"));
    EXPECT_FALSE(Control<QCheckBox>(dialog, "1162")->isChecked());
    EXPECT_EQ(Control<QLabel>(dialog, "1164")->text(), QStringLiteral("Seleziona centralino"));
    EXPECT_EQ(Control<QPushButton>(dialog, "1168")->text(), QStringLiteral("Annulla"));
    auto path = Control<QLineEdit>(dialog, "1165");
    EXPECT_EQ(path->text(), settings.outputPath);
    const QString folder = QStringLiteral(SUITE_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    EXPECT_TRUE(dialog.grab().save(folder + QStringLiteral("/callloggerdlg.png")));

    Control<QCheckBox>(dialog, "1162")->setChecked(true);
    path->clear();
    const QString refusal = QStringLiteral("Tarivo|Percorso selezionato non valido|%1").arg(QMessageBox::Critical);
    EXPECT_EQ(ClickOk(dialog), refusal);
    EXPECT_TRUE(dialog.isVisible());

    // Too long for the settings file, with the plug-in on or off.
    path->setText(QString(260, u'a'));
    EXPECT_EQ(ClickOk(dialog), refusal);
    Control<QCheckBox>(dialog, "1162")->setChecked(false);
    EXPECT_EQ(ClickOk(dialog), refusal);
    EXPECT_EQ(settings.outputPath, QStringLiteral("/srv/centralino/chiamate.txt"));

    Control<QCheckBox>(dialog, "1162")->setChecked(true);
    path->setText(QStringLiteral("/srv/calls.txt"));
    EXPECT_EQ(ClickOk(dialog), QString());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.enabled, 1);
    EXPECT_EQ(settings.pbx, 1);
    EXPECT_EQ(settings.outputPath, QStringLiteral("/srv/calls.txt"));
}

TEST(CallLoggerDlgTest, AStoredPbxNotLoadedSelectsTheFirstAndCancelKeepsTheCopy)
{
    const PbxTables tables = Tables();
    CallLoggerSettings settings;
    settings.pbx = 0;
    settings.enabled = 1;
    const CallLoggerSettings before = settings;
    CCallLoggerDlg dialog(&settings, tables);
    EXPECT_EQ(Control<QComboBox>(dialog, "1163")->currentIndex(), 0);
    EXPECT_TRUE(Control<QCheckBox>(dialog, "1162")->isChecked());
    Control<QLineEdit>(dialog, "1165")->setText(QStringLiteral("/tmp/x"));
    Control<QPushButton>(dialog, "1168")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings, before);
}

TEST(CallLoggerDlgTest, TheMenuCommandConfirmedStartsTheExportOverAndSavesIt)
{
    const PbxTables tables = Tables();
    CRatingDatabase database;  // not connected: the dialog does not read it
    const RatingConfiguration configuration;
    QTemporaryDir folder;
    CallLoggerExport exporter(database, tables, configuration, folder.path());
    exporter.Settings().lastExportedStart = OleDate(2026, 12, 1).Value();

    // The user enables the plug-in, names a file and confirms.
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [] {
        auto dialog = qobject_cast<CCallLoggerDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->findChild<QCheckBox*>(QStringLiteral("1162"))->setChecked(true);
        dialog->findChild<QLineEdit*>(QStringLiteral("1165"))->setText(QStringLiteral("/srv/calls.txt"));
        dialog->findChild<QPushButton*>(QStringLiteral("1167"))->click();
    });
    timer.start();
    ASSERT_TRUE(CCallLoggerDlg::Run(exporter, tables, nullptr));
    EXPECT_EQ(exporter.Settings().enabled, 1);
    EXPECT_EQ(exporter.Settings().lastExportedStart, 0.0);
    CallLoggerSettings saved;
    ASSERT_TRUE(LoadCallLoggerSettings(folder.path(), saved));
    EXPECT_EQ(saved, exporter.Settings());
}

}  // namespace
