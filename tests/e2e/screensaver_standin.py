#!/usr/bin/python3
"""A stand-in org.freedesktop.ScreenSaver service, and desktop portal
(org.freedesktop.portal.Inhibit), for the tests.

Owns the names on the session bus and writes each call, one per line, to
the log file named on the command line:
    Inhibit <cookie> <application name> <reason>
    UnInhibit <cookie>
    PortalInhibit <handle> <flags> <reason> window=<window>
    Close <handle>
The screen-saver service hands out a fresh cookie for every Inhibit call,
the portal a fresh request handle, closed with Request.Close.
Options after the log file:
    --portal        also play the portal
    --portal-only   play the portal only: the desktop has no screen-saver
                    service, as Wayland desktops other than GNOME and
                    Plasma
    --silent        take Inhibit (logging "Inhibit asked <seconds since the
                    epoch>") and never answer, like a hung desktop
    --slow          answer Inhibit 1.5 s late
Run with Debian's python (python3-dbus, python3-gi).
"""
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.ScreenSaver"
PORTAL = "org.freedesktop.portal.Desktop"
INHIBIT = "org.freedesktop.portal.Inhibit"
REQUEST = "org.freedesktop.portal.Request"


class Log:
    def __init__(self, path):
        self.path = path

    def __call__(self, line):
        with open(self.path, "a", encoding="utf-8") as log:
            log.write(line + "\n")


def answered(modes, log, give):
    """Calls give() as the mode says: at once, late, or never."""
    if "--silent" in modes:
        log(f"Inhibit asked {time.time():.3f}")
        return
    if "--slow" in modes:
        GLib.timeout_add(1500, lambda: give() and False)
    else:
        give()


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, log, modes):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.log = log
        self.modes = modes
        self.next_cookie = 4711

    @dbus.service.method(NAME, in_signature="ss", out_signature="u",
                         async_callbacks=("answer", "refuse"))
    def Inhibit(self, application_name, reason, answer, refuse):
        cookie = self.next_cookie
        self.next_cookie += 1

        def give():
            self.log(f"Inhibit {cookie} {application_name} {reason}")
            answer(dbus.UInt32(cookie))

        answered(self.modes, self.log, give)

    @dbus.service.method(NAME, in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        self.log(f"UnInhibit {int(cookie)}")


class Request(dbus.service.Object):
    """One inhibition, lasting until it is closed."""

    def __init__(self, bus, handle, log):
        super().__init__(bus, handle)
        self.handle = handle
        self.log = log

    @dbus.service.method(REQUEST, in_signature="", out_signature="")
    def Close(self):
        self.log(f"Close {self.handle}")
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus, log, modes):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.bus = bus
        self.log = log
        self.modes = modes
        self.next_token = 1

    @dbus.service.method(INHIBIT, in_signature="sua{sv}", out_signature="o",
                         sender_keyword="sender", async_callbacks=("answer", "refuse"))
    def Inhibit(self, window, flags, options, sender, answer, refuse):
        # The handle as the portal makes it: the caller's unique name
        # without ':' and with '_' for '.', and a token.
        caller = sender[1:].replace(".", "_")
        handle = f"/org/freedesktop/portal/desktop/request/{caller}/t{self.next_token}"
        self.next_token += 1

        def give():
            Request(self.bus, handle, self.log)
            self.log(f"PortalInhibit {handle} {int(flags)} {options.get('reason', '')} window={window}")
            answer(dbus.ObjectPath(handle))

        answered(self.modes, self.log, give)


def main():
    log = Log(sys.argv[1])
    modes = sys.argv[2:]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    services = []
    if "--portal-only" not in modes:
        services += [ScreenSaver(bus, log, modes), dbus.service.BusName(NAME, bus, do_not_queue=True)]
    if "--portal" in modes or "--portal-only" in modes:
        services += [Portal(bus, log, modes), dbus.service.BusName(PORTAL, bus, do_not_queue=True)]
    log("ready")
    GLib.MainLoop().run()
    del services


if __name__ == "__main__":
    main()
