"""check() and eventually() for the Python parts of the system tests."""
import sys
import time

from gi.repository import GLib

failures = []


def check(ok, what):
    """Notes a failure, and goes on: one run tells of every fault."""
    if not ok:
        failures.append(what)
        print("  not so:", what)
    return ok


def eventually(done, seconds=10):
    """What done() gives once it is true, within the time, or None; D-Bus
    signals are taken in meanwhile."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)
        value = done()
        if value:
            return value
        time.sleep(0.1)
    return None


def finish():
    sys.exit(1 if failures else 0)
