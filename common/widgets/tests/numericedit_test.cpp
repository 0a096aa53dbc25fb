#include "numericedit.h"

#include "widgettesting.h"

#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A control inside a window, with the notifications it sent.
struct EditFixture {
    QWidget window;
    CNumericEdit* edit = new CNumericEdit(&window);
    std::vector<int> codes;

    EditFixture()
    {
        QObject::connect(edit, &CNumericEdit::Notify, [this](int code) { codes.push_back(code); });
    }
    void Type(const QString& text) { QTest::keyClicks(edit, text); }
    void Enter() { QTest::keyClick(edit, Qt::Key_Return); }
};

TEST(NumericEdit, ShowsTheValueInEachFormatClampedIntoTheRange)
{
    EditFixture f;
    EXPECT_EQ(f.edit->text(), QStringLiteral("0.00"));  // a fresh control
    f.edit->SetRangeAndValue(0, 100, 150);
    EXPECT_EQ(f.edit->text(), QStringLiteral("100.00"));
    EXPECT_EQ(f.edit->GetValue(), 100.0);
    f.edit->SetFormat(CNumericEdit::kInteger, 2, 3);
    f.edit->SetValue(7.9);
    EXPECT_EQ(f.edit->text(), QStringLiteral("007"));
    f.edit->SetRange(-1000, 1000);
    f.edit->SetValue(-7.9);
    EXPECT_EQ(f.edit->text(), QStringLiteral("-07"));
    f.edit->SetFormat(CNumericEdit::kHexadecimal, 2, 4);
    f.edit->SetValue(255);
    EXPECT_EQ(f.edit->text(), QStringLiteral("00ff"));
    f.edit->SetFormat(CNumericEdit::kDecimals, 4, 0);
    EXPECT_EQ(f.edit->text(), QStringLiteral("255.0000"));
    f.edit->SetMaximum(10);
    EXPECT_EQ(f.edit->text(), QStringLiteral("10.0000"));
    f.edit->SetFormatMode(7);  // no format: the text stays as it was
    f.edit->SetValue(3);
    EXPECT_EQ(f.edit->text(), QStringLiteral("10.0000"));
    EXPECT_EQ(f.edit->GetValue(), 3.0);
}

TEST(NumericEdit, ParsesHexadecimalDigitsCountingOthersAsZero)
{
    EXPECT_EQ(CNumericEdit::ParseHex(QStringLiteral("1A")), 26.0);
    EXPECT_EQ(CNumericEdit::ParseHex(QStringLiteral("ff")), 255.0);
    EXPECT_EQ(CNumericEdit::ParseHex(QStringLiteral("1g")), 16.0);
    EXPECT_EQ(CNumericEdit::ParseHex(QString()), 0.0);
}

TEST(NumericEdit, CommitsOnEnterThenAnnouncesReturnAndCommitted)
{
    EditFixture f;
    f.edit->SetFormat(CNumericEdit::kHexadecimal, 0, 4);
    f.edit->clear();
    f.Type(QStringLiteral("1A"));
    f.Enter();
    EXPECT_EQ(f.edit->GetValue(), 26.0);
    EXPECT_EQ(f.edit->text(), QStringLiteral("001a"));
    EXPECT_EQ(f.edit->selectedText(), QStringLiteral("001a"));
    EXPECT_EQ(f.codes, (std::vector<int>{CNumericEdit::kReturnCode, CNumericEdit::kCommittedCode}));

    // Enter on an empty text: 0, held at a minimum above it.
    f.edit->SetFormat(CNumericEdit::kDecimals, 2, 0);
    f.edit->SetRange(5, 50);
    f.edit->clear();
    f.Enter();
    EXPECT_EQ(f.edit->GetValue(), 5.0);
    f.edit->SetRange(-5, 50);
    f.edit->setText(QStringLiteral("12.5abc"));
    f.Enter();
    EXPECT_EQ(f.edit->GetValue(), 12.5);
}

TEST(NumericEdit, CommitsOnFocusLossAndAnnouncesTheFocus)
{
    EditFixture f;
    auto other = new QLineEdit(&f.window);
    f.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.window));
    f.window.activateWindow();
    f.edit->setFocus();
    QTRY_VERIFY(f.edit->hasFocus());
    f.edit->setText(QStringLiteral("42"));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    EXPECT_EQ(f.edit->GetValue(), 42.0);
    EXPECT_EQ(f.edit->text(), QStringLiteral("42.00"));
    EXPECT_EQ(f.codes, (std::vector<int>{CNumericEdit::kSetFocusCode, CNumericEdit::kKillFocusCode,
                                         CNumericEdit::kCommittedCode}));
}

