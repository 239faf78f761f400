# A fake desktop portal on a private session bus (the test runs under
# dbus-run-session): a running clock holds one inhibition at the portal (flag 8,
# idle) however many hand-overs; each stop of the clock in STEPS (the options
# dialog and a pause among them), a time-over and the end withdraw it.

import itertools
import threading
import time

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

from velmora_e2e import MAIN, Velmora, run, wait_until

SETTINGS = "[General]\nLanguage=1\n[Sounds]\nPlayerChange=0\nGameOver=0\n[Time]\nP1min=5\nP2sec=5\n"
AT_PORTAL = ["portal, flags 8"]
held, numbers = {}, itertools.count(1)  # what the portal holds: {request path: with which flags}
# While Black's clock runs: (window, keys, what is held afterwards).
STEPS = [(MAIN, "ctrl+o", []), ("Options", "alt+c", AT_PORTAL), (MAIN, "ctrl+p", []), (MAIN, "ctrl+p", AT_PORTAL)]


class Portal(dbus.service.FallbackObject):
    # The portal's Inhibit, and Close on the request objects it hands out.
    @dbus.service.method("org.freedesktop.portal.Inhibit", in_signature="sua{sv}", out_signature="o")
    def Inhibit(self, _window, flags, _options):
        held[request := f"/request/{next(numbers)}"] = f"portal, flags {flags}"
        return self.__dbus_object_path__ + request

    @dbus.service.method("org.freedesktop.portal.Request", rel_path_keyword="request")
    def Close(self, request):
        del held[request]


def holds(expected, after):
    time.sleep(0.3)  # time for a second, wrong request to arrive
    wait_until(lambda: list(held.values()) == expected, what=f"{expected} held after {after}")


def test(display, binary):
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    # The portal and its well-known name, held for the whole test.
    portal = Portal(bus, "/org/freedesktop/portal/desktop"), dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
    loop = GLib.MainLoop()
    thread = threading.Thread(target=loop.run, daemon=True)
    thread.start()
    with Velmora(display, binary, settings=SETTINGS) as clock:
        window = clock.find_window()
        clock.key(window, "space", "space")  # White's clock runs, then Black's
        holds(AT_PORTAL, "two hand-overs")
        for title, keys, expected in STEPS:
            clock.key(clock.find_window(title), keys)
            holds(expected, keys)
        holds([], "Black's time-over")
        clock.key(window, "ctrl+n")
        clock.key(clock.find_window("Please choose your preferred time setting!"), "Return")
        clock.key(window, "space")
        holds(AT_PORTAL, "a new game")
        display.close_window(window)
        assert clock.process.wait(timeout=15) == 0, "the program did not end cleanly"
        holds([], "the end")
    # Python's exit must not free the bus while the loop still serves it.
    loop.quit()
    thread.join()


if __name__ == "__main__":
    run(test)
