#include "platform/XEmbedTray.h"

#include <QtGui/qguiapplication_platform.h>
#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {
std::uint32_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const std::uint32_t value = reply ? reply->atom : std::uint32_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}
}  // namespace

XEmbedTray::XEmbedTray(QObject* parent) : QObject(parent) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    connection_ = x11->connection();
    manager_ = atom(connection_, "MANAGER");
    // Screen 0's, as Qt's own tray icon looks for it on the primary screen
    // and X servers of more than one screen are of the past.
    selection_ = atom(connection_, "_NET_SYSTEM_TRAY_S0");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XEmbedTray::~XEmbedTray() {
    if (connection_ && QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool XEmbedTray::isPresent() const {
    if (!connection_) return false;
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, selection_), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

bool XEmbedTray::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    // Qt updates its idea of the tray on this message too; the signal waits
    // until it has.
    if (client->type == manager_ && client->format == 32 && client->data.data32[1] == selection_) {
        QMetaObject::invokeMethod(this, &XEmbedTray::appeared, Qt::QueuedConnection);
    }
    return false;
}
