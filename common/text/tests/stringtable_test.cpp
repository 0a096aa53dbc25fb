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

namespace {

TEST(CommonStrings, ResultCodeAndStateTexts)
{
    const StringTable common = StringTable::FromResource(QStringLiteral(":/strings/common.tsv"));
    EXPECT_EQ(common.Text(15000, false), QStringLiteral("Nessun errore"));
    EXPECT_EQ(common.Text(15030, false), common.Text(15031, false));
    EXPECT_EQ(common.Text(15062, true), QStringLiteral("Error in the installation of the application."));
    EXPECT_EQ(common.Text(14006, false), QStringLiteral("NON LO SO"));
    EXPECT_EQ(common.Text(14011, false), common.Text(14006, false));
    EXPECT_EQ(common.Text(14021, false), QStringLiteral("PRENOTAZIONE"));
    for (unsigned code = 0; code <= 62; ++code)
        EXPECT_FALSE(common.Text(15000 + code, false).isEmpty()) << code;
}

}  // namespace
