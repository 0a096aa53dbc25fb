// The rating program's window is found by its class name, not by its title.
#include "suiteipc.h"
#include "tarivowindow.h"

#include <gtest/gtest.h>

namespace {

class NoTarget : public MessageTarget {
public:
    void Post(std::uint32_t, std::uint64_t, std::int64_t) override {}
};

TEST(TarivoWindow, FoundByItsWindowClass)
{
    NoTarget target;
    auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, QStringLiteral("Tarivo"), target);
    if (!registration)
        GTEST_SKIP() << "another program of this suite holds the window class";
    EXPECT_TRUE(FindTarivoWindow());
    registration.reset();

    auto title = SuiteIpc::Register(SuiteIpc::Key::WindowTitle, QStringLiteral("Tarivo"), target);
    ASSERT_TRUE(title);
    EXPECT_FALSE(FindTarivoWindow());
}

}  // namespace
