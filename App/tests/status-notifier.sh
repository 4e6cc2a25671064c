#!/usr/bin/env bash
# tovu with a StatusNotifierItem tray: Xvfb, trayer for XEmbed beside it,
# and a fake org.kde.StatusNotifierWatcher (fake-watcher.py) on a private
# D-Bus session; at the end tovu on Wayland (weston nested in Xvfb). The test plays the tray: it reads the item and its menu and
# clicks them over D-Bus, and sees with xdotool where the panel opens.
#   status-notifier.sh TOVU
set -euo pipefail
tovu="$1"
here="$(cd "$(dirname "$0")" && pwd)"
if [[ "${TOVU_PRIVATE_BUS:-}" != 1 ]]; then
  exec env -u DISPLAY -u WAYLAND_DISPLAY TOVU_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
source "$here/x-session.sh"

trayer --edge top --align right --widthtype pixel --width 120 --height 28 --SetDockType true 2>/dev/null &
pids+=($!)
eventually xdotool search --name panel >/dev/null || fail "no tray host"

visible() { xdotool search --onlyvisible --class tovu 2>/dev/null | wc -l; }
icon_only() { test "$(visible)" -eq 1; }
nothing_shown() { test "$(visible)" -eq 0; }
registrations() { if [[ -f "$scratch/registered" ]]; then wc -l <"$scratch/registered"; else echo 0; fi; }
registered() { test "$(registrations)" -ge "$1"; }
tovu_pid=
start_tovu() {
  QT_LOGGING_RULES="app.tovu.app.info=true" "$tovu" 2>>"$scratch/log" &
  tovu_pid=$!
  pids+=("$tovu_pid")
}
watcher_pid=
start_watcher() {
  /usr/bin/python3 "$here/fake-watcher.py" "$scratch/registered" &
  watcher_pid=$!
  pids+=("$watcher_pid")
}
stop_watcher() { kill "$watcher_pid"; wait "$watcher_pid" 2>/dev/null || true; }
logged() { grep -c "tray: $1" "$scratch/log" || true; }
# What --diagnose says of the desktop as it stands: every LINE, whole.
diagnosed() {
  local report
  report=$("$tovu" --diagnose 2>/dev/null)
  for line in "$@"; do grep -qxF "$line" <<<"$report" || fail "--diagnose lacks \"$line\": $report"; done
}

echo "# no watcher at the start: Qt's XEmbed icon in trayer"
start_tovu
eventually icon_only || fail "no XEmbed icon"
diagnosed "tray: XEmbed" "placement: under the tray icon" "prefill: yes"
echo "# a watcher comes: tovu registers its item, and the XEmbed icon goes"
start_watcher
eventually registered 1 || fail "the watcher got no RegisterStatusNotifierItem"
eventually nothing_shown || fail "the XEmbed icon stayed beside the item"
[[ "$(logged StatusNotifierItem)" -eq 1 ]] || fail "the item is not in use"
diagnosed "tray: StatusNotifierItem" "placement: next to the point the tray reports"
echo "# the watcher goes: the XEmbed icon comes back; a new watcher gets the item again"
stop_watcher
eventually icon_only || fail "no XEmbed icon once the watcher went"
start_watcher
eventually registered 2 || fail "the new watcher got no RegisterStatusNotifierItem"
eventually nothing_shown || fail "the XEmbed icon stayed beside the item"
echo "# a watcher there at the start: no XEmbed icon at any time"
kill "$tovu_pid"
wait "$tovu_pid" 2>/dev/null || true
: >"$scratch/log"
start_tovu
eventually registered 3 || fail "the watcher got no RegisterStatusNotifierItem"
eventually grep -q "tray: StatusNotifierItem" "$scratch/log" || fail "the item is not in use"
nothing_shown || fail "an XEmbed icon beside the item"
[[ "$(logged XEmbed)" -eq 0 ]] || fail "an XEmbed icon was made"

# The last registration is this tovu's: its unique name and its item's name.
read -r sender service < <(tail -1 "$scratch/registered")
[[ "$service" =~ ^org\.kde\.StatusNotifierItem-$tovu_pid-[0-9]+$ ]] || fail "registered as $service"

SENDER="$sender" SERVICE="$service" /usr/bin/python3 - <<'PY' || fail "see above"
import os, subprocess, sys, time

import dbus
import dbus.mainloop.glib
from gi.repository import GLib

dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
service = os.environ["SERVICE"]
failures = []
def check(ok, what):
    if not ok:
        failures.append(what)
        print("  not so:", what)

def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)

