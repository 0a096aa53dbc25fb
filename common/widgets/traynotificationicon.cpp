#include "traynotificationicon.h"

#include "messagetarget.h"

namespace {

QSystemTrayIcon::MessageIcon TrayIcon(NotificationIconData::BalloonIcon icon)
{
    switch (icon) {
    case NotificationIconData::kBalloonInformation: return QSystemTrayIcon::Information;
    case NotificationIconData::kBalloonWarning: return QSystemTrayIcon::Warning;
    case NotificationIconData::kBalloonError: return QSystemTrayIcon::Critical;
    }
    return QSystemTrayIcon::NoIcon;
}

}  // namespace

TrayNotificationIcon::TrayNotificationIcon(const QIcon& icon, MessageTarget& target, std::uint32_t callbackMessage,
                                           QObject* parent)
    : QObject(parent), m_target(target), m_callbackMessage(callbackMessage), m_tray(icon, this)
{
    connect(&m_tray, &QSystemTrayIcon::activated, this, &TrayNotificationIcon::OnActivated);
    connect(&m_tray, &QSystemTrayIcon::messageClicked, this,
            [this] { m_target.Post(m_callbackMessage, 0, kBalloonClick); });
}

bool TrayNotificationIcon::Add(const NotificationIconData& data)
{
    if (m_tray.isVisible() || !QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    m_tray.show();
    Apply(data);
    return true;
}

bool TrayNotificationIcon::Modify(const NotificationIconData& data)
{
    if (!m_tray.isVisible())
        return false;
    Apply(data);
    return true;
}

bool TrayNotificationIcon::Remove()
{
    if (!m_tray.isVisible())
        return false;
    m_tray.hide();
    return true;
}

void TrayNotificationIcon::Apply(const NotificationIconData& data)
{
    m_tray.setToolTip(data.tip);
    // An empty text asks for no balloon; one already shown goes away by its time-out.
    if (!data.balloonText.isEmpty())
        m_tray.showMessage(data.balloonTitle, data.balloonText, TrayIcon(data.balloonIcon), kBalloonTimeoutMs);
}

void TrayNotificationIcon::OnActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        m_target.Post(m_callbackMessage, 0, kLeftDoubleClick);
    else if (reason == QSystemTrayIcon::Context)
        m_target.Post(m_callbackMessage, 0, kRightButtonDown);
}
