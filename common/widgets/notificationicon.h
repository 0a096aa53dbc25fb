#pragma once

#include <QString>

#include <cstdint>

// What the console shows in the notification area: its icon with a tip, and a balloon over it.
struct NotificationIconData {
    enum BalloonIcon : std::uint8_t {
        kBalloonInformation = 1,
        kBalloonWarning = 2,
        kBalloonError = 3,
    };

    QString tip;
    QString balloonTitle;
    QString balloonText;  // empty: no balloon
    BalloonIcon balloonIcon = kBalloonWarning;
};

// The notification-area icon of a window. Clicks on it reach the window as posted messages; which ones is
// the implementation's to say. Each call tells whether the notification area took it.
class NotificationIcon {
public:
    virtual ~NotificationIcon() = default;
    virtual bool Add(const NotificationIconData& data) = 0;
    virtual bool Modify(const NotificationIconData& data) = 0;
    virtual bool Remove() = 0;
};
