# On a private session bus (the test runs under dbus-run-session).
#
# A screen reader's view over AT-SPI: games with each time bonus show, after a
# few moves and a pause, the times a stopwatch gives, and paused they stand still.
#
# A fake screen saver and portal: a running clock holds one inhibition however
# many hand-overs, at the screen saver while no portal answers, else at the
# portal (flag 8, idle); each stop of the clock in STEPS (a pause among them), a
# time-over and the end withdraw it.

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
held, numbers = {}, itertools.count(1)  # what the fakes hold: {cookie or request path: by whom}
# While Black's clock runs and a portal answers: (window, keys, what is held afterwards).
STEPS = [(MAIN, "ctrl+o", []), ("Options", "alt+c", AT_PORTAL), (MAIN, "ctrl+p", []), (MAIN, "ctrl+p", AT_PORTAL)]
# A time bonus, the seconds White and Black think before White thinks half a
# second more, and the clocks a screen reader then reads once the game is paused
# (each a third of a second or more from the next whole second, more than key
# presses take).
GAMES = [("1\nIncrementSeconds=2", 0.7, 2.5, "00:05:00", "00:04:59"),
         ("2\nIncrementSeconds=3", 2.5, 4.5, "00:04:59", "00:04:58"),
         ("3\nIncrementSeconds=3", 2.5, 4.5, "00:05:00", "00:04:58")]


class ScreenSaver(dbus.service.Object):
    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u")
    def Inhibit(self, _application, _reason):
        held[cookie := next(numbers)] = "screen saver"
        return cookie

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u")
    def UnInhibit(self, cookie):
        del held[cookie]


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


def screen_reader_names():
    # Every name a screen reader finds, from the root of the accessibility bus.
    session = dbus.SessionBus()
    address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
    bus, names = dbus.bus.BusConnection(str(address)), []

    def walk(item):
        names.append(str(item.Get("org.a11y.atspi.Accessible", "Name",
                                  dbus_interface="org.freedesktop.DBus.Properties")))
        for owner, path in item.GetChildren(dbus_interface="org.a11y.atspi.Accessible"):
            walk(bus.get_object(owner, path))
    walk(bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"))
    return names


def test(display, binary):
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    screen_reader_names()  # starts the accessibility bus before the program
    for bonus, white, black, white_shown, black_shown in GAMES:
        with Velmora(display, binary, env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"},
                     settings=SETTINGS + "P1min=5\nP2min=5\nP2sec=0\nIncrementMode=" + bonus + "\n") as clock:
            window = clock.find_window()
            for seconds in (white, black, 0.5):
                clock.key(window, "space")
                time.sleep(seconds)
            clock.key(window, "ctrl+p")
            expected = [f"White's time, {white_shown}, waiting", f"Black's time, {black_shown}, waiting"]
            for _ in range(2):  # paused, the times stand still
                names = screen_reader_names()
                assert [n for n in names if "'s time" in n] == expected, f"IncrementMode={bonus}: {names}"
                time.sleep(2)

    saver_bus, portal_bus = dbus.SessionBus(), dbus.SessionBus(private=True)  # two programs
    ScreenSaver(saver_bus, "/org/freedesktop/ScreenSaver")
    Portal(portal_bus, "/org/freedesktop/portal/desktop")
    names = [dbus.service.BusName("org.freedesktop.ScreenSaver", saver_bus)]  # the portal's comes later
    loop = GLib.MainLoop()
    thread = threading.Thread(target=loop.run, daemon=True)
    thread.start()
    with Velmora(display, binary, settings=SETTINGS) as clock:
        window = clock.find_window()
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
        display.close_window(window)
        assert clock.process.wait(timeout=15) == 0, "the program did not end cleanly"
        holds([], "the end")
    # Python's exit must not free the buses while the loop still serves them.
    loop.quit()
    thread.join()


if __name__ == "__main__":
    run(test)
