# Walks the Tab order of the running program as a screen reader follows it over AT-SPI, in Greek
# and in English: every object that takes the focus has a name, the walk comes round to where it
# started, and Down in a row list moves the focus once, within that list.
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

STOPS = 19  # the tab stops of the main window
focused = []  # every object that gained the focus, in order


def on_focus(event):
    if event.detail1 == 1:
        focused.append(event.source)


def pump(seconds):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def settle(before, bound=20.0, quiet=0.6):
    """Waits for a focus event after `before` events, then until they stop for `quiet` s."""
    end = time.monotonic() + bound
    while len(focused) == before and time.monotonic() < end:
        pump(0.05)
    if len(focused) == before:
        return None
    count = -1
    while count != len(focused):
        count = len(focused)
        pump(quiet)
    return focused[-1]


def describe(obj):
    return "%s %r" % (obj.get_role_name(), obj.get_name())


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, stdout=subprocess.DEVNULL, timeout=60)


def find_app(bound=90.0):
    end = time.monotonic() + bound
    while time.monotonic() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and "kelvaro" in (app.get_name() or "").lower():
                frame = app.get_child_at_index(0) if app.get_child_count() else None
                if frame is not None and frame.get_role() == Atspi.Role.FRAME:
                    return app, frame
        pump(0.3)
    sys.exit("tab-walk: the program never appeared on the accessibility bus")


def main():
    Atspi.init()
    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")
    app, frame = find_app()
    print("frame:", describe(frame))
    if not frame.get_name():
        sys.exit("tab-walk: the main window has no name")

    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--class", "kelvaro"],
                            check=True, capture_output=True, text=True, timeout=90).stdout.split()[0]
    xdotool("windowfocus", "--sync", window)
    pump(1.0)

    failures = []
    for language, key in (("Greek", None), ("English", "alt+e")):
        if key:
            before = len(focused)
            xdotool("key", key)
            settle(before)
        print("--", language)
        walk = []
        for stop in range(STOPS):
            before = len(focused)
            xdotool("key", "Tab")
            obj = settle(before)
            if obj is None:
                failures.append("%s: no focus event after Tab %d" % (language, stop + 1))
                break
            walk.append(obj)
            print("  %2d %s" % (stop + 1, describe(obj)))
            if not obj.get_name():
                failures.append("%s: Tab %d focuses an unnamed %s"
                                % (language, stop + 1, obj.get_role_name()))
        identities = {(o.get_role_name(), o.get_parent().get_name(), o.get_name()) for o in walk}
        if len(walk) == STOPS and len(identities) != STOPS:
            failures.append("%s: the walk met %d objects in %d stops"
                            % (language, len(identities), STOPS))
        if language != "Greek":
            continue

        # Round again to the first row list (by position, 4 stops on): Down moves the focus
        # once, to the next row of that same list.
        for _ in range(4):
            before = len(focused)
            xdotool("key", "Tab")
            settle(before)
        row = focused[-1]
        before = len(focused)
        xdotool("key", "Down")
        settle(before)
        moved = focused[before:]
        print("  Down from %s:" % describe(row), [describe(o) for o in moved])
        if len(moved) != 1:
            failures.append("Down sent %d focus events" % len(moved))
        elif moved[0].get_parent().get_name() != row.get_parent().get_name() \
                or moved[0].get_name() == row.get_name() or not moved[0].get_name():
            failures.append("Down focused %s" % describe(moved[0]))

    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
