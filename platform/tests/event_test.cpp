#include "event.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(Event, TimedWaitDoesNotReturnEarly)
{
    Event event(Event::Reset::Automatic);
    const auto start = Clock::now();
    EXPECT_FALSE(event.Wait(50ms));
    EXPECT_GE(Clock::now() - start, 50ms);
}

TEST(Event, AutoResetReleasesOneWaitPerSet)
{
    Event event(Event::Reset::Automatic, true);
    EXPECT_TRUE(event.Wait(0ms));
    EXPECT_FALSE(event.Wait(0ms));
    event.Set();
    event.Set();  // a second Set before any wait is not counted
    EXPECT_TRUE(event.Wait(0ms));
    EXPECT_FALSE(event.Wait(0ms));
}

TEST(Event, ManualResetStaysSignalledUntilReset)
{
    Event event(Event::Reset::Manual);
    event.Set();
    EXPECT_TRUE(event.Wait(0ms));
    EXPECT_TRUE(event.Wait(0ms));
    event.ResetSignal();
    EXPECT_FALSE(event.Wait(0ms));
}

TEST(Event, ManualResetReleasesEveryWaiter)
{
    Event event(Event::Reset::Manual);
    std::atomic<int> released = 0;
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.emplace_back([&] {
            if (event.Wait(10s))
                ++released;
        });
    event.Set();
    for (auto& waiter : waiters)
        waiter.join();
    EXPECT_EQ(released, 4);
}

TEST(Event, SetFromAnotherThreadWakesAnInfiniteWait)
{
    Event event(Event::Reset::Automatic);
    std::thread setter([&] { event.Set(); });
    EXPECT_TRUE(event.Wait());
    setter.join();
    EXPECT_FALSE(event.IsSignalled());
}

TEST(Event, WaitAnyGivesTheSignalledEventAndConsumesOnlyIt)
{
    Event stop(Event::Reset::Automatic);
    Event refresh(Event::Reset::Automatic);
    const std::array<Event*, 2> events{&stop, &refresh};

    refresh.Set();
    EXPECT_EQ(Event::WaitAny(events, 0ms), 1);
    EXPECT_EQ(Event::WaitAny(events, 0ms), Event::kTimedOut);

    stop.Set();
    refresh.Set();
    EXPECT_EQ(Event::WaitAny(events, 0ms), 0);
    EXPECT_TRUE(refresh.IsSignalled());
}

TEST(Event, WaitAnyWakesWhenAnotherThreadSets)
{
    Event first(Event::Reset::Automatic);
    Event second(Event::Reset::Manual);
    const std::array<Event*, 2> events{&first, &second};
    std::thread setter([&] {
        std::this_thread::sleep_for(20ms);
        second.Set();
    });
    EXPECT_EQ(Event::WaitAny(events, 10s), 1);
    setter.join();
    EXPECT_TRUE(second.IsSignalled());  // manual reset: still set
}

TEST(Event, WaitAnyTimesOutAfterItsTimeOut)
{
    Event first(Event::Reset::Automatic);
    const std::array<Event*, 1> events{&first};
    const auto start = Clock::now();
    EXPECT_EQ(Event::WaitAny(events, 40ms), Event::kTimedOut);
    EXPECT_GE(Clock::now() - start, 40ms);
}

TEST(Event, AutoResetUnderContentionReleasesExactlyOneWaiterPerSet)
{
    Event event(Event::Reset::Automatic);
    std::atomic<int> released = 0;
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i)
        waiters.emplace_back([&] {
            if (event.Wait(300ms))
                ++released;
        });
    std::this_thread::sleep_for(20ms);
    event.Set();
    for (auto& waiter : waiters)
        waiter.join();
    EXPECT_EQ(released, 1);
}

}  // namespace
