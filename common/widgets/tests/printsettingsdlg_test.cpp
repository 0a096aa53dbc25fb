#include "colorbutton.h"
#include "printsettingsdlg.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

PrintSettings DefaultRecord()
{
    PrintSettings record;
    SetDefaultPrintSettings(record);
    return record;
}

TEST(ColorButton, SwatchAndArrowAtTheirFractionsOfTheFace)
{
    CColorButton button;
    button.resize(60, 24);
    button.SetColor(0x0000FF);  // red
    const QImage& face = button.Face();
    ASSERT_EQ(face.size(), QSize(60, 24));
    EXPECT_EQ(QColor(face.pixel(20, 12)), QColor(Qt::red));    // inside the swatch (10,4)-(30,20)
    EXPECT_EQ(QColor(face.pixel(10, 4)), QColor(Qt::black));   // its outline
    EXPECT_NE(QColor(face.pixel(31, 12)), QColor(Qt::red));    // right of it
    EXPECT_EQ(QColor(face.pixel(45, 10)), QColor(Qt::black));  // the arrow through (40,8), (50,8), (45,16)
    EXPECT_NE(QColor(face.pixel(45, 20)), QColor(Qt::black));
    button.SetColor(0xFF0000);  // blue replaces it
    EXPECT_EQ(QColor(button.Face().pixel(20, 12)), QColor(Qt::blue));
}

class PrintSettingsDlgTest : public ::testing::Test {
protected:
    // Presses "Applica" with a field changed; the boxes it shows are closed and counted.
    bool ApplyWith(CPrintSettingsDlg& dialog, int field, const QString& text)
    {
        dialog.findChild<QLineEdit*>(QString::number(field))->setText(text);
        int refusals = 0;
        ModalAnswerer answerer([&](QDialog* box) {
            ++refusals;
            box->accept();
        });
        dialog.findChild<QPushButton*>(QStringLiteral("1122"))->click();
        return refusals == 0 && dialog.result() == QDialog::Accepted;
    }
};

TEST_F(PrintSettingsDlgTest, FieldsOutOfRangeAreRefusedAndTheDialogStays)
{
    const struct {
        int field;
        QString text;
        bool accepted;
    } cases[] = {
        {1133, QStringLiteral("201"), false},
        {1132, QStringLiteral("-1"), false},
        {1112, QString(64, u'x'), false},
        {1112, QString(63, u'x'), true},
        {1132, QStringLiteral("200"), true},
    };
    for (const auto& c : cases) {
        CPrintSettingsDlg dialog(DefaultRecord(), PrintSettingsForm::Rating());
        dialog.show();
        EXPECT_EQ(ApplyWith(dialog, c.field, c.text), c.accepted) << c.field << " " << c.text.toStdString();
        EXPECT_EQ(dialog.isVisible(), !c.accepted);
    }
}

TEST_F(PrintSettingsDlgTest, ApplyStoresLinesMarginsAndLogoAndOnlyTheHotelsFormSetsFlags)
{
    PrintSettings record = DefaultRecord();
    record.flags = PrintSettings::kPrintLogo | PrintSettings::kPrintHeader;
    CPrintSettingsDlg rating(record, PrintSettingsForm::Rating());
    rating.show();
    EXPECT_EQ(rating.findChildren<QCheckBox*>().size(), 0);
    EXPECT_EQ(rating.windowTitle(), QStringLiteral("Impostazioni di stampa"));
    ASSERT_TRUE(ApplyWith(rating, 1133, QStringLiteral("35")));
    EXPECT_EQ(rating.Record().topMargin, 35);
    EXPECT_EQ(rating.Record().flags, record.flags);
    SaveScreenshot(rating, QStringLiteral("rating_dialog_135"));

    CPrintSettingsDlg hotel(record, PrintSettingsForm::Hotel());
    hotel.show();
    ASSERT_EQ(hotel.findChildren<QCheckBox*>().size(), 4);
    hotel.findChild<QCheckBox*>(QStringLiteral("1416"))->setChecked(false);  // logo off
    hotel.findChild<QCheckBox*>(QStringLiteral("1418"))->setChecked(true);   // page numbers on
    EXPECT_EQ(hotel.Record().flags, record.flags);  // nothing changes before "Applica"
    ASSERT_TRUE(ApplyWith(hotel, 1113, QStringLiteral("Via Nuova 2")));
    EXPECT_EQ(hotel.Record().flags, PrintSettings::kPrintHeader | PrintSettings::kPrintPageNumbers);
    EXPECT_EQ(hotel.Record().headerLines[1], QStringLiteral("Via Nuova 2"));
}

}  // namespace
