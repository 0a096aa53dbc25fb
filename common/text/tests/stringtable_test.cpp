#include "stringtable.h"

#include "language.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

class LanguageGuard {
public:
    explicit LanguageGuard(int language) : m_saved(CurrentLanguage()) { SetLanguage(language); }
    ~LanguageGuard() { SetLanguage(m_saved); }

private:
    int m_saved;
};

TEST(LoadResString, LanguageTwoIsEnglishAnythingElseItalian)
{
    {
        LanguageGuard english(kLanguageEnglish);
        EXPECT_EQ(LoadResString(1), QStringLiteral("One"));
        EXPECT_EQ(LoadResString(2), QStringLiteral("Solo italiano"));  // no English: the Italian text
        EXPECT_EQ(QLocale().name(), QStringLiteral("en_GB"));
    }
    for (int language : {kLanguageNotChosen, kLanguageItalian, 7}) {
        LanguageGuard other(language);
        EXPECT_EQ(LoadResString(1), QStringLiteral("Uno"));
        EXPECT_EQ(QLocale().name(), QStringLiteral("it_IT"));
    }
}

TEST(LoadResString, ProgramTableComesBeforeTheCommonOne)
{
    LanguageGuard italian(kLanguageItalian);
    EXPECT_EQ(LoadResString(1010), QStringLiteral("Codice errore del programma: "));
    EXPECT_EQ(StringTable::FromResource(QStringLiteral(":/strings/common.tsv")).Text(1010, false),
              QStringLiteral("Codice errore: "));
}

TEST(LoadResString, UnknownIdGivesEmptyText)
{
    EXPECT_TRUE(LoadResString(99999).isEmpty());
}

TEST(LoadResString, LongTextIsReturnedWhole)
{
    EXPECT_EQ(LoadResString(4), QString(250, u'L'));
}

TEST(LoadResString, EscapesAndNonAsciiTexts)
{
    LanguageGuard italian(kLanguageItalian);
    EXPECT_EQ(LoadResString(3), QStringLiteral("Riga uno\nRiga due\tcon tab e \\ barra"));
    EXPECT_EQ(LoadResString(5), QStringLiteral("àèì €"));
    LanguageGuard english(kLanguageEnglish);
    EXPECT_EQ(LoadResString(5), QStringLiteral("Euro €"));  // CR LF line end dropped
}

TEST(StringTable, MalformedLinesAreSkipped)
{
    const StringTable table = StringTable::Parse("abc\tx\n12\n13\tok\n\n# 14\tcomment\n");
    EXPECT_EQ(table.Size(), 1);
    EXPECT_EQ(table.Text(13, true), QStringLiteral("ok"));
}

}  // namespace
