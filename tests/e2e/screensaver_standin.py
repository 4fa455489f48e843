#!/usr/bin/python3
"""A stand-in org.freedesktop.ScreenSaver service for the tests.

Owns the name on the session bus, hands out a fresh cookie for every
Inhibit call and writes each call, one per line, to the log file named
on the command line:
    Inhibit <cookie> <application name> <reason>
    UnInhibit <cookie>
A second argument changes how Inhibit is answered: --silent takes the call
(logging "Inhibit asked <seconds since the epoch>") and never answers, like
a hung desktop; --slow answers 1.5 s late.
Run with Debian's python (python3-dbus, python3-gi).
"""
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.ScreenSaver"


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, log_path, mode):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.log_path = log_path
        self.mode = mode
        self.unanswered = []
        self.next_cookie = 4711

    def log(self, line):
        with open(self.log_path, "a", encoding="utf-8") as log:
            log.write(line + "\n")

    @dbus.service.method(NAME, in_signature="ss", out_signature="u",
                         async_callbacks=("answer", "refuse"))
    def Inhibit(self, application_name, reason, answer, refuse):
        if self.mode == "--silent":
            self.log(f"Inhibit asked {time.time():.3f}")
            self.unanswered.append(answer)
            return
        cookie = self.next_cookie
        self.next_cookie += 1

        def give():
            self.log(f"Inhibit {cookie} {application_name} {reason}")
            answer(dbus.UInt32(cookie))
            return False

        if self.mode == "--slow":
            GLib.timeout_add(1500, give)
        else:
            give()

    @dbus.service.method(NAME, in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        self.log(f"UnInhibit {int(cookie)}")


def main():
    log_path = sys.argv[1]
    mode = sys.argv[2] if len(sys.argv) > 2 else ""
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    service = ScreenSaver(bus, log_path, mode)
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    service.log("ready")
    GLib.MainLoop().run()
    del name


if __name__ == "__main__":
    main()
