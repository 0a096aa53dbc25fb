#include "messagetarget.h"

#include <QCoreApplication>
#include <QCryptographicHash>

#include <map>
#include <mutex>

WindowMessageEvent::WindowMessageEvent(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
    : QEvent(EventType()), m_message(message), m_wParam(wParam), m_lParam(lParam)
{
}

QEvent::Type WindowMessageEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QtMessageTarget::QtMessageTarget(QObject* receiver) : m_receiver(receiver) {}

void QtMessageTarget::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    if (QObject* receiver = m_receiver.data())
        QCoreApplication::postEvent(receiver, new WindowMessageEvent(message, wParam, lParam));
}

void MessageMap::On(std::uint32_t message, Handler handler) { m_handlers[message] = std::move(handler); }

bool MessageMap::Dispatch(QEvent* event) const
{
    if (event->type() != WindowMessageEvent::EventType())
        return false;
    const auto* windowMessage = static_cast<const WindowMessageEvent*>(event);
    const auto handler = m_handlers.find(windowMessage->Message());
    if (handler != m_handlers.end())
        handler->second(windowMessage->WParam(), windowMessage->LParam());
    return true;
}

std::uint32_t RegisterWindowMessage(const QString& name)
{
    constexpr std::uint32_t kFirst = 0xC000;
    constexpr std::uint32_t kCount = 0x4000;
    // A hash of the name makes the number the same in every process; the table below only guards against
    // two names of one process landing on one number.
    static std::mutex mutex;
    static std::map<QString, std::uint32_t> byName;
    static std::map<std::uint32_t, QString> byNumber;

    std::lock_guard lock(mutex);
    if (const auto known = byName.find(name); known != byName.end())
        return known->second;
    const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1);
    std::uint32_t slot = (static_cast<std::uint8_t>(digest[0]) << 8 | static_cast<std::uint8_t>(digest[1])) % kCount;
    while (byNumber.contains(kFirst + slot))
        slot = (slot + 1) % kCount;
    byName[name] = kFirst + slot;
    byNumber[kFirst + slot] = name;
    return kFirst + slot;
}
