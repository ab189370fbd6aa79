"""What a screen reader is told about the running program, read through the accessibility bus.

Run in a D-Bus session of its own on an X display: accessibletree.py [--play] PROGRAM BUS_LAUNCHER
XDOTOOL [X,Y ...]. Prints every accessible object of the program as "start-up<TAB>role<TAB>name<TAB>
description", clicks at the window pixels X,Y in turn, and prints the changed tree again with
"after clicks" in front. With --play it then prints the picture's actions as "action<TAB>name<TAB>
description", starts "Play the Curve" and lets it play five seconds. Exits non-zero, saying why,
when the program never shows up.
"""

import os
import subprocess
import sys
import time

TIMEOUT_S = 30


def wait_for(condition):
    """What `condition` returns once it holds; None when it has not held within the time."""
    deadline = time.monotonic() + TIMEOUT_S
    while True:
        result = condition()
        if result or time.monotonic() > deadline:
            return result or None
        time.sleep(0.1)


def bus_has_owner(name):
    from gi.repository import Gio, GLib

    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                          "org.freedesktop.DBus", "NameHasOwner", GLib.Variant("(s)", (name,)),
                          None, Gio.DBusCallFlags.NONE, -1, None)
    return reply.unpack()[0]


def application_of(pyatspi, pid):
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.get_process_id() == pid:
            # Only once the window and its controls are there.
            if application.childCount > 0 and application[0].childCount > 0:
                return application
    return None


def main_window(xdotool, pid):
    """The window titled Graph once it shows (a search ended by BadWindow is simply made again)."""
    search = subprocess.run([xdotool, "search", "--onlyvisible", "--pid", str(pid), "--name",
                             "^Graph$"], capture_output=True, text=True, timeout=TIMEOUT_S)
    return (search.stdout.split() or [None])[0] if search.returncode == 0 else None


def rows(accessible):
    accessible.clearCache()
    found = [(accessible.getRoleName(), accessible.name, accessible.description)]
    for child in accessible:
        found += rows(child)
    return found


def main():
    play = sys.argv[1] == "--play"
    program, launcher_path, xdotool, *clicks = sys.argv[1 + play:]
    # The bus launcher must own its name before anyone asks for the bus, or the session bus
    # would start a second one.
    launcher = subprocess.Popen([launcher_path, "--launch-immediately"])
    started = None
    try:
        if not wait_for(lambda: bus_has_owner("org.a11y.Bus")):
            sys.exit("the accessibility bus never came up")
        import pyatspi

        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        started = subprocess.Popen([program], env=environment)
        application = wait_for(lambda: application_of(pyatspi, started.pid))
        if application is None:
            sys.exit("the program never showed on the accessibility bus")
        before = rows(application)
        window = wait_for(lambda: main_window(xdotool, started.pid))
        if window is None:
            sys.exit("the program's window never showed")
        for click in clicks:
            subprocess.run([xdotool, "mousemove", "--window", window, *click.split(","), "click",
                            "1"], check=True, timeout=TIMEOUT_S)
        # Printed also when it never changes, for the caller to judge.
        wait_for(lambda: rows(application) != before)
        for phase, tree in (("start-up", before), ("after clicks", rows(application))):
            for row in tree:
                print(phase, *row, sep="\t")
        if play:
            picture = pyatspi.findDescendant(application, lambda a: a.getRoleName() == "image")
            actions = picture.queryAction()
            names = [actions.getName(i) for i in range(actions.nActions)]
            for i, name in enumerate(names):
                print("action", name, actions.getDescription(i), sep="\t")
            if "Play the Curve" in names:
                actions.doAction(names.index("Play the Curve"))
                time.sleep(5)
    finally:
        if started is not None:
            started.kill()
            started.wait()
        launcher.terminate()
        launcher.wait()


if __name__ == "__main__":
    main()
