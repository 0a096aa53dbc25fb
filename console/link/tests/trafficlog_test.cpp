#include "trafficlog.h"

#include "channeltesting.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(TrafficLog, LineHasStampTagTextResultCodeAndBytesEndingInCrLf)
{
    const Bytes bytes = {0x16, 0x16, 0x1E, 0x00};
    EXPECT_EQ(CTrafficLog::FormatLine(0x00000001'0000ABCDull, TrafficKind::kSerial, "SERIAL0 SEND PACKET", true, 0, bytes),
              "10000abcd\tSERIAL:\tSERIAL0 SEND PACKET\tSUCCESS\t0\t16\t16\t1e\t00\r\n");
    EXPECT_EQ(CTrafficLog::FormatLine(0xABCDEF12'00000042ull, TrafficKind::kSerial, "SERIAL1 SEND PACKET", false, 19, {}),
              "abcdef1200000042\tSERIAL:\tSERIAL1 SEND PACKET\tFAIL\t19\r\n");
}

TEST(TrafficLog, EachKindHasItsTag)
{
    const struct {
        TrafficKind kind;
        const char* line;
    } cases[] = {
        {TrafficKind::kSerial, "000000000\tSERIAL:\tx\tSUCCESS\t0\r\n"},
        {TrafficKind::kIpServer, "000000000\tIP SERVER:\tx\tSUCCESS\t0\r\n"},
        {TrafficKind::kIpClient, "000000000\tIP CLIENT:\tx\tSUCCESS\t0\r\n"},
        {TrafficKind::kUdpClient, "000000000\tUDP CLIENT:\tx\tSUCCESS\t0\r\n"},
        {TrafficKind::kUdpServer, "000000000\tUDP SERVER:\tx\tSUCCESS\t0\r\n"},
        {TrafficKind::kTapi, "000000000\tTAPI:\tx\tSUCCESS\t0\t\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTrafficLog::FormatLine(0, c.kind, "x", true, 0, {}), c.line);
}

TEST(TrafficLog, TapiBytesAreTextUpToTheirNul)
{
    const std::string text("\r\nRING\0junk", 11);
    const Bytes bytes(text.begin(), text.end());
    EXPECT_EQ(CTrafficLog::FormatLine(0x10, TrafficKind::kTapi, "SEND", true, 0, bytes),
              "000000010\tTAPI:\tSEND\tSUCCESS\t0\t\r\nRING\r\n");
}

TEST(TrafficLog, OpenEmptiesTheFileAndLinesFollowInOrder)
{
    LogFolder folder;
    {
        QFile old(folder.Path());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("left from the last run\r\n");
    }
    CTrafficLog log;
    log.Write(TrafficKind::kSerial, "before", true, 0, {});  // not open: nothing
    ASSERT_TRUE(log.Open(folder.Path()));
    EXPECT_TRUE(log.IsOpen());
    log.Write(TrafficKind::kIpServer, "first", true, 0, Bytes{0xFF});
    log.Write(TrafficKind::kIpClient, "second", false, 34, {});
    log.Close();
    log.Write(TrafficKind::kSerial, "after", true, 0, {});

    EXPECT_EQ(folder.Lines(), (QStringList{"IP SERVER:\tfirst\tSUCCESS\t0\tff\r\n", "IP CLIENT:\tsecond\tFAIL\t34\r\n"}));
    QFile file(folder.Path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3);
    bool ok = true;
    const auto stamp = [&](const QByteArray& line) { return line.left(line.indexOf('\t')).toULongLong(&ok, 16); };
    EXPECT_LE(stamp(lines[0]), stamp(lines[1]));
    EXPECT_TRUE(ok);
}

TEST(TrafficLog, WriteTrafficLogGoesToTheEngineLog)
{
    LogFolder folder;
    ASSERT_TRUE(EngineTrafficLog().Open(folder.Path()));
    const std::uint8_t bytes[] = {'O', 'K', 0, 'x'};
    WriteTrafficLog(5, "RECEIVE", true, 0, bytes, 4);
    WriteTrafficLog(0, "SERIAL0 CLOSE", true, 0, nullptr, 0);
    EngineTrafficLog().Close();
    EXPECT_EQ(folder.Lines(), (QStringList{"TAPI:\tRECEIVE\tSUCCESS\t0\tOK\r\n", "SERIAL:\tSERIAL0 CLOSE\tSUCCESS\t0\r\n"}));
}

}  // namespace
