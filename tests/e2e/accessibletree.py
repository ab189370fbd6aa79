"""What a screen reader is told about the running program, read through the accessibility bus,
and what it does there.

Run in a D-Bus session of its own: accessibletree.py PROGRAM BUS_LAUNCHER XDOTOOL STEP... (XDOTOOL
"-" off X). Prints every accessible object of the program as "start-up<TAB>role<TAB>name<TAB>
description", then takes the steps in turn:
  X,Y          clicks at the window pixels X,Y (on X, through XDOTOOL);
  NAME=ACTION  does the action ACTION (Toggle, Press, Play the Curve) of the object named NAME, as
               a screen reader, after printing each action that object offers as "action<TAB>name
               <TAB>description";
  +S           waits S seconds (while a sound plays, say);
  ?            once the tree changed, prints it again with "after steps" in front, then "paused",
               and waits for a line on the standard input.
The program is killed at the end unless a step ended it: then "ended with status N" is printed.
Exits non-zero, saying why, when the program never shows up or an object or action is missing.
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


def named(accessible, name):
    """Every object under `accessible`, itself too, named `name`."""
    found = [accessible] if accessible.name == name else []
    for child in accessible:
        found += named(child, name)
    return found


def do_action(application, name, action_name):
    """Does the action of that name of the object of that name that offers it (the window and
    the Graph button share a name)."""
    offered = []
    for accessible in named(application, name):
        actions = accessible.queryAction()
        for i in range(actions.nActions):
            print("action", actions.getName(i), actions.getDescription(i), sep="\t", flush=True)
        for i in range(actions.nActions):
            if actions.getName(i).lower() == action_name.lower():
                actions.doAction(i)
                return
            offered.append(actions.getName(i))
    sys.exit(f"nothing named {name} offers the action {action_name}; offered: {offered}")


def main():
    program, launcher_path, xdotool, *steps = sys.argv[1:]
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
        for row in before:
            print("start-up", *row, sep="\t")
        window = None
        for step in steps:
            if step == "?":
                # Printed also when it never changes, for the caller to judge.
                wait_for(lambda: rows(application) != before)
                for row in rows(application):
                    print("after steps", *row, sep="\t")
                print("paused", flush=True)
                sys.stdin.readline()
            elif step.startswith("+"):
                time.sleep(float(step[1:]))
            elif "=" in step:
                do_action(application, *step.rsplit("=", 1))
            else:
                window = window or wait_for(lambda: main_window(xdotool, started.pid))
                if window is None:
                    sys.exit("the program's window never showed")
                subprocess.run([xdotool, "mousemove", "--window", window, *step.split(","),
                                "click", "1"], check=True, timeout=TIMEOUT_S)
        # An action as the last step is there to end the program: it is given the time to.
        try:
            ending = steps and "=" in steps[-1]
            print(f"ended with status {started.wait(timeout=TIMEOUT_S if ending else 0.1)}",
                  flush=True)
        except subprocess.TimeoutExpired:
            pass
    finally:
        if started is not None:
            started.kill()
            started.wait()
        launcher.terminate()
        launcher.wait()


if __name__ == "__main__":
    main()
