#!/usr/bin/python3
"""What a screen reader finds in the main window, through AT-SPI: every control has a name,
and a ruler's value, in words, changes with a key press.

    dbus-run-session -- accessibility_test.py PROGRAM

Run in the working folder (build/run) on an X display (ctest's, else $DISPLAY); starts the
accessibility bus and the program with GTK's accessibility bridge, then asks the bus. Prints
what it checked; exits 1 on a failure.
"""

import os
import subprocess
import sys
import time

import pyatspi

# Roles of what a user reaches or reads; containers, fillers and rules need no name.
NAMED_ROLES = {
    "push button", "toggle button", "check box", "radio button", "combo box", "text",
    "slider", "image", "icon", "label", "heading", "scroll bar", "spin button", "menu item",
}


def wait_for(condition, seconds, what):
    end = time.time() + seconds
    while time.time() < end:
        found = condition()
        if found:
            return found
        time.sleep(0.2)
    sys.exit(f"FAIL: {what}")


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name and app.childCount > 0:
            return app
    return None


def walk(node, path=""):
    yield node, path
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, f"{path}/{child.getRoleName()}")


def main():
    program = sys.argv[1]
    assigned = os.environ.get("CTEST_RESOURCE_GROUP_0_DISPLAY", "")
    if assigned.startswith("id:"):
        os.environ["DISPLAY"] = ":" + assigned[3:].split(",")[0]
    os.environ.pop("NO_AT_BRIDGE", None)
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    app = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    failures = []
    try:
        window = wait_for(lambda: application(os.path.basename(program)), 60,
                          "the program never appeared on the accessibility bus")
        frame = wait_for(lambda: next((n for n, _ in walk(window)
                                       if n.getRoleName() == "frame"), None), 30, "no frame")
        time.sleep(1)
        checked = 0
        for node, path in walk(frame):
            if node.getRoleName() not in NAMED_ROLES:
                continue
            if not node.getState().contains(pyatspi.STATE_SHOWING):
                continue
            checked += 1
            if not node.name.strip():
                failures.append(f"unnamed {node.getRoleName()} at {path}")
        print(f"{checked} controls checked")

        volume = next((n for n, _ in walk(frame)
                       if n.getRoleName() == "slider" and n.name == "Volume"), None)
        if volume is None:
            failures.append("no slider named Volume")
        else:
            before = volume.description
            volume.queryComponent().grabFocus()
            wait_for(lambda: volume.getState().contains(pyatspi.STATE_FOCUSED), 10,
                     "the volume ruler did not take the focus")
            pyatspi.Registry.generateKeyboardEvent(0xff51, None, pyatspi.KEY_SYM)  # Left
            wait_for(lambda: volume.description != before, 10,
                     f"the volume's text stayed {before!r} after Left")
            print(f"Volume: {before!r} became {volume.description!r}")
            if (before, volume.description) != ("Volume 100%", "Volume 99%"):
                failures.append(f"volume said {before!r}, then {volume.description!r}")
    finally:
        app.terminate()
        app.wait(10)
        bus.terminate()
        bus.wait(10)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{1 if not failures else 0} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
