#include "gif89a.h"

#include <QFile>
#include <QMovie>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A 1 x 1 animation of two frames, red then green, looping for ever: the smallest GIF89a that still
// animates. Each frame's LZW data is the clear code, one pixel's colour index and the end code.
QByteArray TwoFrameGif()
{
    QByteArray gif("GIF89a");
    gif += QByteArray("\x01\x00\x01\x00\x81\x00\x00", 7);                        // screen 1 x 1, 4 colours
    gif += QByteArray("\xff\x00\x00" "\x00\xff\x00" "\x00\x00\xff" "\xff\xff\xff", 12);
    gif += QByteArray("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);     // loop for ever
    const char* frameData[] = {"\x44\x01", "\x4c\x01"};                          // index 0, index 1
    for (const char* data : frameData) {
        gif += QByteArray("\x21\xf9\x04\x00\x0a\x00\x00\x00", 8);               // 100 ms
        gif += QByteArray("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
        gif += QByteArray("\x02\x02", 2) + QByteArray(data, 2) + QByteArray(1, '\0');
    }
    gif += ';';
    return gif;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

TEST(Gif89a, PlaysTheNamedAnimation)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, QStringLiteral("WConImg.psx"), TwoFrameGif());
    CGif89a picture;
    picture.SetFileName(path);
    EXPECT_EQ(picture.GetFileName(), path);
    ASSERT_NE(picture.Movie(), nullptr);
    EXPECT_EQ(picture.movie(), picture.Movie());
    EXPECT_EQ(picture.Movie()->frameCount(), 2);
    EXPECT_EQ(picture.Movie()->state(), QMovie::Running);

    ASSERT_TRUE(picture.Movie()->jumpToFrame(0));
    EXPECT_EQ(picture.Movie()->currentImage().pixelColor(0, 0), QColor(Qt::red));
    ASSERT_TRUE(picture.Movie()->jumpToFrame(1));
    EXPECT_EQ(picture.Movie()->currentImage().pixelColor(0, 0), QColor(Qt::green));
}

TEST(Gif89a, MissingOrForeignFileLeavesThePictureEmpty)
{
    QTemporaryDir dir;
    const QString good = WriteFile(dir, QStringLiteral("TapIncImg.psx"), TwoFrameGif());
    const QString foreign = WriteFile(dir, QStringLiteral("TapEndImg.psx"), QByteArray("not a picture"));
    for (const QString& path : {dir.filePath(QStringLiteral("Missing.psx")), foreign}) {
        CGif89a picture;
        picture.SetFileName(good);
        picture.SetFileName(path);  // replaces the animation shown before
        EXPECT_EQ(picture.GetFileName(), path);
        EXPECT_EQ(picture.Movie(), nullptr);
        EXPECT_EQ(picture.movie(), nullptr);
    }
}

}  // namespace
