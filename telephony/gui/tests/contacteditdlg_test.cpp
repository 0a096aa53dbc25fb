#include "contacteditdlg.h"

#include "dialogtestsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class ContactEditDlgTest : public ConsoleDialogTest {
protected:
    // Fills the editor's edits, presses OK and returns the boxes it showed.
    std::vector<SeenMessageBox> PressOk(CContactEditDlg& dialog, const QStringList& fields)
    {
        for (int field = 0; field < CContactEditDlg::kFields; ++field)
            Find<QLineEdit>(dialog, CContactEditDlg::kEditIds[field])->setText(fields.value(field));
        MessageBoxRecorder boxes;
        Find<QPushButton>(dialog, CContactEditDlg::kOk)->click();
        return boxes.Seen();
    }
    QString Edit(CContactEditDlg& dialog, int field)
    {
        return Find<QLineEdit>(dialog, CContactEditDlg::kEditIds[field])->text();
    }
};

TEST_P(ContactEditDlgTest, ShowsSixteenLabelledFieldsOfTheirLengths)
{
    CContactEditDlg dialog;
    QStringList fields(CContactEditDlg::kFields);
    fields[0] = QStringLiteral("Rossi");
    fields[12] = QStringLiteral("061234");
    dialog.SetFields(fields);
    ShowAndShoot(dialog, QStringLiteral("contacteditdlg"));
    EXPECT_EQ(dialog.windowTitle(), English() ? "New/Edit contact" : "Nuovo/Modifica contatto");
    EXPECT_EQ(Find<QLabel>(dialog, 1043)->text(), English() ? "Name" : "Nome");
    EXPECT_EQ(Find<QLabel>(dialog, 1073)->text(), English() ? "Web address" : "Indirizzo WEB");
    EXPECT_EQ(Find<QLabel>(dialog, 1071)->text(), English() ? "Office fax" : "Fax ufficio");
    for (int field = 0; field < CContactEditDlg::kFields; ++field)
        EXPECT_EQ(Find<QLineEdit>(dialog, CContactEditDlg::kEditIds[field])->maxLength(),
                  CContactEditDlg::kMaxLengths[field]);
    EXPECT_EQ(Edit(dialog, 12), "061234");
}

TEST_P(ContactEditDlgTest, OkCleansTheNumbersAndWantsANameAndANumber)
{
    const QString nameMissing = English() ? "Enter the contact's name" : "Inserire il nome del contatto";
    const QString numberMissing =
        English() ? "Enter at least one number for the contact" : "Inserire almeno un numero per il contatto";
    const struct {
        const char* name;
        QStringList fields;
        QString box;  // empty: accepted
    } cases[] = {
        {"no name", {QString(), {}, {}, {}, {}, {}, {}, {}, QStringLiteral("061234")}, nameMissing},
        {"letters and blanks", {QStringLiteral("Rossi"), {}, {}, {}, {}, {}, {}, {}, QStringLiteral("abc"), {}, QStringLiteral("  ")},
         numberMissing},
        {"own country prefix", {QStringLiteral("Rossi"), {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
                                QStringLiteral("+39 06-1234 56")}, QString()},
    };
    for (const auto& c : cases) {
        CContactEditDlg dialog;
        dialog.show();
        const std::vector<SeenMessageBox> boxes = PressOk(dialog, c.fields);
        if (c.box.isEmpty()) {
            EXPECT_TRUE(boxes.empty()) << c.name;
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.name;
        } else {
            ASSERT_EQ(boxes.size(), 1u) << c.name;
            EXPECT_EQ(boxes[0].text, c.box) << c.name;
            EXPECT_EQ(boxes[0].title, "Fonivra") << c.name;
            EXPECT_EQ(boxes[0].icon, QMessageBox::Critical) << c.name;
            EXPECT_TRUE(dialog.isVisible()) << c.name;
        }
    }
    // The cleaned numbers are shown and handed back; letters and blanks leave nothing.
    CContactEditDlg dialog;
    dialog.show();
    PressOk(dialog, {QStringLiteral("Rossi"), {}, {}, {}, {}, {}, {}, {}, QStringLiteral("ab c"), {}, {}, {}, {}, {}, {},
                     QStringLiteral("+39 06-1234 56")});
    EXPECT_EQ(dialog.Fields()[15], "06123456");
    EXPECT_EQ(Edit(dialog, 15), "06123456");
    EXPECT_EQ(Edit(dialog, 8), "");
    EXPECT_EQ(dialog.Fields()[0], "Rossi");
}

TEST_P(ContactEditDlgTest, CancelKeepsTheFieldsGiven)
{
    CContactEditDlg dialog;
    dialog.SetFields({QStringLiteral("Rossi")});
    dialog.show();
    Find<QLineEdit>(dialog, CContactEditDlg::kEditIds[0])->setText(QStringLiteral("Verdi"));
    Find<QPushButton>(dialog, CContactEditDlg::kCancel)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Fields()[0], "Rossi");
}

CONSOLE_DIALOG_TEST_LANGUAGES(ContactEditDlgTest);

}  // namespace
