# check() and eventually() for the Python parts of the system tests.
import sys, time

from gi.repository import GLib

failures = []


def check(ok, what):  # notes a failure and goes on: one run tells of every fault
    if not ok:
        failures.append(what)
        print("  not so:", what)
    return ok


def eventually(done, seconds=10):  # what done() gives once true, within the time, or None
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):  # D-Bus signals come in meanwhile
            pass
        value = done()
        if value:
            return value
        time.sleep(0.1)
    return None


def finish():
    sys.exit(1 if failures else 0)
