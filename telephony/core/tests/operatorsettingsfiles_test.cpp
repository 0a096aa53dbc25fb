// The operator console's five settings files: sizes and tags, defaults at their offsets, the partial
// load, whole writes, and the toolbar's rows filled from older main settings.
#include "operatorsettingsfiles.h"

#include "binaryrecord.h"
#include "taggedrecordfile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>

namespace {

const OleDate kNow(2024, 6, 10, 12, 0, 0);

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray Tag(std::uint64_t bits)
{
    QByteArray tag(8, '\0');
    PutU32(tag, 0, static_cast<std::uint32_t>(bits));
    PutU32(tag, 4, static_cast<std::uint32_t>(bits >> 32));
    return tag;
}

struct FileCase {
    QString name;
    qint64 length;
    double tag;
    std::function<bool(const QString&)> save;
};

TEST(OperatorSettingsFiles, EachFileIsItsTagAndItsRecord)
{
    QTemporaryDir folder;
    const FileCase cases[] = {
        {MainSettings::kFileName, 5144, 9.19123, [](const QString& f) { return SaveMainSettingsFile(f, MainSettings(kNow)); }},
        {OfficePluginSettings::kFileName, 2896, 44.23123,
         [](const QString& f) { return SaveOfficePluginFile(f, OfficePluginSettings()); }},
        {Service2PluginSettings::kFileName, 1164, 96.17625,
         [](const QString& f) { return SaveService2PluginFile(f, Service2PluginSettings()); }},
        {Service3PluginSettings::kFileName, 14, 84.2233,
         [](const QString& f) { return SaveService3PluginFile(f, Service3PluginSettings()); }},
        {ToolbarSettings::kFileName, 1208, 67.132432, [](const QString& f) { return SaveToolbarFile(f, ToolbarSettings()); }},
    };
    for (const FileCase& c : cases) {
        ASSERT_TRUE(c.save(folder.path())) << c.name.toStdString();
        const QByteArray bytes = ReadAll(folder.filePath(c.name));
        EXPECT_EQ(bytes.size(), c.length) << c.name.toStdString();
        EXPECT_EQ(GetF64(bytes, 0), c.tag) << c.name.toStdString();
    }
}

TEST(OperatorSettingsFiles, DefaultsAtTheirOffsets)
{
    const QByteArray main = MainSettings(kNow).Bytes();
    struct ByteCase {
        qsizetype offset;
        int value;
    };
    for (qsizetype section = 0; section < 4; ++section) {
        const qsizetype base = section * 472;
        for (const ByteCase& c : {ByteCase{0, 1}, ByteCase{1, 1}, ByteCase{2, 8}, ByteCase{3, 0}, ByteCase{12, 1},
                                  ByteCase{267, 1}})
            EXPECT_EQ(GetU8(main, base + c.offset), c.value) << "section " << section << " byte " << c.offset;
        EXPECT_EQ(GetU32(main, base + 4), 10u);
        EXPECT_EQ(GetU32(main, base + 8), 5u);
        EXPECT_EQ(GetU32(main, base + 448), 0x601400u);
        EXPECT_EQ(GetU32(main, base + 460), 0xFFECCCu);
    }
    // Fonts: heights by section and slot, Courier New bold; the relay section has one font only.
    const LogFont extensionFirst = LogFont::FromBytes(main, 268);
    EXPECT_EQ(extensionFirst.Height(), -13);
    EXPECT_EQ(extensionFirst.Weight(), 700);
    EXPECT_EQ(extensionFirst.FaceName(), QStringLiteral("Courier New"));
    EXPECT_EQ(extensionFirst.OutPrecision(), 3);
    EXPECT_EQ(extensionFirst.ClipPrecision(), 2);
    EXPECT_EQ(extensionFirst.Quality(), 2);
    EXPECT_EQ(extensionFirst.PitchAndFamily(), 0x31);
    EXPECT_EQ(LogFont::FromBytes(main, 328).Height(), -11);
    EXPECT_EQ(LogFont::FromBytes(main, 388).Height(), -9);
    EXPECT_EQ(LogFont::FromBytes(main, 472 + 268).Height(), -11);
    EXPECT_EQ(LogFont::FromBytes(main, 472 + 328).Height(), -9);
    EXPECT_EQ(LogFont::FromBytes(main, 3 * 472 + 328), LogFont());
    EXPECT_EQ(GetU32(main, 452), 0x601400u);
    EXPECT_EQ(GetU32(main, 472 + 452), 0xFFu);
    EXPECT_EQ(GetU32(main, 3 * 472 + 452), 0u);
    EXPECT_EQ(GetU32(main, 456), 0xFFu);
    EXPECT_EQ(GetU32(main, 464), 11u);
    EXPECT_EQ(GetU32(main, 468), 11u);
    EXPECT_EQ(main.mid(1888, 660), QByteArray(660, '\0'));
    EXPECT_EQ(main.mid(2552, 256 + 2048), QByteArray(256 + 2048, '\0'));
    EXPECT_EQ(main.mid(4856, 256), QByteArray(256, '\1'));
    EXPECT_EQ(main.mid(5112, 3), QByteArray("\0\1\1", 3));
    EXPECT_EQ(GetF64(main, 5120), kNow.Value());
    EXPECT_EQ(main.mid(5128, 8), QByteArray(8, '\0'));

    const QByteArray office = OfficePluginSettings().Bytes();
    EXPECT_EQ(office.at(0), 0x0B);
    EXPECT_EQ(office.mid(1), QByteArray(2887, '\0'));
    EXPECT_TRUE(OfficePluginSettings().MessagesInUse());
    EXPECT_FALSE(OfficePluginSettings().CallFilterInUse());

    const QByteArray second = Service2PluginSettings().Bytes();
    EXPECT_EQ(second.left(132), QByteArray(1, '\0') + QByteArray(1, '\xFF') + QByteArray(130, '\0'));
    EXPECT_EQ(second.mid(132), QByteArray(1024, '\1'));
    EXPECT_EQ(Service3PluginSettings().Bytes(), QByteArray(6, '\0'));
    EXPECT_EQ(ToolbarSettings().Bytes(), QByteArray(1200, '\0'));
}

TEST(OperatorSettingsFiles, APartialFileIsTakenOverAsFarAsItReaches)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(MainSettings::kFileName);
    ASSERT_TRUE(WriteAll(path, Tag(MainSettings::kTagBits) + QByteArray(5000, '\x07')));
    MainSettings settings(kNow);
    EXPECT_FALSE(LoadMainSettingsFile(folder.path(), settings));
    EXPECT_EQ(settings.Bytes().left(5000), QByteArray(5000, '\x07'));
    EXPECT_EQ(settings.MissedCallReference(), kNow);  // beyond the file: the default
    ASSERT_TRUE(SaveMainSettingsFile(folder.path(), settings));
    EXPECT_EQ(QFile(path).size(), 5144);
    MainSettings again(OleDate(2000, 1, 1));
    EXPECT_TRUE(LoadMainSettingsFile(folder.path(), again));
    EXPECT_EQ(again.Bytes(), settings.Bytes());

