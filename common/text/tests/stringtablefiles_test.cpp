// Every string table of the tree lists each id once: the tables are merged by hand when branches meet, and
// a second line with the same id would silently win over the first.

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>

namespace {

class StringTableFile : public ::testing::TestWithParam<const char*> {};

TEST_P(StringTableFile, ListsEachIdOnce)
{
    QFile file(QStringLiteral(SUITE_SOURCE_DIR "/") + QString::fromLatin1(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << GetParam();
    std::map<QString, int> firstLine;
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString id = line.section(QLatin1Char('\t'), 0, 0);
        const auto [at, inserted] = firstLine.emplace(id, lineNumber);
        EXPECT_TRUE(inserted) << GetParam() << ": id " << id.toStdString() << " on lines " << at->second << " and "
                              << lineNumber;
    }
    EXPECT_FALSE(firstLine.empty()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Programs, StringTableFile,
                         ::testing::Values("common/text/strings.tsv", "common/rating/strings.tsv", "console/strings.tsv",
                                           "telephony/strings.tsv", "rating/strings.tsv", "hotel/strings.tsv",
                                           "updater/strings.tsv", "setup/strings.tsv"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

}  // namespace
