#!/usr/bin/python3
# A StatusNotifierWatcher as the trays run it, on the session bus: it takes
# every RegisterStatusNotifierItem, writes down "SENDER SERVICE" in the file
# given, and says that a tray (a host) shows the items. It forgets its items
# as real ones do: saying so on SIGUSR1, silently on SIGUSR2 (then a host
# comes again, as when GNOME's extension restarts).
#   fake-watcher.py FILE
import signal, sys

import dbus, dbus.mainloop.glib, dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"


class Watcher(dbus.service.Object):
    items = []

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        self.items.append(service)
        with open(sys.argv[1], "a") as out:
            out.write(f"{sender} {service}\n")
        self.StatusNotifierItemRegistered(service)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        self.StatusNotifierHostRegistered()

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, service):
        pass

    def forget(self, saying):
        gone, self.items[:] = list(self.items), []
        for service in gone if saying else []:
            self.StatusNotifierItemUnregistered(service)
        if not saying:
            self.StatusNotifierHostRegistered()
        return True  # the handler stays

    @dbus.service.signal(WATCHER)
    def StatusNotifierHostRegistered(self):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": True, "ProtocolVersion": dbus.Int32(0)}

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
watcher = Watcher(bus, "/StatusNotifierWatcher")
name = dbus.service.BusName(WATCHER, bus)
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, watcher.forget, True)
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR2, watcher.forget, False)
GLib.MainLoop().run()
