#include "blockingsocketexception.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(BlockingSocketException, MessageNamesOperationAndCode)
{
    const CBlockingSocketException withCode("Connect", 111);
    EXPECT_EQ(withCode.ErrorMessage(), "Connect error #111");
    EXPECT_STREQ(withCode.what(), "Connect error #111");
    EXPECT_EQ(withCode.Operation(), "Connect");
    EXPECT_EQ(withCode.ErrorCode(), 111);

    const CBlockingSocketException timeout("Receive timeout", 0);
    EXPECT_EQ(timeout.ErrorMessage(), "Receive timeout error");
    EXPECT_FALSE(timeout.IsInterrupted());
    EXPECT_TRUE(CBlockingSocketException("Accept", EINTR).IsInterrupted());
}

TEST(BlockingSocketException, BufferedMessageIsCut)
{
    const CBlockingSocketException failure("Send", 32);
    char buffer[8];
    EXPECT_TRUE(failure.GetErrorMessage(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "Send er");
    char large[64];
    EXPECT_TRUE(failure.GetErrorMessage(large, sizeof large));
    EXPECT_STREQ(large, "Send error #32");
}

}  // namespace
