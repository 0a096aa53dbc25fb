// Starting the simulator from a test leaves the test's thread as ThreadSanitizer saw it. QProcess starts
// programs by a vfork-like clone, and the runtime's fork bookkeeping for that child used to leave the
// starting thread's state off balance: TSan lost sight of its mutexes and reported the server tests'
// hand-overs under a lock as races (see platform/testing/vforkclone.cpp). Meaningful in the
// ThreadSanitizer build (scripts/test --tsan), where a race ends the test program.
#include "simulvexprocess.h"

#include "tempsuite.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

TEST(SimulvexProcessTest, AHandOverUnderAMutexStaysOrderedAfterTheStart)
{
    TempSuite suite{QStringLiteral("Pultex")};
    SimulvexProcess simulvex;
    ASSERT_TRUE(simulvex.Start(suite)) << simulvex.Error().toStdString();

    // Only the mutex orders the write before the read: the flag the reader waits on is relaxed, which
    // ThreadSanitizer does not count as an ordering.
    std::mutex mutex;
    int written = 0;
    int read = 0;
    std::atomic<bool> go{false};
    std::thread reader([&] {
        while (!go.load(std::memory_order_relaxed))
            std::this_thread::yield();
        std::lock_guard lock(mutex);
        read = written;
    });
    {
        std::lock_guard lock(mutex);
        written = 1;
    }
    go.store(true, std::memory_order_relaxed);
    reader.join();
    EXPECT_EQ(read, 1);
}

}  // namespace
