#!/usr/bin/env bash
# logind's shutdown announcement reaches tovu: a fake org.freedesktop.login1
# on a private bus stands in for the system bus.   power-off.sh TOVU
set -euo pipefail
source "$(dirname "$0")/session.sh"
export DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" QT_QPA_PLATFORM=offscreen
start_tovu
eventually at_least 1 "panel shown" || fail "no panel shown"

/usr/bin/python3 - <<'PY'
import time
import dbus, dbus.lowlevel
bus = dbus.SessionBus()
bus.request_name("org.freedesktop.login1")
time.sleep(0.5)  # let tovu see the name's owner
for starting in (False, True):  # a cancelled shutdown announces nothing
    signal = dbus.lowlevel.SignalMessage("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                         "PrepareForShutdown")
    signal.append(starting, signature="b")
    bus.send_message(signal)
bus.flush()
time.sleep(0.5)
PY
eventually at_least 1 "will power off" || fail "no power-off announced"
[[ $(logged "will power off") -eq 1 ]] || fail "announced more than once"
kill -TERM "$app"
wait "$app"
at_least 1 "poweringOff 1 -> quit" || fail "no quit for the power-off"
echo "the shutdown announcement reached tovu"
