#include "language.h"
#include "qttranslation.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

QString ButtonText(const QMessageBox& box, QMessageBox::StandardButton which)
{
    return box.button(which)->text().remove(u'&');
}

// Qt's standard buttons speak the suite's language, and follow it when the language changes while the
// program runs: the catalogue installed before gives way to the new one.
TEST(QtTranslation, QuestionBoxButtonsFollowTheSuitesLanguage)
{
    struct Case {
        int language;
        const char* yes;
        const char* no;
        const char* screenshot;
    };
    const Case cases[] = {
        {kLanguageItalian, "Sì", "No", "qtquestionbox_it"},
        {kLanguageEnglish, "Yes", "No", "qtquestionbox_en"},
        {kLanguageNotChosen, "Sì", "No", nullptr},  // no stored choice reads as Italian
        {kLanguageEnglish, "Yes", "No", nullptr},
    };
    for (const Case& c : cases) {
        SetLanguage(c.language);
        EXPECT_TRUE(InstallQtTranslation(c.language)) << "Qt's catalogue for language " << c.language;
        QMessageBox box(QMessageBox::Question, QStringLiteral("Tarivo"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(ButtonText(box, QMessageBox::Yes), QString::fromUtf8(c.yes)) << c.language;
        EXPECT_EQ(ButtonText(box, QMessageBox::No), QString::fromUtf8(c.no)) << c.language;
        if (c.screenshot) {
            const QString folder = QStringLiteral(SUITE_SCREENSHOT_DIR);
            QDir().mkpath(folder);
            box.show();
            box.grab().save(folder + u'/' + QString::fromLatin1(c.screenshot) + QStringLiteral(".png"));
        }
    }
    SetLanguage(kLanguageItalian);
}

}  // namespace
