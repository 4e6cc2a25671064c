#!/usr/bin/env bash
# What a screen reader and a keyboard user get: tovu under Xvfb with Qt's
# accessibility on, its AT-SPI tree read with pyatspi from a private D-Bus
# session, and keys typed with xdotool. Every control has a name, the right
# role and a description; every Tab stop is on screen; Return sends a
# message to a fake WhatsApp that writes down the links it is given.
#   accessibility.sh TOVU
set -euo pipefail
tovu="$1"
if [[ "${TOVU_PRIVATE_BUS:-}" != 1 ]]; then  # the accessibility bus of our own session
  exec env -u DISPLAY -u WAYLAND_DISPLAY -u AT_SPI_BUS_ADDRESS TOVU_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/x-session.sh"

# The accessibility bus first: Qt looks for it once, at its start.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null \
  || fail "no accessibility bus"
# No tray here: the panel opens as a window of its own at the start.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$tovu" 2>"$scratch/log" &
pids+=($!)

# pyatspi is the system Python's.
SCRATCH="$scratch" /usr/bin/python3 - <<'PY' || fail "see above"
import os, subprocess, sys, time
import pyatspi

failures = []
def check(ok, what):
    if not ok:
        failures.append(what)
        print("  not so:", what)

def shown_frame():
    # Without a tray the window comes after tovu has waited for one (3 s);
    # a loaded machine may take as long again. The panel is built (and so
    # on the bus) well before that: keys typed then would go nowhere, so
    # wait until it is on screen and has the focus.
    for _ in range(300):
        for candidate in pyatspi.Registry.getDesktop(0):
            if candidate is None or candidate.name != "tovu":
                continue
            for o in candidate:
                state = o.getState() if o is not None and o.getRoleName() == "frame" else None
                if state and state.contains(pyatspi.STATE_SHOWING) and state.contains(pyatspi.STATE_ACTIVE):
                    return o
        time.sleep(0.1)
    sys.exit("tovu's window never came up active on the accessibility bus")

def objects(root):
    for child in root:
        if child is None:
            continue
        yield child
        yield from objects(child)

def extents(o):
    e = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.x + e.width, e.y + e.height)

def inside(inner, outer):
    return inner[0] >= outer[0] and inner[1] >= outer[1] and inner[2] <= outer[2] and inner[3] <= outer[3]

def focused(root):
    for _ in range(30):
        for o in objects(root):
            if o.getState().contains(pyatspi.STATE_FOCUSED):
                return o
        time.sleep(0.05)
    return None

def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "30", *keys], check=True)
    time.sleep(0.15)

# The role each control must have, by what it is.
def expected_role(o):
    parent = o.parent
    if parent is not None and parent.getRoleName() == "page tab list":
        return "page tab"
    if o.getRoleName() == "scroll bar":
        return "scroll bar"
    if o.name in ("Phone number", "Message"):
        return "text"
    return "push button"

frame = shown_frame()

def audit(shown_only, report):
    """Every control: a name, its role and (scroll bars aside) a description."""
    for o in objects(frame):
        state = o.getState()
        if not state.contains(pyatspi.STATE_FOCUSABLE) or (shown_only and not state.contains(pyatspi.STATE_SHOWING)):
            continue
        role = o.getRoleName()
        if report:
            print(f"  {role:12} {o.name!r:55} {o.description!r}")
        check(o.name.strip() != "", f"a {role} without a name")
        check(role == expected_role(o), f"{o.name!r} is a {role}, not a {expected_role(o)}")
        if role != "scroll bar":
            check(o.description.strip() != "", f"{o.name!r} has no description")

print("# every control: a name, its role, a description")
audit(False, True)
tabs = [o for o in objects(frame) if o.getRoleName() == "page tab list"]
check(len(tabs) == 1 and tabs[0].name != "", "one named page tab list")
lists = [o for o in objects(frame) if o.getRoleName() == "list"]
check(len(lists) == 1 and lists[0].name != "", "one named list of messages")
sends = [o.name for o in objects(frame) if o.name.startswith("Send: ")]
check(len(sends) == 13 and len(set(sends)) == 13, f"13 send arrows, each named after its message: {sends}")

def walk(section):
    """Tabs round the panel once; each stop must be on screen."""
    print(f"# every Tab stop of {section} is on screen")
    window = extents(frame)
    start, stops = None, 0
    for _ in range(80):
        key("Tab")
        at = focused(frame)
        check(at is not None, "the focus is somewhere")
        if at is None:
            return
        name = at.name
        if name == start:
            break
        start = start or name
        stops += 1
        check(at.getState().contains(pyatspi.STATE_SHOWING), f"{name!r} is showing")
        where = extents(at)
        check(inside(where, window), f"{name!r} {where} inside the window {window}")
        ancestor = at.parent
        while ancestor is not None and ancestor != frame:
            if ancestor.getRoleName() == "list":
                check(inside(where, extents(ancestor)), f"{name!r} {where} inside the list {extents(ancestor)}")
            ancestor = ancestor.parent
    check(stops > 3, f"{stops} stops in {section}")

def tab_to(name):
    for _ in range(80):
        key("Tab")
        at = focused(frame)
        if at is not None and at.name == name:
            return True
    return False

subprocess.run(["xdotool", "type", "--delay", "20", "0501234567 or 0551234567"], check=True)
key("Return")
print("# and the numbers of Which number?")
audit(True, True)
walk("the Number section with Which number?")

check(tab_to("Messages"), "Tab reaches the Messages tab")
key("Return")
walk("the messages")

print("# Return on the last message's arrow, below the fold, sends it")
last = sends[-1]
check(tab_to(last), f"Tab reaches {last!r}")
key("Return")
opened = os.path.join(os.environ["SCRATCH"], "opened")
for _ in range(100):
    if os.path.exists(opened) and os.path.getsize(opened) > 0:
        break
    time.sleep(0.1)
links = open(opened).read().split() if os.path.exists(opened) else []
check(len(links) == 1 and links[0].startswith("whatsapp://send?text="), f"one message sent: {links}")

sys.exit(1 if failures else 0)
PY
echo "PASS"
