#include "messageboxprompt.h"

#include "language.h"

#include <QDir>
#include <QMessageBox>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxPrompt, BoxesInBothLanguages)
{
    QDir().mkpath(QStringLiteral(SCREENSHOT_FOLDER));
    for (const int language : {kLanguageEnglish, kLanguageItalian}) {
        SetLanguage(language);
        const QString suffix = language == kLanguageEnglish ? QStringLiteral("en") : QStringLiteral("it");
        const auto usage = MessageBoxPrompt::MakeUsageBox();
        const auto tooMany = MessageBoxPrompt::MakeTooManyInstancesBox();
        if (language == kLanguageEnglish) {
            EXPECT_EQ(usage->windowTitle(), QStringLiteral("Setuvar Helper"));
            EXPECT_EQ(usage->text(), QStringLiteral("Setuvar MSDE 2000 Helper\n\n/F <MSI File Name>\n/P <NewProductCode>\n"
                                                    "/K <NewPackageCode>\n/S <SA Password>"));
            EXPECT_EQ(tooMany->windowTitle(), QStringLiteral("Too many Instances"));
            EXPECT_TRUE(tooMany->text().startsWith(QStringLiteral("Setup has detected 16 Instances of MSDE")));
        }
        EXPECT_EQ(usage->standardButtons(), QMessageBox::Ok);
        for (const auto& [box, name] : {std::pair{usage.get(), QStringLiteral("usage")}, std::pair{tooMany.get(), QStringLiteral("too-many")}}) {
            box->show();
            EXPECT_TRUE(box->grab().save(QStringLiteral(SCREENSHOT_FOLDER "/%1-%2.png").arg(name, suffix)));
        }
    }
    SetLanguage(kLanguageNotChosen);
}

}  // namespace
