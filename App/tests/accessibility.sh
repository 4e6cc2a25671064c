#!/usr/bin/env bash
# What a screen reader and a keyboard user get: tovu under Xvfb with Qt's
# accessibility on, its AT-SPI tree read with pyatspi from a private D-Bus
# session, and keys typed with xdotool. Every control has a name, the right
# role and a description; Tab reaches the last message, below the fold, and
# Return sends it to the fake WhatsApp. (That every Tab stop is in sight is
# ViewTests'.)
#   accessibility.sh TOVU
set -euo pipefail
source "$(dirname "$0")/x-session.sh"

# The accessibility bus first: Qt looks for it once, at its start.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null \
  || fail "no accessibility bus"
# No tray here: the panel opens as a window of its own at the start.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_tovu

# pyatspi is the system Python's.
SCRATCH="$scratch" /usr/bin/python3 - <<'PY' || fail "see above"
import os, subprocess, sys, time
import pyatspi
from checks import check, eventually, finish

def objects(root):
    for child in root:
        if child is not None:
            yield child
            yield from objects(child)

def shown_frame():
    # Without a tray the window comes after tovu has waited for one (3 s);
    # a loaded machine may take as long again. The panel is on the bus well
    # before that: keys typed then would go nowhere, so wait until it is on
    # screen and has the focus.
    for app in pyatspi.Registry.getDesktop(0):
        for o in app if app is not None and app.name == "tovu" else []:
            state = o.getState() if o is not None and o.getRoleName() == "frame" else None
            if state and state.contains(pyatspi.STATE_SHOWING) and state.contains(pyatspi.STATE_ACTIVE):
                return o

frame = eventually(shown_frame, 30) or sys.exit("tovu's window never came up active on the accessibility bus")
# The deepest focused object: the message list is focused too while one of
# its rows is.
focused = lambda: next((o for o in reversed(list(objects(frame))) if o.getState().contains(pyatspi.STATE_FOCUSED)), None)

def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "30", *keys], check=True)
    time.sleep(0.15)

def tab_to(name):  # Tabs on until `name` has the focus
    return any(key("Tab") or getattr(eventually(focused, 1.5), "name", None) == name for _ in range(80))

def expected_role(o):
    if o.parent is not None and o.parent.getRoleName() == "page tab list":
        return "page tab"
    return "scroll bar" if o.getRoleName() == "scroll bar" else \
        "text" if o.name in ("Phone number", "Message") else "push button"

def actions(o):
    try:
        action = o.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]

def audit(shown_only):  # every control: a name, its role, (scroll bars aside) a description and a press
    for o in objects(frame):
        state = o.getState()
        if not state.contains(pyatspi.STATE_FOCUSABLE) or (shown_only and not state.contains(pyatspi.STATE_SHOWING)):
            continue
        role = o.getRoleName()
        print(f"  {role:12} {o.name!r:55} {o.description!r}")
        check(o.name.strip() != "", f"a {role} without a name")
        check(role == expected_role(o), f"{o.name!r} is a {role}, not a {expected_role(o)}")
        check(role == "scroll bar" or o.description.strip() != "", f"{o.name!r} has no description")
        check(role in ("scroll bar", "text") or "press" in [a.lower() for a in actions(o)],
              f"{o.name!r} cannot be pressed through the screen reader: {actions(o)}")

print("# every control: a name, its role, a description")
audit(False)

print("# and the numbers of Which number?")
subprocess.run(["xdotool", "type", "--delay", "20", "0501234567 or 0551234567"], check=True)
key("Return")
audit(True)

print("# the Messages section, built at its first visit")
check(tab_to("Messages"), "Tab reaches the Messages tab")
key("Return")
sends = eventually(lambda: [o.name for o in objects(frame) if o.name.startswith("Send: ")], 5) or []
audit(True)
for role, what in [("page tab list", "page tab list"), ("list", "list of messages")]:
    found = [o for o in objects(frame) if o.getRoleName() == role]
    check(len(found) == 1 and found[0].name != "", f"one named {what}")
check(len(sends) == 13 and len(set(sends)) == 13, f"13 send arrows, each named after its message: {sends}")

print("# Return on the last message's arrow, below the fold, sends it")
check(tab_to(sends[-1] if sends else "Send: "), f"Tab reaches the last send arrow")
key("Return")
opened = os.path.join(os.environ["SCRATCH"], "opened")
links = eventually(lambda: os.path.exists(opened) and open(opened).read().split()) or []
check(len(links) == 1 and links[0].startswith("whatsapp://send?text="), f"one message sent: {links}")
finish()
PY
echo "PASS"
