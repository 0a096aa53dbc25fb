#include "workarea.h"

#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kFieldsPerDesktop = 4;  // x, y, width, height
// Enough for 64 desktops; the property is read in 32-bit units.
constexpr std::uint32_t kMaxWorkAreaLength = 64 * kFieldsPerDesktop;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 1, std::uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a CARDINAL property of the root window.
std::vector<std::uint32_t> RootCardinals(xcb_connection_t* connection, xcb_window_t root, const char* name,
                                         std::uint32_t maxLength)
{
    const xcb_atom_t atom = Atom(connection, name);
    if (atom == XCB_ATOM_NONE)
        return {};
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, root, atom, XCB_ATOM_CARDINAL, 0, maxLength);
    std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_CARDINAL)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(std::uint32_t));
    return std::vector<std::uint32_t>(values, values + count);
}

}  // namespace

QRect PublishedWorkArea()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return {};
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (!screens.rem)
        return {};
    const xcb_window_t root = screens.data->root;
    const std::vector<std::uint32_t> areas = RootCardinals(connection, root, "_NET_WORKAREA", kMaxWorkAreaLength);
    const std::vector<std::uint32_t> current = RootCardinals(connection, root, "_NET_CURRENT_DESKTOP", 1);
    const std::size_t desktop = current.empty() ? 0 : current.front();
    const std::size_t first = desktop * kFieldsPerDesktop;
    if (areas.size() < first + kFieldsPerDesktop)
        return {};
    return QRect(int(areas[first]), int(areas[first + 1]), int(areas[first + 2]), int(areas[first + 3]));
}

QRect DesktopWorkArea(const QScreen* screen)
{
    if (!screen)
        return {};
    const QRect available = screen->availableGeometry();
    const QRect published = PublishedWorkArea();
    const QRect both = available.intersected(published);
    return both.isEmpty() ? available : both;
}
