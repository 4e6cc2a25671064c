#!/usr/bin/env bash
# tovu with a StatusNotifierItem tray: Xvfb, trayer for XEmbed beside it,
# and a fake org.kde.StatusNotifierWatcher (fake-watcher.py) on a private
# D-Bus session; at the end tovu on Wayland (weston nested in Xvfb). The
# test plays the tray: it reads the item and its menu and clicks them over
# D-Bus, and sees with xdotool where the panel opens.
#   status-notifier.sh TOVU
set -euo pipefail
source "$(dirname "$0")/x-session.sh"
start_trayer

registrations() { wc -l 2>/dev/null <"$scratch/registered" || echo 0; }
registered() { test "$(registrations)" -ge "$1"; }
start_watcher() { /usr/bin/python3 "$tests/fake-watcher.py" "$scratch/registered" & watcher=$! && pids+=("$watcher"); }

echo "# no watcher at the start: Qt's XEmbed icon in trayer"
start_tovu
eventually shows 1 || fail "no XEmbed icon"
diagnosed "tray: XEmbed" "placement: under the tray icon" "prefill: yes"
echo "# a watcher comes: tovu registers its item, and the XEmbed icon goes"
start_watcher
eventually registered 1 || fail "the watcher got no RegisterStatusNotifierItem"
eventually shows 0 || fail "the XEmbed icon stayed beside the item"
[[ "$(logged "tray: StatusNotifierItem")" -eq 1 ]] || fail "the item is not in use"
diagnosed "tray: StatusNotifierItem" "placement: next to the point the tray reports"
echo "# the watcher goes: the XEmbed icon comes back; a new watcher gets the item again"
kill "$watcher"
eventually shows 1 || fail "no XEmbed icon once the watcher went"
start_watcher
eventually registered 2 || fail "the new watcher got no RegisterStatusNotifierItem"
eventually shows 0 || fail "the XEmbed icon stayed beside the item"
echo "# the watcher forgets the item, saying so or not: tovu registers again, each time"
for forget in USR1 USR2 USR1 USR2; do
  before=$(registrations)
  kill -s "$forget" "$watcher"
  eventually registered $((before + 1)) || fail "after SIG$forget the item was not registered again"
done
eventually shows 0 || fail "an XEmbed icon beside the item once it was back"
echo "# a watcher there at the start: no XEmbed icon at any time"
stop_tovu
: >"$scratch/log"
start_tovu
eventually registered 3 || fail "the watcher got no RegisterStatusNotifierItem"
eventually at_least 1 "tray: StatusNotifierItem" || fail "the item is not in use"
shows 0 || fail "an XEmbed icon beside the item"
[[ "$(logged "tray: XEmbed")" -eq 0 ]] || fail "an XEmbed icon was made"

# The last registration is this tovu's: its unique name and its item's name.
read -r sender service < <(tail -1 "$scratch/registered")
[[ "$service" =~ ^org\.kde\.StatusNotifierItem-$app-[0-9]+$ ]] || fail "registered as $service"

SENDER="$sender" SERVICE="$service" /usr/bin/python3 - <<'PY' || fail "see above"
import os, subprocess
import dbus, dbus.mainloop.glib
from checks import check, eventually, finish

dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
service = os.environ["SERVICE"]
check(bus.get_name_owner(service) == os.environ["SENDER"], "the registering connection owns the item's name")
item_object = bus.get_object(service, "/StatusNotifierItem")
item = dbus.Interface(item_object, "org.kde.StatusNotifierItem")
props = lambda interface, o=item_object: o.GetAll(interface, dbus_interface=dbus.PROPERTIES_IFACE)

print("# the item's properties")
p = props("org.kde.StatusNotifierItem")
for name, want in [("Category", "ApplicationStatus"), ("Id", "tovu"), ("Title", "tovu"), ("Status", "Active"),
                   ("ItemIsMenu", False), ("IconName", "")]:
    check(p.get(name) == want, f"{name} is {p.get(name)!r}, not {want!r}")
check(p.get("ToolTip", [""] * 3)[2] == "tovu: open a WhatsApp chat", f"the tooltip is {p.get('ToolTip')!r}")
# MenuBarIcon's test checks the drawing; here, its bytes: ARGB in network order.
sizes = {int(w): (int(h), bytes(b)) for w, h, b in p.get("IconPixmap", [])}
check({16, 22, 32}.issubset(sizes), f"sizes {sorted(sizes)}")
for w, (h, data) in sizes.items():
    at = 4 * (w // 2 * w + int(w * 0.15))  # inside the lime disc, left of the arrow
    check(h == w and len(data) == 4 * w * h and data[0] == 0 and data[at] == 255 and data[at + 2] > data[at + 3],
          f"{w}x{h}: {len(data)} bytes, a clear corner and a lime ARGB inside, not {tuple(data[at:at + 4])}")

menu_object = bus.get_object(service, str(p.get("Menu")))
menu = dbus.Interface(menu_object, "com.canonical.dbusmenu")
entries = lambda node: [(int(c[0]), dict(c[1]), c[2]) for c in node[2]]
layout = lambda: entries(menu.GetLayout(0, -1, dbus.Array([], signature="s"))[1])
direction = lambda: props("com.canonical.dbusmenu", menu_object).get("TextDirection")
click = lambda id: menu.Event(id, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0))
updates = []
for signal in ("LayoutUpdated", "ItemsPropertiesUpdated"):
    bus.add_signal_receiver(lambda *args: updates.append(1), signal, "com.canonical.dbusmenu", service)

