#include "messagetarget.h"

#include "waitfor.h"

#include <QObject>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

struct Received {
    std::uint32_t message;
    std::uint64_t wParam;
    std::int64_t lParam;
};

class RecordingWindow : public QObject {
public:
    RecordingWindow()
    {
        m_map.On(WM_USER + 101, [this](std::uint64_t w, std::int64_t l) { received.push_back({WM_USER + 101, w, l}); });
    }
    bool event(QEvent* event) override { return m_map.Dispatch(event) || QObject::event(event); }

    std::vector<Received> received;

private:
    MessageMap m_map;
};

TEST(MessageTarget, WorkerPostsReachTheWindowThreadInOrder)
{
    RecordingWindow window;
    QtMessageTarget target(&window);
    std::thread worker([&] {
        target.Post(WM_USER + 101, 0xFFFF0003, -5);
        target.Post(WM_USER + 99, 1, 1);  // not in the map: ignored
        target.Post(WM_USER + 101, 0xFFFF0004, 7);
    });
    worker.join();
    ASSERT_TRUE(WaitFor([&] { return window.received.size() == 2; }));
    EXPECT_EQ(window.received[0].wParam, 0xFFFF0003u);
    EXPECT_EQ(window.received[0].lParam, -5);
    EXPECT_EQ(window.received[1].wParam, 0xFFFF0004u);
}

TEST(MessageTarget, PostToADestroyedWindowIsDropped)
{
    auto window = std::make_unique<RecordingWindow>();
    QtMessageTarget target(window.get());
    window.reset();
    target.Post(WM_USER + 101, 0, 0);  // must not crash
    QCoreApplication::processEvents();
}

TEST(RegisterWindowMessage, SameNameSameNumberAboveC000)
{
    const std::uint32_t id = RegisterWindowMessage(QStringLiteral("CSerialWnd_DefaultComMsg"));
    EXPECT_GE(id, 0xC000u);
    EXPECT_LE(id, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("CSerialWnd_DefaultComMsg")), id);
    EXPECT_NE(RegisterWindowMessage(QStringLiteral("AnotherMessage")), id);
}

}  // namespace
