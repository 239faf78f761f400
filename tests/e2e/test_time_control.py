"""The time control on a first start: with an empty configuration folder the
time-control dialog comes before the clock; a preset chosen with the arrow keys
and Return gives both players its time, Exit leaves the eight time keys in the
settings file, and the next start shows the clock at once with that time."""

import time

from velmora_e2e import E2EError, Velmora, run, wait_until

TIME_DIALOG = "Please choose your preferred time setting!"
MAIN_WINDOW = "Velmora 2003"

# Left from "User defined (h/m/s)" is "1 h", down from there "1 h 30 min".
CHOSEN_TIME = {"P1h": "1", "P1min": "30", "P1sec": "0", "P2h": "1", "P2min": "30",
               "P2sec": "0", "ContinueRunning": "0", "GameType": "9"}
FIVE_MINUTES = {**CHOSEN_TIME, "P1h": "0", "P1min": "5", "P2h": "0", "P2min": "5",
                "GameType": "1"}


def visible(clock, title):
    ids = clock.xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False).split()
    return int(ids[-1]) if ids else None


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
    clocks = [first]
    try:
        def first_dialog():
            first.check_running()
            return next(((t, w) for t in ("Options", TIME_DIALOG) if (w := visible(first, t))),
                        None)
        title, window = wait_until(first_dialog, 15.0, what="the first dialog")
        if title == "Options":
            # The very first start may ask for the language first; keep English.
            first.key(window, "alt+o")
            window = first.find_window(TIME_DIALOG)
        if visible(first, MAIN_WINDOW):
            raise E2EError("the clock showed before the time control was chosen")

        first.key(window, "Left", "Down", "Return")
        wait_until(lambda: first.window_gone(window), what="the dialog to close")
        clock_window = first.find_window(MAIN_WINDOW)
        chosen = settled_digest(first, clock_window)
        first.key(clock_window, "ctrl+x")
        if (status := first.wait_exit()) != 0:
            raise E2EError(f"exit status {status}")
        sections = first.settings()
        if sections.get("Time") != CHOSEN_TIME:
            raise E2EError(f"stored time {sections.get('Time')}, expected {CHOSEN_TIME}")

        # The next start takes the stored time without asking, and shows it.
        second = Velmora(display, binary, config_home=first.config_home).start()
        clocks.append(second)
        clock_window = second.find_window(MAIN_WINDOW)
        if visible(second, TIME_DIALOG):
            raise E2EError("the second start asked for the time control again")
        if settled_digest(second, clock_window) != chosen:
            raise E2EError("the second start shows another picture than the first")
        second.stop()

        # The comparison does see the time: the same settings with 5 minutes look different.
        settings = "".join(f"[{name}]\n" + "".join(f"{k}={v}\n" for k, v in keys.items())
                           for name, keys in {**sections, "Time": FIVE_MINUTES}.items())
        third = Velmora(display, binary, settings=settings).start()
        clocks.append(third)
        if settled_digest(third, third.find_window(MAIN_WINDOW)) == chosen:
            raise E2EError("5 minutes and 1 h 30 min look the same")
    finally:
        for clock in reversed(clocks):
            clock.stop()


if __name__ == "__main__":
    run(test)