def eventually(done, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump()
        value = done()
        if value:
            return value
        time.sleep(0.1)
    return None

check(bus.get_name_owner(service) == os.environ["SENDER"], "the registering connection owns the item's name")
item_object = bus.get_object(service, "/StatusNotifierItem")
item = dbus.Interface(item_object, "org.kde.StatusNotifierItem")
props = lambda interface, o=item_object: o.GetAll(interface, dbus_interface=dbus.PROPERTIES_IFACE)

print("# the item's properties")
p = props("org.kde.StatusNotifierItem")
for name, want in [("Category", "ApplicationStatus"), ("Id", "tovu"), ("Title", "tovu"), ("Status", "Active"),
                   ("ItemIsMenu", False), ("IconName", "")]:
    check(p.get(name) == want, f"{name} is {p.get(name)!r}, not {want!r}")
tip = p.get("ToolTip")
check(tip is not None and tip[2] == "tovu: open a WhatsApp chat", f"the tooltip is {tip!r}")
menu_path = str(p.get("Menu"))
check(menu_path not in ("", "/"), f"a menu at {menu_path!r}")

print("# the icon: ARGB32 in network byte order, at a few sizes")
sizes = {int(w): (int(h), bytes(b)) for w, h, b in p.get("IconPixmap", [])}
check({16, 22, 32}.issubset(sizes), f"sizes {sorted(sizes)}")
for w, (h, data) in sizes.items():
    check(h == w and len(data) == 4 * w * h, f"{w}x{h}: {len(data)} bytes")
    pixel = lambda x, y: tuple(data[4 * (y * w + x): 4 * (y * w + x) + 4])
    check(pixel(0, 0)[0] == 0, f"{w}: the corner outside the disc is clear, not {pixel(0, 0)}")
    a, r, g, b = pixel(int(w * 0.15), w // 2)  # inside the lime disc, left of the arrow
    check(a == 255 and abs(r - 211) < 24 and abs(g - 243) < 24 and abs(b - 91) < 24, f"{w}: lime, not {(a, r, g, b)}")

menu_object = bus.get_object(service, menu_path)
menu = dbus.Interface(menu_object, "com.canonical.dbusmenu")
def layout():
    _, root = menu.GetLayout(0, -1, dbus.Array([], signature="s"))
    return root
def entries(node):
    return [(int(c[0]), dict(c[1]), c[2]) for c in node[2]]
updates = []
for signal in ("LayoutUpdated", "ItemsPropertiesUpdated"):
    bus.add_signal_receiver(lambda *args, s=signal: updates.append(s), signal, "com.canonical.dbusmenu", service)

print("# the menu")
# How dbusmenu encodes items is DBusMenuTests'; here, tovu's own menu.
m = props("com.canonical.dbusmenu", menu_object)
check(m.get("TextDirection") == "ltr", f"the menu's TextDirection is {m.get('TextDirection')!r}")
items = entries(layout())
labels = [i[1].get("label", i[1].get("type")) for i in items]
check(labels == ["Open tovu", "Open at login", "Language", "separator", "Quit tovu"], f"the menu is {labels}")
if len(items) != 5:
    sys.exit(1)
open_item, language = items[0], items[2]
languages = entries(language)
check(len(languages) == 3 and sum(l[1].get("toggle-state", 0) for l in languages) == 1, "one of three languages chosen")
open_id = open_item[0]

def panels():
    """The geometry of each visible tovu window (x, y, width, height)."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "tovu"], capture_output=True, text=True)
    found = []
    for window in out.stdout.split():
        info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
        value = lambda key: int(next(l.split(":")[1] for l in info.splitlines() if l.strip().startswith(key)))
        found.append((value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height")))
    return found
def one_panel():
    found = panels()
    return found[0] if len(found) == 1 and found[0][2] > 100 else None
def closed():
    return not panels()
screen_w, screen_h = 1280, 800

print("# Activate(x, y) opens the panel next to the point; again, it closes")
# method | x | y : the panel below the point in the upper half, above it in the
# lower, centred on x within the screen.
for method, x, y in [("Activate", 900, 700), ("Activate", 200, 100), ("SecondaryActivate", 640, 420),
                     ("Activate", 1275, 5), ("Activate", 3, 795)]:
    getattr(item, method)(x, y)
    at = eventually(one_panel)
    check(at is not None, f"{method}({x}, {y}) opened no panel: {panels()}")
    if at is None:
        continue
    px, py, w, h = at
    left = min(max(x - w // 2, 0), screen_w - w)
    top = y + 4 if y < screen_h / 2 else y - 4 - h
    top = min(max(top, 0), screen_h - h)
    check(abs(px - left) <= 1 and abs(py - top) <= 1, f"{method}({x}, {y}): the panel at {at}, not at {(left, top)}")
    check(px >= 0 and py >= 0 and px + w <= screen_w and py + h <= screen_h, f"{method}({x}, {y}): {at} off the screen")
    getattr(item, method)(x, y)
    check(eventually(closed), f"{method}({x}, {y}) again left the panel open")

print("# \"Open tovu\" in the menu opens the panel")
menu.AboutToShow(0)
menu.Event(open_id, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0))
check(eventually(one_panel) is not None, "the menu's Open tovu opened no panel")
item.Activate(900, 700)
check(eventually(closed), "the panel stayed open")

print("# a language from the menu: the labels and the direction follow, and the tray hears of it")
for native, direction, first in [("\u2068العربية\u2069", "rtl", "افتح \u2066tovu\u2069"),
                                 ("\u2068English\u2069", "ltr", "Open tovu")]:
    updates.clear()
    language = next(i for i in entries(layout()) if i[1].get("children-display") == "submenu")
    radio = next((l for l in entries(language) if l[1].get("label") == native), None)
    check(radio is not None, f"no {native!r} in {[l[1].get('label') for l in entries(language)]}")
    if radio is None:
        continue
    menu.Event(radio[0], "clicked", dbus.String("", variant_level=1), dbus.UInt32(0))
    now = lambda: entries(layout())[0][1].get("label") == first and \
        props("com.canonical.dbusmenu", menu_object).get("TextDirection") == direction
    check(eventually(now), f"after {native}: {entries(layout())[0][1].get('label')!r}, "
          f"{props('com.canonical.dbusmenu', menu_object).get('TextDirection')!r}")
    check(eventually(lambda: updates), f"after {native}: no LayoutUpdated or ItemsPropertiesUpdated")
    language = next(i for i in entries(layout()) if i[1].get("children-display") == "submenu")
    chosen = [l[1].get("label") for l in entries(language) if l[1].get("toggle-state") == 1]
    check(chosen == [native], f"after {native}: {chosen} ticked")

print("# ContextMenu(x, y) pops the menu up at the point")
item.ContextMenu(300, 200)
menu_at = eventually(lambda: next((p for p in panels() if abs(p[0] - 300) <= 2 and abs(p[1] - 200) <= 2), None))
check(menu_at is not None, f"no menu at 300, 200: {panels()}")
subprocess.run(["xdotool", "key", "Escape"], check=True)
check(eventually(closed), "the menu stayed open")

sys.exit(1 if failures else 0)
PY

echo "# on Wayland, where Qt's icon cannot be: the item, and Activate toggles the panel"
kill "$tovu_pid"
wait "$tovu_pid" 2>/dev/null || true
printf '[core]\nshell=desktop-shell.so\n[shell]\npanel-position=none\n' >"$scratch/weston.ini"
weston --config="$scratch/weston.ini" --backend=x11-backend.so --socket=wayland-tovu --width=1280 --height=800 \
  --idle-time=0 >"$scratch/weston.log" 2>&1 &
pids+=($!)
eventually test -S "$XDG_RUNTIME_DIR/wayland-tovu" || { cat "$scratch/weston.log"; fail "weston did not start"; }
: >"$scratch/log"
before=$(registrations)
env -u DISPLAY WAYLAND_DISPLAY=wayland-tovu QT_QPA_PLATFORM=wayland QT_LOGGING_RULES="app.tovu.app.info=true" \
  "$tovu" 2>>"$scratch/log" &
tovu_pid=$!
pids+=("$tovu_pid")
eventually registered $((before + 1)) || fail "the watcher got no RegisterStatusNotifierItem from Wayland"
eventually grep -q "tray: StatusNotifierItem" "$scratch/log" || fail "the item is not in use on Wayland"
DISPLAY= WAYLAND_DISPLAY=wayland-tovu QT_QPA_PLATFORM=wayland diagnosed "display server: Wayland (WAYLAND_DISPLAY=wayland-tovu)" \
  "tray: StatusNotifierItem" "placement: where the compositor puts it" \
  "prefill: yes, once the panel has the focus (Wayland shows the clipboard to the focused window only)"
read -r _ service < <(tail -1 "$scratch/registered")
activate() {
  dbus-send --session --print-reply --dest="$service" /StatusNotifierItem org.kde.StatusNotifierItem.Activate \
    int32:900 int32:700 >/dev/null
}
count() { grep -c "$1" "$scratch/log" || true; }
activate
eventually test "$(count "panel shown")" -eq 1 || fail "Activate showed no panel on Wayland"
activate
eventually test "$(count "panel closed")" -eq 1 || fail "Activate again did not close the panel on Wayland"
echo "PASS"
