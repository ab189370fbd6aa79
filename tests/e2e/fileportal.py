"""The desktop's file chooser as a test plays it: org.freedesktop.portal.FileChooser on the session
bus, answering SaveFile alone.

Run on a private session bus: fileportal.py. Prints "ready" once it owns the portal's name; then,
for each SaveFile, one JSON line of what the program asked (title, current_name, current_folder,
filter names) and answers with the next line of its standard input: a file URI to save to, or
"cancel" for a user who closed the chooser.
"""

import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PORTAL = "org.freedesktop.portal.Desktop"
PORTAL_PATH = "/org/freedesktop/portal/desktop"
CHOOSER = "org.freedesktop.portal.FileChooser"
REQUEST = "org.freedesktop.portal.Request"
# The client subscribes to the answer once SaveFile has returned the request's path: the answer
# waits this long for that.
ANSWER_DELAY_MS = 1000


class Request(dbus.service.Object):
    @dbus.service.signal(REQUEST, signature="ua{sv}")
    def Response(self, response, results):
        pass

    @dbus.service.method(REQUEST)
    def Close(self):
        pass


class FileChooser(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PORTAL_PATH)
        self.bus = bus
        self.requests = []

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == CHOOSER and name == "version":
            return dbus.UInt32(3, variant_level=1)
        raise dbus.exceptions.DBusException(f"no property {interface}.{name}",
                                            name="org.freedesktop.DBus.Error.UnknownProperty")

    @dbus.service.method(CHOOSER, in_signature="ssa{sv}", out_signature="o",
                         sender_keyword="sender")
    def SaveFile(self, parent_window, title, options, sender):
        folder = bytes(options.get("current_folder", [])).rstrip(b"\0").decode()
        asked = {"parent_window": str(parent_window), "title": str(title),
                 "current_name": str(options.get("current_name", "")), "current_folder": folder,
                 "filters": [str(f[0]).strip() for f in options.get("filters", [])]}
        print(json.dumps(asked), flush=True)
        answer = sys.stdin.readline().strip()
        token = str(options.get("handle_token", f"t{len(self.requests)}"))
        path = f"{PORTAL_PATH}/request/{sender[1:].replace('.', '_')}/{token}"
        request = Request(self.bus, path)
        self.requests.append(request)
        if answer == "cancel":
            response, results = dbus.UInt32(1), dbus.Dictionary({}, signature="sv")
        else:
            response = dbus.UInt32(0)
            results = dbus.Dictionary({"uris": dbus.Array([answer], signature="s")},
                                      signature="sv")
        GLib.timeout_add(ANSWER_DELAY_MS, lambda: request.Response(response, results) and False)
        return dbus.ObjectPath(path)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    chooser = FileChooser(bus)
    name = dbus.service.BusName(PORTAL, bus, do_not_queue=True)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del chooser, name


if __name__ == "__main__":
    main()
