#include "platform/SessionSignals.h"

#include <QDBusConnection>

SessionSignals::SessionSignals(QObject* parent) : QObject(parent) {
    QDBusConnection::systemBus().connect("org.freedesktop.login1", "/org/freedesktop/login1",
                                         "org.freedesktop.login1.Manager", "PrepareForShutdown", this,
                                         SLOT(prepareForShutdown(bool)));
}

void SessionSignals::prepareForShutdown(bool starting) {
    if (starting) emit poweringOff();  // false: a shutdown was cancelled
}
