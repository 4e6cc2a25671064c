#include "platform/GioWorkspace.h"

// GIO before Qt: its headers name members "signals", which Qt defines away.
#include <gio/gio.h>

#include "platform/Log.h"

bool GioWorkspace::hasHandler(const PhoneKit::URL& url) const {
    GAppInfo* handler = g_app_info_get_default_for_uri_scheme(url.scheme().c_str());
    if (!handler) return false;
    g_object_unref(handler);
    return true;
}

bool GioWorkspace::open(const PhoneKit::URL& url) {
    // Unlike QDesktopServices, GIO says when nothing takes the URL.
    GError* error = nullptr;
    const gboolean launched = g_app_info_launch_default_for_uri(url.string().c_str(), nullptr, &error);
    if (error) {
        // The scheme and GIO's reason; never the link, which holds the number.
        Log::linkNotOpened(QString::fromStdString(url.scheme()), QString::fromUtf8(error->message));
        g_error_free(error);
    }
    return launched;
}
