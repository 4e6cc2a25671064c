#!/usr/bin/env bash
# logind's shutdown announcement reaches tovu: a fake org.freedesktop.login1
# on a private bus stands in for the system bus.   power-off.sh TOVU
set -euo pipefail
tovu="$1"
if [[ "${TOVU_PRIVATE_BUS:-}" != 1 ]]; then
  exec env -u DISPLAY -u WAYLAND_DISPLAY TOVU_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
export DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS"
scratch=$(mktemp -d)
app=
trap 'if [[ -n "$app" ]]; then kill "$app" 2>/dev/null || true; fi; rm -rf "$scratch"' EXIT
mkdir -m 0700 "$scratch/runtime"
HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime" \
  QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="app.tovu.app.info=true" "$tovu" 2>"$scratch/log" &
app=$!

waitfor() {  # waitfor TEXT: up to ten seconds for TEXT in tovu's log
  for _ in $(seq 100); do grep -q "$1" "$scratch/log" && return 0; sleep 0.1; done
  echo "no '$1' in tovu's log:"; cat "$scratch/log"; return 1
}
waitfor "panel shown"

/usr/bin/python3 - <<'PY'
import time
import dbus, dbus.service
from dbus.mainloop.glib import DBusGMainLoop
DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName("org.freedesktop.login1", bus)

class Manager(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.login1.Manager", signature="b")
    def PrepareForShutdown(self, starting):
        pass

manager = Manager(bus, "/org/freedesktop/login1")
time.sleep(0.5)  # let tovu see the name's owner
manager.PrepareForShutdown(False)  # a cancelled shutdown announces nothing
manager.PrepareForShutdown(True)
bus.flush()
time.sleep(0.5)
PY
waitfor "will power off"
[[ $(grep -c "will power off" "$scratch/log") -eq 1 ]] || { echo "announced more than once"; exit 1; }
kill -TERM "$app"
wait "$app"
grep -q "poweringOff 1 -> quit" "$scratch/log" || { cat "$scratch/log"; exit 1; }
echo "the shutdown announcement reached tovu"
