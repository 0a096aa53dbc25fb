#include "traynotificationicon.h"

#include "messagetarget.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t kCallback = WM_USER + 102;

class RecordingTarget : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t, std::int64_t lParam) override
    {
        received.emplace_back(message, lParam);
    }
    std::vector<std::pair<std::uint32_t, std::int64_t>> received;
};

TEST(TrayNotificationIcon, ClicksBecomeTheWindowsMouseMessages)
{
    RecordingTarget target;
    TrayNotificationIcon icon(QIcon(), target, kCallback);
    auto tray = icon.findChild<QSystemTrayIcon*>();
    ASSERT_NE(tray, nullptr);
    emit tray->activated(QSystemTrayIcon::Trigger);  // a single click means nothing to the window
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    emit tray->activated(QSystemTrayIcon::Context);
    emit tray->messageClicked();
    const std::vector<std::pair<std::uint32_t, std::int64_t>> expected{
        {kCallback, 515}, {kCallback, 516}, {kCallback, 1029}};
    EXPECT_EQ(target.received, expected);
}

TEST(TrayNotificationIcon, NothingIsAddedWithoutASystemTray)
{
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());  // offscreen
    RecordingTarget target;
    TrayNotificationIcon icon(QIcon(), target, kCallback);
    NotificationIconData data;
    data.tip = QStringLiteral("Pultex");
    EXPECT_FALSE(icon.Add(data));
    EXPECT_FALSE(icon.Modify(data));
    EXPECT_FALSE(icon.Remove());
}

}  // namespace