    // Longer than the record: the record's bytes are read, and the load is still false.
    ASSERT_TRUE(WriteAll(path, Tag(MainSettings::kTagBits) + QByteArray(6000, '\x05')));
    EXPECT_FALSE(LoadMainSettingsFile(folder.path(), again));
    EXPECT_EQ(again.Bytes(), QByteArray(5136, '\x05'));
}

TEST(OperatorSettingsFiles, AnotherTagOrNoFileLeavesTheRecord)
{
    QTemporaryDir folder;
    OfficePluginSettings settings;
    EXPECT_FALSE(LoadOfficePluginFile(folder.path(), settings));
    ASSERT_TRUE(WriteAll(folder.filePath(OfficePluginSettings::kFileName),
                         Tag(OfficePluginSettings::kTagBits ^ 1) + QByteArray(2888, '\x03')));
    EXPECT_FALSE(LoadOfficePluginFile(folder.path(), settings));
    EXPECT_EQ(settings.Bytes(), OfficePluginSettings().Bytes());
    ASSERT_TRUE(WriteAll(folder.filePath(OfficePluginSettings::kFileName), Tag(OfficePluginSettings::kTagBits).left(5)));
    EXPECT_FALSE(LoadOfficePluginFile(folder.path(), settings));
    EXPECT_EQ(settings.Bytes(), OfficePluginSettings().Bytes());

    ASSERT_TRUE(WriteAll(folder.filePath(Service3PluginSettings::kFileName),
                         Tag(Service3PluginSettings::kTagBits) + QByteArray("\x01\x02\x03\x04\x05\x06", 6)));
    Service3PluginSettings third;
    EXPECT_TRUE(LoadService3PluginFile(folder.path(), third));
    EXPECT_TRUE(third.InUse());
    EXPECT_EQ(third.Bytes(), QByteArray("\x01\x02\x03\x04\x05\x06", 6));
}

TEST(OperatorSettingsFiles, ASaveThatCannotBeWrittenSaysSo)
{
    QTemporaryDir folder;
    EXPECT_FALSE(SaveMainSettingsFile(folder.filePath(QStringLiteral("missing/folder")), MainSettings(kNow)));
}

TEST(ToolbarSettingsFilling, LabelsStopBeforeTheFlags)
{
    MainSettings main(kNow);
    main.SetButtonLabel(0, QString(49, u'L'));
    main.SetButtonNumber(0, 0, QStringLiteral("0612345"));
    main.SetButtonNumber(0, 2, QString(19, u'9'));
    main.SetButtonLabel(5, QStringLiteral("Reception"));
    ToolbarSettings toolbar;
    toolbar.FillFromMainSettings(main);
    EXPECT_EQ(toolbar.Label(0), QString(47, u'L'));
    EXPECT_EQ(toolbar.Flag(0, 0), 0);
    EXPECT_EQ(toolbar.Flag(0, 1), 0);
    EXPECT_EQ(toolbar.Number(0, 0), QStringLiteral("0612345"));
    EXPECT_EQ(toolbar.Number(0, 1), QString());
    EXPECT_EQ(toolbar.Number(0, 2), QString(19, u'9'));
    EXPECT_EQ(toolbar.Label(5), QStringLiteral("Reception"));
    EXPECT_EQ(toolbar.Bytes().mid(50, 8), QByteArray("0612345\0", 8));
    EXPECT_EQ(toolbar.Bytes().mid(5 * 200, 10), QByteArray("Reception\0", 10));
}

}  // namespace
