#include "platform/WindowHints.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstdlib>

namespace platform {

void startInNormalState(QWidget* window) {
    if (!window || !window->testAttribute(Qt::WA_WState_Created) ||
        QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // WM_HINTS: flags, input, initial state, ...; the state counts only with its flag.
    constexpr quint32 kStateHint = 2;
    constexpr quint32 kNormalState = 1;
    constexpr quint32 kIconicState = 3;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9), nullptr);
    if (!reply)
        return;
    const int count = xcb_get_property_value_length(reply) / 4;
    if (reply->format == 32 && count >= 3) {
        auto* hints = static_cast<quint32*>(xcb_get_property_value(reply));
        if ((hints[0] & kStateHint) && hints[2] == kIconicState) {
            hints[2] = kNormalState;
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS,
                                32, static_cast<quint32>(count), hints);
            xcb_flush(c);
        }
    }
    std::free(reply);
}

} // namespace platform
