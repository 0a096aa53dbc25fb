#include "pbxclock.h"

#include "engineclient.h"
#include "engineerrorcodeprinter.h"
#include "scriptedengineserver.h"

#include <gtest/gtest.h>

namespace {

TEST(PbxClock, BytesOfADateAndTime)
{
    EXPECT_EQ(PbxClockOf(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58))), (PbxClockBytes{31, 12, 26, 23, 59, 58}));
    EXPECT_EQ(PbxClockOf(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6))), (PbxClockBytes{3, 2, 1, 4, 5, 6}));
}

TEST(PbxClock, WithoutClientGivesSeven)
{
    EXPECT_EQ(SetPbxClockToNow(nullptr, 0), 7);
}

TEST(PbxClock, SetsTheClockThroughTheClient)
{
    ScriptedEngineServer server([](const ReceivedRequest& r) {
        return ScriptedReply::Answer(r, {0x16, 0x16, 32, 3, 38, 0, 0});
    });
    const CEngineClient client("127.0.0.1", server.Port());
    const QDate before = QDate::currentDate();
    EXPECT_EQ(SetPbxClockToNow(&client, 2), kNoError);
    const QDate after = QDate::currentDate();
    const std::vector<ReceivedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, 2);
    ASSERT_EQ(requests[0].body.size(), 10u);
    EXPECT_EQ(requests[0].body[2], 38);
    const QDate sent(2000 + requests[0].body[6], requests[0].body[5], requests[0].body[4]);
    EXPECT_TRUE(sent == before || sent == after);
}

}  // namespace