print("# the menu: tovu's own items (DBusMenuTests checks how items are told)")
labels = [i[1].get("label", i[1].get("type")) for i in layout()]
check(direction() == "ltr", f"the menu's TextDirection is {direction()!r}")
check(labels == ["Open tovu", "Open at login", "Language", "separator", "Quit tovu"], f"the menu is {labels}")

def panels():  # each visible tovu window: x, y, width, height (of WINDOW X Y WIDTH HEIGHT SCREEN)
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "tovu", "getwindowgeometry", "--shell", "%@"],
                         capture_output=True, text=True).stdout
    v = [int(line.split("=")[1]) for line in out.split()]
    return [tuple(v[i + 1:i + 5]) for i in range(0, len(v), 6)]
one_panel = lambda: len(found := panels()) == 1 and found[0][2] > 100 and found[0]
closed = lambda: not panels()

print("# Activate(x, y) opens the panel next to the point; again, it closes")
# Below the point in the upper half of the screen, above it in the lower,
# centred on x, and within the 1280x800 screen.
for method, x, y in [("Activate", 900, 700), ("Activate", 200, 100), ("SecondaryActivate", 640, 420),
                     ("Activate", 1275, 5), ("Activate", 3, 795)]:
    getattr(item, method)(x, y)
    at = eventually(one_panel)
    if check(at, f"{method}({x}, {y}) opened no panel: {panels()}"):
        px, py, w, h = at
        want = (min(max(x - w // 2, 0), 1280 - w), min(max(y + 4 if y < 400 else y - 4 - h, 0), 800 - h))
        check(abs(px - want[0]) <= 1 and abs(py - want[1]) <= 1, f"{method}({x}, {y}): the panel at {at}, not {want}")
    getattr(item, method)(x, y)
    check(eventually(closed), f"{method}({x}, {y}) again left the panel open")

print("# \"Open tovu\" in the menu opens the panel")
menu.AboutToShow(0)
click(layout()[0][0])
check(eventually(one_panel), "the menu's Open tovu opened no panel")
item.Activate(900, 700)
check(eventually(closed), "the panel stayed open")

print("# a language from the menu: the labels and the direction follow, and the tray hears of it")
for native, want, first in [("\u2068العربية\u2069", "rtl", "فتح \u2066tovu\u2069"),
                            ("\u2068English\u2069", "ltr", "Open tovu")]:
    updates.clear()
    languages = lambda: next(entries(i) for i in layout() if i[1].get("children-display") == "submenu")
    click(next(l[0] for l in languages() if l[1].get("label") == native))
    check(eventually(lambda: layout()[0][1].get("label") == first and direction() == want),
          f"after {native}: {layout()[0][1].get('label')!r}, {direction()!r}")
    check(eventually(lambda: updates), f"after {native}: no LayoutUpdated or ItemsPropertiesUpdated")
    chosen = [l[1].get("label") for l in languages() if l[1].get("toggle-state") == 1]
    check(chosen == [native], f"after {native}: {chosen} ticked")
    # Checkmarks: some hosts (LXQt) draw no radio items at all.
    kinds = {l[1].get("toggle-type") for l in languages()}
    check(kinds == {"checkmark"}, f"the languages are {kinds} items, not checkmarks")

print("# ContextMenu(x, y) pops the menu up at the point")
item.ContextMenu(300, 200)
check(eventually(lambda: any(abs(p[0] - 300) <= 2 and abs(p[1] - 200) <= 2 for p in panels())),
      f"no menu at 300, 200: {panels()}")
subprocess.run(["xdotool", "key", "Escape"], check=True)
check(eventually(closed), "the menu stayed open")
finish()
PY

echo "# on Wayland, where Qt's icon cannot be: the item, and Activate toggles the panel"
stop_tovu
start_weston
: >"$scratch/log"
before=$(registrations)
export WAYLAND_DISPLAY=wayland-tovu QT_QPA_PLATFORM=wayland
DISPLAY='' start_tovu
eventually registered $((before + 1)) || fail "the watcher got no RegisterStatusNotifierItem from Wayland"
eventually at_least 1 "tray: StatusNotifierItem" || fail "the item is not in use on Wayland"
DISPLAY='' diagnosed "display server: Wayland (WAYLAND_DISPLAY=wayland-tovu)" "tray: StatusNotifierItem" \
  "placement: where the compositor puts it" \
  "prefill: yes, once the panel has the focus (Wayland shows the clipboard to the focused window only)"
read -r _ service < <(tail -1 "$scratch/registered")
activate() { gdbus call --session -d "$service" -o /StatusNotifierItem -m org.kde.StatusNotifierItem.Activate 900 700 >/dev/null; }
activate
eventually at_least 1 "panel shown" || fail "Activate showed no panel on Wayland"
activate
eventually at_least 1 "panel closed" || fail "Activate again did not close the panel on Wayland"
echo "PASS"
