#include "pbxentrydlg.h"

#include "dialogtesting.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const std::vector<SerialPort> kPorts = {
    {QStringLiteral("ttyS0"), QStringLiteral("/dev/ttyS0"), 1},
    {QStringLiteral("ttyS11"), QStringLiteral("/dev/ttyS11"), 12},
    {QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0"), 0},  // no COM number configured
    {QStringLiteral("ttyUSB1"), QStringLiteral("/dev/ttyUSB1"), 7},
};

QLineEdit* IdentifierEdit(QDialog& dialog) { return dialog.findChild<QLineEdit*>(QStringLiteral("1020")); }
QComboBox* ResourceCombo(QDialog& dialog) { return dialog.findChild<QComboBox*>(QStringLiteral("1023")); }

void ClickOk(QDialog& dialog) { QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1024")), Qt::LeftButton); }

QStringList ComboItems(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

TEST(PbxEntryDlg, NewPbxOffersTheNumberedPortsThenLan)
{
    CPbxEntryDlg dialog(QString(), QString(), nullptr, kPorts);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nuovo centralino"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("1021"))->text(), QStringLiteral("Identificativo"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("1022"))->text(), QStringLiteral("Risorsa"));
    EXPECT_EQ(ComboItems(ResourceCombo(dialog)),
              (QStringList{QStringLiteral("COM1"), QStringLiteral("COM12"), QStringLiteral("COM7"), QStringLiteral("LAN")}));
    EXPECT_EQ(ResourceCombo(dialog)->currentText(), QStringLiteral("COM1"));
    EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("CPbxEntryDlg-new")));

    QTest::keyClicks(IdentifierEdit(dialog), QStringLiteral("Centrale_1"));
    ResourceCombo(dialog)->setCurrentIndex(1);
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Identifier(), QStringLiteral("Centrale_1"));
    EXPECT_EQ(dialog.Resource(), QStringLiteral("COM12"));
    EXPECT_EQ(ResourcePortNumber(dialog.Resource()), 12);
}

TEST(PbxEntryDlg, ExistingPbxKeepsItsResourceWhenOffered)
{
    const struct {
        const char* resource;
        const char* shown;
    } cases[] = {{"LAN", "LAN"}, {"COM7", "COM7"}, {"COM5", "COM1"}};  // COM5 is not on this computer
    for (const auto& entry : cases) {
        CPbxEntryDlg dialog(QStringLiteral("Hotel"), QLatin1StringView(entry.resource), nullptr, kPorts);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Aggiorna centralino"));
        EXPECT_EQ(IdentifierEdit(dialog)->text(), QStringLiteral("Hotel"));
        EXPECT_EQ(ResourceCombo(dialog)->currentText(), QLatin1StringView(entry.shown)) << entry.resource;
    }
    CPbxEntryDlg dialog(QStringLiteral("Hotel"), QStringLiteral("LAN"), nullptr, kPorts);
    dialog.show();
    EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("CPbxEntryDlg-update")));
}

TEST(PbxEntryDlg, WithoutSerialPortsOnlyLanIsOffered)
{
    CPbxEntryDlg dialog(QString(), QString(), nullptr, {});
    EXPECT_EQ(ComboItems(ResourceCombo(dialog)), QStringList{QStringLiteral("LAN")});
}

TEST(PbxEntryDlg, BadIdentifierOrResourceIsRefusedAndTheDialogStays)
{
    const struct {
        const char* identifier;
        const char* resource;
        const char* error;
    } cases[] = {
        {"", "LAN", "Identificativo immesso non valido"},
        {"Centrale 1", "LAN", "Identificativo immesso non valido"},
        {"Centrale'1", "LAN", "Identificativo immesso non valido"},
        {"Centrale-1", "LAN", "Identificativo immesso non valido"},  // not usable in a table name
        {"Centrale1", "", "Risorsa non valida"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.identifier);
        CPbxEntryDlg dialog(QString(), QString(), nullptr, kPorts);
        dialog.show();
        QTest::keyClicks(IdentifierEdit(dialog), QLatin1StringView(entry.identifier));
        ResourceCombo(dialog)->setEditText(QLatin1StringView(entry.resource));
        MessageBoxRecorder boxes;
        ClickOk(dialog);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Pultex - Messaggio di errore"));
        EXPECT_EQ(boxes.Seen()[0].text, QLatin1StringView(entry.error));
        EXPECT_EQ(boxes.Seen()[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.Identifier().isEmpty());
    }
}

TEST(PbxEntryDlg, IdentifierIsAtMostTwentyCharacters)
{
    CPbxEntryDlg dialog(QString(), QString(), nullptr, kPorts);
    dialog.show();
    QTest::keyClicks(IdentifierEdit(dialog), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(IdentifierEdit(dialog)->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_TRUE(IsValidPbxIdentifier(QStringLiteral("ABCDEFGHIJKLMNOPQRST")));
    EXPECT_FALSE(IsValidPbxIdentifier(QStringLiteral("ABCDEFGHIJKLMNOPQRSTU")));
}

TEST(PbxEntryDlg, ResourcePortNumbers)
{
    const struct {
        const char* resource;
        int number;
    } cases[] = {{"COM1", 1}, {"COM12", 12}, {"COM98", 98}, {"LAN", 0}, {"COM", 0}, {"COMx", 0}, {"ttyS0", 0}};
    for (const auto& entry : cases)
        EXPECT_EQ(ResourcePortNumber(QLatin1StringView(entry.resource)), entry.number) << entry.resource;
}

TEST(PbxEntryDlg, CancelAndClosingEndWithCancel)
{
    for (const bool byButton : {true, false}) {
        CPbxEntryDlg dialog(QStringLiteral("Hotel"), QStringLiteral("LAN"), nullptr, kPorts);
        dialog.show();
        if (byButton)
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1025")), Qt::LeftButton);
        else
            dialog.close();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

}  // namespace
