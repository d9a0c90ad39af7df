#!/usr/bin/python3
"""What a screen reader finds in the main window through AT-SPI: every control has a name, and
the volume ruler's value in words changes with a key press. Run as
`dbus-run-session -- accessibility_test.py PROGRAM` in the working folder, on ctest's display."""

import os
import subprocess
import sys
import time

import pyatspi

# What a user reaches or reads; containers, fillers and rules need no name.
NAMED = {"push button", "toggle button", "check box", "radio button", "combo box", "text",
         "slider", "image", "icon", "label", "heading", "scroll bar"}


def wait_for(condition, seconds=60):
    end = time.time() + seconds
    while not condition() and time.time() < end:
        time.sleep(0.2)
    return condition()


def walk(node):
    yield node
    for child in filter(None, node):
        yield from walk(child)


def check(name):
    desktop = pyatspi.Registry.getDesktop(0)
    found = lambda: [a for a in filter(None, desktop) if a.name == name and a.childCount]
    assert wait_for(found), "the program never appeared on the accessibility bus"
    time.sleep(1)
    shown = [n for n in walk(found()[0]) if n.getRoleName() in NAMED
             and n.getState().contains(pyatspi.STATE_SHOWING)]
    unnamed = [n.getRoleName() for n in shown if not n.name.strip()]
    assert len(shown) > 40 and not unnamed, f"{len(shown)} controls, unnamed: {unnamed}"
    volume = next(n for n in shown if n.getRoleName() == "slider" and n.name == "Volume")
    assert volume.description == "Volume 100%", volume.description
    volume.queryComponent().grabFocus()
    assert wait_for(lambda: volume.getState().contains(pyatspi.STATE_FOCUSED), 10), "no focus"
    # On a busy machine the toolkit may take the focus after the bus reports it and drop a key
    # pressed before: a key is pressed again only while the value has not moved at all.
    for _ in range(3):
        pyatspi.Registry.generateKeyboardEvent(0xff51, None, pyatspi.KEY_SYM)  # Left
        if wait_for(lambda: volume.description != "Volume 100%", 20):
            break
    assert volume.description == "Volume 99%", volume.description


def main():
    assigned = os.environ.get("CTEST_RESOURCE_GROUP_0_DISPLAY", "")
    if assigned.startswith("id:"):
        os.environ["DISPLAY"] = ":" + assigned[3:].split(",")[0]
    os.environ.pop("NO_AT_BRIDGE", None)
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    program = subprocess.Popen(sys.argv[1:], stderr=subprocess.DEVNULL)
    try:
        check(os.path.basename(sys.argv[1]))  # a failed assertion exits with 1 and says why
    finally:
        program.terminate()
        bus.terminate()


if __name__ == "__main__":
    main()
