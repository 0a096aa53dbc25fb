// The player of recordings: its playing time, the messages of a play from start to end through the
// audio output's silent back end, the stop, the formats it refuses, and the match of a call to its
// recording.
#include "recordingmatch.h"
#include "recordingplayer.h"

#include "binaryrecord.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <mutex>

namespace {

// A WAVE file of linear samples (or of a format given whole), 44-byte header.
QByteArray Wave(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, qsizetype bytes)
{
    QByteArray wave("RIFF\0\0\0\0WAVEfmt \x10\0\0\0", 20);
    QByteArray fields(16, '\0');
    PutU16(fields, 0, tag);
    PutU16(fields, 2, channels);
    PutU32(fields, 4, rate);
    PutU32(fields, 8, rate * channels * bits / 8);
    PutU16(fields, 12, static_cast<std::uint16_t>(channels * bits / 8));
    PutU16(fields, 14, bits);
    wave += fields + QByteArray("data", 4);
    QByteArray size(4, '\0');
    PutU32(size, 0, static_cast<std::uint32_t>(bytes));
    wave += size + QByteArray(bytes, '\x80');
    PutU32(wave, 4, static_cast<std::uint32_t>(wave.size() - 8));
    return wave;
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The window's side: every post, in order.
class Posts : public MessageTarget {
public:
    struct Entry {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        std::lock_guard lock(m_mutex);
        m_posts.push_back({message, wParam, lParam});
    }
    std::vector<Entry> All() const
    {
        std::lock_guard lock(m_mutex);
        return m_posts;
    }
    bool Has(std::uint32_t message) const
    {
        for (const Entry& post : All())
            if (post.message == message)
                return true;
        return false;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Entry> m_posts;
};

TEST(PlayingSeconds, FromTheFormatAndRefusedForZeros)
{
    struct Case {
        qint64 bytes;
        int channels;
        std::uint32_t rate;
        int bits;
        std::optional<std::uint32_t> seconds;
    };
    const Case cases[] = {
        {24000, 1, 8000, 8, 3},       {96000, 2, 8000, 16, 3},  {23999, 1, 8000, 8, 2},
        {0, 1, 8000, 8, 0},           {24000, 0, 8000, 8, {}},  {24000, 1, 0, 8, {}},
        {24000, 1, 8000, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlayingSeconds(c.bytes, c.channels, c.rate, c.bits), c.seconds) << c.bytes << " " << c.channels;
}

class PlayerTest : public ::testing::Test {
protected:
    QString Recording(const QByteArray& wave)
    {
        const QString path = m_folder.filePath(QStringLiteral("recording.wav"));
        EXPECT_TRUE(Write(path, wave));
        return path;
    }

    QTemporaryDir m_folder;
    Posts m_posts;
    Event m_stop{Event::Reset::Automatic};
};

TEST_F(PlayerTest, AThreeSecondRecordingTicksEndsAndLeavesNoFile)
{
    const QString path = Recording(Wave(1, 1, 8000, 8, 24000));
    CRecordingPlayer player(m_posts, m_stop);
    ASSERT_TRUE(player.Start(path));
    ASSERT_TRUE(WaitFor([&] { return m_posts.Has(CRecordingPlayer::kEnded); }, 10000));
    player.Join();
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(QFile::exists(path));
    const auto posts = m_posts.All();
    ASSERT_GE(posts.size(), 4u);
    EXPECT_EQ(posts.front().message, CRecordingPlayer::kStarted);
    EXPECT_EQ(posts.front().wParam, 3u);
    EXPECT_EQ(posts.front().lParam, static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(&m_stop)));
    EXPECT_EQ(posts.back().message, CRecordingPlayer::kEnded);
    // A tick per second played, counting up: the silent output takes the samples at their byte rate.
    std::uint64_t expected = 1;
    for (std::size_t i = 1; i + 1 < posts.size(); ++i) {
        EXPECT_EQ(posts[i].message, CRecordingPlayer::kTick);
        EXPECT_EQ(posts[i].wParam, expected++);
    }
    EXPECT_GE(expected, 3u);  // at least two ticks
}

TEST_F(PlayerTest, TheStopEventEndsThePlaying)
{
    // A companded recording of a minute: it is expanded to 16 bits and stopped after its first second.
    const QString path = Recording(Wave(7, 1, 8000, 8, 8000 * 60));
    CRecordingPlayer player(m_posts, m_stop);
    ASSERT_TRUE(player.Start(path));
    ASSERT_TRUE(WaitFor([&] { return m_posts.Has(CRecordingPlayer::kTick); }, 10000));
    m_stop.Set();
    ASSERT_TRUE(WaitFor([&] { return m_posts.Has(CRecordingPlayer::kEnded); }, 10000));
    player.Join();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_LT(m_posts.All().size(), 10u);
    // The stop stays signalled until the next play resets it.
    EXPECT_TRUE(m_stop.IsSignalled());
}

TEST_F(PlayerTest, RefusesWhatItCannotPlayAndKeepsTheFile)
{
    const QByteArray refused[] = {Wave(1, 0, 8000, 8, 100), Wave(1, 1, 0, 8, 100), Wave(1, 1, 8000, 0, 100),
                                  QByteArray("not a wave file")};
    for (const QByteArray& wave : refused) {
        const QString path = Recording(wave);
        CRecordingPlayer player(m_posts, m_stop);
        EXPECT_FALSE(player.Start(path));
        EXPECT_TRUE(QFile::exists(path));
    }
    EXPECT_TRUE(m_posts.All().empty());
}

TEST_F(PlayerTest, DestroyingItWhilePlayingStopsAndJoins)
{
    const QString path = Recording(Wave(1, 2, 8000, 16, 32000 * 60));
    {
        CRecordingPlayer player(m_posts, m_stop);
        ASSERT_TRUE(player.Start(path));
        ASSERT_TRUE(WaitFor([&] { return m_posts.Has(CRecordingPlayer::kStarted); }, 10000));
    }
    EXPECT_TRUE(m_posts.Has(CRecordingPlayer::kEnded));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(RecordingMatch, SameExtensionOrLineWithinTheCallFirstByTime)
{
    const auto recording = [](int first, int second, const OleDate& time) {
        RecordingInfo info;
        info.firstParty = first;
        info.secondParty = second;
        info.time = time;
        return info;
    };
    const OleDate start(2026, 11, 30, 23, 59, 0);
    const OleDate end(2026, 12, 1, 0, 1, 0);
    const std::vector<RecordingInfo> recordings{
        recording(256 + 4, 512 + 1, OleDate(2026, 12, 1, 0, 0, 30)),   // 0: extension 4, later
        recording(256 + 4, 512 + 1, OleDate(2026, 11, 30, 23, 59, 10)),  // 1: extension 4, earlier
        recording(256 + 7, 512 + 2, OleDate(2026, 11, 30, 23, 59, 5)),   // 2: line 2 only
        recording(256 + 4, 512 + 1, OleDate(2026, 12, 1, 0, 1, 1)),      // 3: after the end
        recording(256 + 9, 256 + 4, start),                              // 4: extension 4 second, at the start
    };
    struct Case {
        int extension;
        std::optional<int> line;
        std::optional<std::size_t> found;
    };
    const Case cases[] = {
        {4, std::nullopt, 4},  // the one at the start comes first
        {7, std::nullopt, 2}, {5, 2, 2}, {5, std::nullopt, std::nullopt}, {5, 3, std::nullopt}, {9, std::nullopt, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchRecording(recordings, c.extension, c.line, start, end), c.found) << c.extension;
    EXPECT_EQ(MatchRecording(recordings, 4, std::nullopt, OleDate(2026, 12, 1, 0, 0, 0), end), std::optional<std::size_t>(0));
    EXPECT_EQ(MatchRecording({}, 4, 1, start, end), std::nullopt);
}

}  // namespace
