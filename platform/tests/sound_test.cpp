#include "sound.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Sound, FilesThatAreNoWaveAreNotPlayed)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("TapRngSnd.psx"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a sound at all");
    file.close();
    for (const QString& path : {dir.filePath(QStringLiteral("Missing.psx")), text, QString()})
        EXPECT_FALSE(Sound::PlayAsync(path)) << path.toStdString();
}

TEST(Sound, WithoutAnAudioOutputAWaveIsSilent)
{
    if (Sound::HasAudioOutput())
        GTEST_SKIP() << "this machine has an audio output";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ring.wav"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // A WAV header of 8-bit mono at 8 kHz with no samples.
    const char header[] = "RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0data\0\0\0\0";
    file.write(header, sizeof(header) - 1);
    file.close();
    EXPECT_FALSE(Sound::PlayAsync(path));
    EXPECT_FALSE(Sound::DefaultPlayer()(path));
}

TEST(Sound, ALoopOfAFileThatIsNoWaveDoesNotStartAndStopAlwaysReturns)
{
    QTemporaryDir dir;
    EXPECT_FALSE(Sound::PlayLoop(dir.filePath(QStringLiteral("AlarmSnd.psx"))));
    EXPECT_FALSE(Sound::PlayLoop(QString()));
    Sound::Stop();
    Sound::Stop();
}
