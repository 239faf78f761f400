"""The time control on a first start: with an empty configuration folder the
time-control dialog comes before the clock; a preset chosen with the arrow keys
and Return gives both players its time, Exit leaves the eight time keys in the
settings file, and the next start shows the clock at once with that time."""

import time

from velmora_e2e import E2EError, Velmora, run, wait_until

TIME_DIALOG = "Please choose your preferred time setting!"
OPTIONS_DIALOG = "Options"
MAIN_WINDOW = "Velmora 2003"

# Left from "User defined (h/m/s)" is "1 h", down from there "1 h 30 min".
CHOSEN_TIME = {"P1h": "1", "P1min": "30", "P1sec": "0", "P2h": "1", "P2min": "30",
               "P2sec": "0", "ContinueRunning": "0", "GameType": "9"}

OTHER_TIME = """[General]
Language=1
MouseButton1=32
MouseButton2=32

[Time]
P1h=0
P1min=5
P1sec=0
P2h=0
P2min=5
P2sec=0
ContinueRunning=0
GameType=1
"""


def visible(clock, title):
    out = clock.xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False)
    ids = [int(w) for w in out.split()]
    return ids[-1] if ids else None


def first_of(clock, titles, timeout=15.0):
    """(title, window id) of whichever of the titled windows shows first."""
    def search():
        clock.check_running()
        for title in titles:
            window = visible(clock, title)
            if window:
                return title, window
        return None
    return wait_until(search, timeout, what=" or ".join(f"'{t}'" for t in titles))


def settled_digest(clock, window):
    """The window's pixels once they stop changing (the first paint is done)."""
    width, height = clock.geometry(window)
    last = None
    for _ in range(40):
        digest = clock.region_digest(window, 0, 0, width, height)
        if digest == last:
            return digest
        last = digest
        time.sleep(0.15)
    raise E2EError("the window kept changing")


def test(display, binary):
    first = Velmora(display, binary).start()
    second = third = None
    try:
        title, window = first_of(first, [OPTIONS_DIALOG, TIME_DIALOG])
        if title == OPTIONS_DIALOG:
            # The very first start asks for the language first; keep English.
            first.key(window, "alt+o")
            title, window = first_of(first, [TIME_DIALOG])
        if visible(first, MAIN_WINDOW):
            raise E2EError("the clock showed before the time control was chosen")

        first.key(window, "Left", "Down", "Return")
        wait_until(lambda: first.window_gone(window), what="the dialog to close")
        clock_window = first.find_window(MAIN_WINDOW)
        chosen = settled_digest(first, clock_window)

        first.key(clock_window, "ctrl+x")
        status = first.wait_exit()
        if status != 0:
            raise E2EError(f"exit status {status}")
        stored = first.settings().get("Time", {})
        if stored != CHOSEN_TIME:
            raise E2EError(f"stored time {stored}, expected {CHOSEN_TIME}")

        # The next start takes the stored time without asking, and shows it.
        second = Velmora(display, binary, config_home=first.config_home).start()
        clock_window = second.find_window(MAIN_WINDOW)
        if visible(second, TIME_DIALOG):
            raise E2EError("the second start asked for the time control again")
        if settled_digest(second, clock_window) != chosen:
            raise E2EError("the second start shows another picture than the first")
        second.stop()

        # The comparison does see the time: 5 minutes looks different.
        third = Velmora(display, binary, settings=OTHER_TIME).start()
        clock_window = third.find_window(MAIN_WINDOW)
        if settled_digest(third, clock_window) == chosen:
            raise E2EError("5 minutes and 1 h 30 min look the same")
    finally:
        for clock in (third, second, first):
            if clock:
                clock.stop()


if __name__ == "__main__":
    run(test)
