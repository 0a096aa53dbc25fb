#pragma once

#include "notificationicon.h"

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <cstdint>

class MessageTarget;

// The notification icon over the desktop's system tray. A double click posts `callbackMessage` with
// lParam 515 to the target, a request for the context menu the same with 516 and a click on the balloon
// with 1029, as the window expects them from the icon. Without a system tray nothing can be added, and the window stays where it is.
class TrayNotificationIcon : public QObject, public NotificationIcon {
    Q_OBJECT
public:
    static constexpr std::int64_t kLeftDoubleClick = 515;
    static constexpr std::int64_t kRightButtonDown = 516;
    static constexpr std::int64_t kBalloonClick = 1029;
    static constexpr int kBalloonTimeoutMs = 10000;

    TrayNotificationIcon(const QIcon& icon, MessageTarget& target, std::uint32_t callbackMessage,
                         QObject* parent = nullptr);

    bool Add(const NotificationIconData& data) override;
    bool Modify(const NotificationIconData& data) override;
    bool Remove() override;

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    void Apply(const NotificationIconData& data);

    MessageTarget& m_target;
    std::uint32_t m_callbackMessage;
    QSystemTrayIcon m_tray;
};
