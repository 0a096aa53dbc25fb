#include "clientregistry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Addresses = std::vector<std::uint32_t>;

constexpr std::uint32_t kLocal = ClientRegistry::kLocalAddress;
constexpr std::uint32_t kFirst = 0xC0A80002;   // 192.168.0.2
constexpr std::uint32_t kSecond = 0xC0A80003;
constexpr std::uint32_t kThird = 0xC0A80004;

// A registry on a clock that the test moves by hand.
class ClientRegistryTest : public ::testing::Test {
protected:
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    ClientRegistry registry{[this] { return now; }};
};

TEST_F(ClientRegistryTest, ThisComputerIsInEveryCopyWithoutEverPinging)
{
    EXPECT_EQ(registry.CopyClients(), Addresses{kLocal});
    now += 24h;
    EXPECT_EQ(registry.CopyClients(), Addresses{kLocal});
    EXPECT_EQ(registry.Count(), 1u);
}

TEST_F(ClientRegistryTest, AWorkstationStays180SecondsAfterItsLastPing)
{
    EXPECT_TRUE(registry.AddOrRefreshClient(kFirst));
    now += 100s;
    EXPECT_TRUE(registry.AddOrRefreshClient(kFirst));  // refreshed, not added twice
    EXPECT_EQ(registry.CopyClients(), (Addresses{kLocal, kFirst}));
    now += 180s;
    EXPECT_EQ(registry.CopyClients(), (Addresses{kLocal, kFirst}));
    now += 1ms;
    EXPECT_EQ(registry.CopyClients(), Addresses{kLocal});
}

TEST_F(ClientRegistryTest, AgeingDropsOnlyTheStaleEntriesAndKeepsTheOrder)
{
    registry.AddOrRefreshClient(kFirst);
    now += 60s;
    registry.AddOrRefreshClient(kSecond);
    registry.AddOrRefreshClient(kThird);
    now += 121s;
    registry.AgeClients();
    EXPECT_EQ(registry.Count(), 3u);
    EXPECT_EQ(registry.CopyClients(), (Addresses{kLocal, kSecond, kThird}));
}

TEST_F(ClientRegistryTest, APingFrom127001RefreshesEntry0)
{
    EXPECT_TRUE(registry.AddOrRefreshClient(kLocal));
    registry.AddOrRefreshClient(kFirst);
    EXPECT_TRUE(registry.AddOrRefreshClient(kLocal));
    EXPECT_EQ(registry.CopyClients(), (Addresses{kLocal, kFirst}));
}

TEST_F(ClientRegistryTest, Holds128EntriesAndRefusesMoreUntilSomeAge)
{
    for (std::uint32_t i = 1; i < ClientRegistry::kMaxEntries; ++i)
        ASSERT_TRUE(registry.AddOrRefreshClient(0x0A000000 + i));
    EXPECT_EQ(registry.Count(), ClientRegistry::kMaxEntries);
    EXPECT_FALSE(registry.AddOrRefreshClient(kFirst));
    now += 100s;
    EXPECT_TRUE(registry.AddOrRefreshClient(0x0A000001));  // a known one is still refreshed
    EXPECT_EQ(registry.Count(), ClientRegistry::kMaxEntries);

    now += 81s;
    EXPECT_TRUE(registry.AddOrRefreshClient(kFirst));
    EXPECT_EQ(registry.CopyClients(), (Addresses{kLocal, 0x0A000001, kFirst}));
}

TEST(ClientRegistry, RunsOnTheSteadyClockByDefault)
{
    ClientRegistry registry;
    EXPECT_TRUE(registry.AddOrRefreshClient(kFirst));
    EXPECT_EQ(registry.CopyClients(), (Addresses{kLocal, kFirst}));
}

}  // namespace
