#pragma once

#include "notificationicon.h"

#include <memory>
#include <vector>

// What a frame asked of its notification icon.
struct IconCall {
    enum Kind { Add, Modify, Remove } kind;
    NotificationIconData data;
};

struct IconLog {
    std::vector<IconCall> calls;
    bool available = true;  // whether there is a notification area
};

// A notification icon that writes down the frame's calls and answers as the log's area says.
class FakeNotificationIcon : public NotificationIcon {
public:
    explicit FakeNotificationIcon(std::shared_ptr<IconLog> log) : m_log(std::move(log)) {}
    bool Add(const NotificationIconData& data) override { return Record(IconCall::Add, data); }
    bool Modify(const NotificationIconData& data) override { return Record(IconCall::Modify, data); }
    bool Remove() override { return Record(IconCall::Remove, {}); }

private:
    bool Record(IconCall::Kind kind, const NotificationIconData& data)
    {
        m_log->calls.push_back({kind, data});
        return m_log->available;
    }
    std::shared_ptr<IconLog> m_log;
};
