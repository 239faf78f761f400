"""A fake screen saver and portal on a private session bus (the test runs under
dbus-run-session): a running clock holds one inhibition however many hand-overs,
at the screen saver while no portal answers, else at the portal (flag 8, idle);
each stop of the clock in STEPS, a time-over and the end withdraw it."""

import itertools
import threading
import time

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

from velmora_e2e import E2EError, Velmora, run, wait_until

SETTINGS = "[General]\nLanguage=1\n[Sounds]\nPlayerChange=0\nGameOver=0\n[Time]\nP1min=5\nP2sec=5\n"
MAIN, AT_PORTAL = "Velmora 2003", ["portal, flags 8"]
held, numbers = {}, itertools.count(1)  # what the fakes hold: {cookie or request path: by whom}
# While Black's clock runs and a portal answers: (window, keys, what is held afterwards).
STEPS = [(MAIN, "ctrl+o", []), ("Options", "alt+c", AT_PORTAL)]


class ScreenSaver(dbus.service.Object):
    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u")
    def Inhibit(self, _application, _reason):
        cookie = next(numbers)
        held[cookie] = "screen saver"
        return cookie

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u")
    def UnInhibit(self, cookie):
        del held[cookie]


class Portal(dbus.service.FallbackObject):
    """The portal's Inhibit, and Close on the request objects it hands out."""

    @dbus.service.method("org.freedesktop.portal.Inhibit", in_signature="sua{sv}", out_signature="o")
    def Inhibit(self, _window, flags, _options):
        request = f"/request/{next(numbers)}"
        held[request] = f"portal, flags {flags}"
        return self.__dbus_object_path__ + request

    @dbus.service.method("org.freedesktop.portal.Request", rel_path_keyword="request")
    def Close(self, request):
        del held[request]


def holds(expected, after):
    time.sleep(0.3)  # time for a second, wrong request to arrive
    wait_until(lambda: list(held.values()) == expected, what=f"{expected} held after {after}")


def test(display, binary):
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    saver_bus, portal_bus = dbus.SessionBus(), dbus.SessionBus(private=True)  # two programs
    ScreenSaver(saver_bus, "/org/freedesktop/ScreenSaver")
    Portal(portal_bus, "/org/freedesktop/portal/desktop")
    names = [dbus.service.BusName("org.freedesktop.ScreenSaver", saver_bus)]
    threading.Thread(target=GLib.MainLoop().run, daemon=True).start()

    clock = Velmora(display, binary, settings=SETTINGS).start()
    try:
        window = clock.find_window(MAIN)
        clock.key(window, "space", "space")  # White's clock runs, then Black's
        holds(["screen saver"], "two hand-overs")
        names.append(dbus.service.BusName("org.freedesktop.portal.Desktop", portal_bus))
        for title, keys, expected in STEPS:
            clock.key(clock.find_window(title), keys)
            holds(expected, keys)
        holds([], "Black's time-over")
        clock.key(window, "ctrl+n")
        clock.key(clock.find_window("Please choose your preferred time setting!"), "Return")
        clock.key(window, "space")
        holds(AT_PORTAL, "a new game")
        clock.close_window(window)
        if clock.wait_exit() != 0:
            raise E2EError("the program did not end cleanly")
        holds([], "the end")
    finally:
        clock.stop()


if __name__ == "__main__":
    run(test)