TEST(NumericEdit, FiltersTypingByFormat)
{
    struct Case {
        short mode;
        QString start;
        QString typed;
        QString expected;
    };
    const Case cases[] = {
        {CNumericEdit::kDecimals, QString(), QStringLiteral("-1.5"), QStringLiteral("-1.5")},
        {CNumericEdit::kDecimals, QStringLiteral("12"), QStringLiteral("-"), QStringLiteral("12")},  // only first
        {CNumericEdit::kDecimals, QString(), QStringLiteral(".5"), QStringLiteral("5")},   // never first
        {CNumericEdit::kDecimals, QStringLiteral("1.5"), QStringLiteral("."), QStringLiteral("1.5")},  // once
        {CNumericEdit::kInteger, QStringLiteral("7"), QStringLiteral("abc"), QStringLiteral("7")},
        {CNumericEdit::kInteger, QStringLiteral("7"), QStringLiteral("."), QStringLiteral("7")},
        {CNumericEdit::kInteger, QString(), QStringLiteral("-3%'"), QStringLiteral("-3%'")},
        {CNumericEdit::kHexadecimal, QString(), QStringLiteral("aFg9-"), QStringLiteral("aF9")},
    };
    for (const Case& c : cases) {
        EditFixture f;
        f.edit->SetFormat(c.mode, 2, 0);
        f.edit->setText(c.start);
        f.edit->end(false);
        f.Type(c.typed);
        EXPECT_EQ(f.edit->text(), c.expected) << c.mode << " " << c.typed.toStdString();
    }
}

TEST(NumericEdit, ReadOnlyIgnoresTypingEnterAndDeleteButShowsValues)
{
    EditFixture f;
    f.edit->SetReadOnly(1);
    f.edit->SetValue(3);
    f.edit->home(false);
    f.Type(QStringLiteral("9"));
    QTest::keyClick(f.edit, Qt::Key_Delete);
    QTest::keyClick(f.edit, Qt::Key_Backspace);
    f.Enter();
    EXPECT_EQ(f.edit->text(), QStringLiteral("3.00"));
    EXPECT_TRUE(f.codes.empty());
    f.edit->SetValue(4);
    EXPECT_EQ(f.edit->text(), QStringLiteral("4.00"));
    EXPECT_EQ(f.edit->IsReadOnly(), 1);
}

TEST(NumericEdit, WithoutParentAnnouncesNothing)
{
    CNumericEdit edit;
    int announced = 0;
    QObject::connect(&edit, &CNumericEdit::Notify, [&](int) { ++announced; });
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("5"));
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.GetValue(), 5.0);
    EXPECT_EQ(announced, 0);
}

TEST(NumericEdit, KeepsColoursAndFontDescription)
{
    EditFixture f;
    f.edit->SetColors(0x0000FF, 0x00FFFF);
    EXPECT_EQ(f.edit->GetTextColor(), 0x0000FFu);
    EXPECT_EQ(f.edit->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(f.edit->palette().color(QPalette::Base), QColor(255, 255, 0));
    f.edit->SetTextColor(0x00FF00);
    EXPECT_EQ(f.edit->palette().color(QPalette::Text), QColor(0, 255, 0));

    f.edit->SetItalic(1);
    EXPECT_TRUE(f.edit->IsItalic());
    EXPECT_TRUE(f.edit->font().italic());
    f.edit->SetItalic(0);
    EXPECT_FALSE(f.edit->IsItalic());
    f.edit->SetBold(true);
    EXPECT_TRUE(f.edit->IsBold());
    EXPECT_EQ(f.edit->font().weight(), QFont::Bold);
    f.edit->SetLogFont(-20, 0, 0, 0, 400, 0, 1, 0, 0, 0, 0, 0, 0, QStringLiteral("DejaVu Sans"));
    EXPECT_FALSE(f.edit->IsBold());
    EXPECT_EQ(f.edit->GetFontName(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(f.edit->font().pixelSize(), 20);
    EXPECT_TRUE(f.edit->font().underline());
    f.edit->AdjustFontHeight(4);
    EXPECT_EQ(f.edit->GetFontHeight(), -24);
    EXPECT_EQ(f.edit->font().pixelSize(), 24);
    f.edit->SetFontName(QStringLiteral("Liberation Sans"));
    EXPECT_EQ(f.edit->GetLogFont().FaceName(), QStringLiteral("Liberation Sans"));
    f.edit->SetValue(12.5);
    f.window.resize(200, 60);
    f.edit->setGeometry(10, 10, 180, 40);
    SaveScreenshot(f.window, QStringLiteral("numeric_edit"));
}

}  // namespace
