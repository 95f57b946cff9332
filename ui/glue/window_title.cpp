#include "ui/glue/window_title.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef TAVENZO_HAS_XCB
#include <xcb/xcb.h>

#include <cstring>
#endif

namespace tavenzo::ui {

namespace {

#ifdef TAVENZO_HAS_XCB
void deleteProperty(xcb_connection_t* connection, xcb_window_t window, const char* name)
{
    const xcb_intern_atom_cookie_t cookie
        = xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply != nullptr) {
        if (reply->atom != XCB_ATOM_NONE) {
            xcb_delete_property(connection, window, reply->atom);
        }
        std::free(reply);
    }
}
#endif

} // namespace

void showNoTitle(QWidget* window)
{
    window->setWindowTitle(QString());
#ifdef TAVENZO_HAS_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    // The native window is made now, with the toolkit's stand-in title, which goes before the window is mapped.
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_connection_t* connection = x11->connection();
    for (const char* name : {"_NET_WM_NAME", "WM_NAME", "_NET_WM_VISIBLE_NAME", "WM_ICON_NAME", "_NET_WM_ICON_NAME"}) {
        deleteProperty(connection, id, name);
    }
    xcb_flush(connection);
#endif
}

} // namespace tavenzo::ui
