#include "platform/SessionSignals.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QSessionManager>

SessionSignals::SessionSignals(QObject* parent) : QObject(parent) {
    QDBusConnection::systemBus().connect("org.freedesktop.login1", "/org/freedesktop/login1",
                                         "org.freedesktop.login1.Manager", "PrepareForShutdown", this,
                                         SLOT(prepareForShutdown(bool)));
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { emit poweringOff(); });
    }
}

void SessionSignals::prepareForShutdown(bool starting) {
    if (starting) emit poweringOff();  // false: a shutdown was cancelled
}
