"""The very first start, with an empty configuration folder: the options dialog
comes before anything else. Real presses choose A for White and L for Black
(Escape and a refused F10 on the way change nothing); the time-control dialog
follows, where the arrow keys and Return choose "1 h 30 min"; the game is then
played with L (start), A and Shift+L while the window colours follow. After
Exit the file holds both keys and the time, and the next start shows the clock
at once, as it first showed it."""

import time

from velmora_e2e import E2EError, Velmora, run, wait_until

GREY, WHITE, BLACK = 0xC0C0C0, 0xFFFFFF, 0x000000
MAIN_TITLE = "Velmora 2003"
TIME_CONTROL = {"P1h": "1", "P1min": "30", "P1sec": "0", "P2h": "1", "P2min": "30",
                "P2sec": "0", "ContinueRunning": "0", "GameType": "9"}


def centre(left, top, width, height):
    """The centre of a control given in twips (15 to a pixel) within the dialog."""
    return (left + width // 2 + 7) // 15, (top + height // 2 + 7) // 15


def visible(clock, title):
    out = clock.xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False)
    return [int(w) for w in out.split()]


def settled_digest(clock, window):
    """The window's pixels once they stop changing (the first paint is done)."""
    width, height = clock.geometry(window)
    last = None
    for _ in range(40):
        if (digest := clock.region_digest(window, 0, 0, width, height)) == last:
            return digest
        last = digest
        time.sleep(0.15)
    raise E2EError("the window kept changing")


def test(display, binary):
    first = Velmora(display, binary).start()
    second = None
    try:
        dialog = first.find_window("Options")
        if visible(first, MAIN_TITLE):
            raise E2EError("the main window showed before the options dialog")
        first.click(dialog, *centre(3480 + 240, 240 + 720, 2415, 285))  # White's key box
        first.key(dialog, "Escape")
        time.sleep(0.3)
        if first.window_gone(dialog):
            raise E2EError("Escape in a key box closed the options dialog")
        first.key(dialog, "a")
        first.click(dialog, *centre(3480 + 240, 240 + 1560, 2415, 285))  # Black's
        first.key(dialog, "F10")
        refusal = first.find_window("Velmora")
        first.key(refusal, "Return")
        wait_until(lambda: first.window_gone(refusal), what="the refusal message to close")
        first.key(dialog, "l")
        first.click(dialog, *centre(2160, 2520, 1215, 375))  # OK
        time_control = first.find_window("Please choose your preferred time setting!")
        if visible(first, MAIN_TITLE):
            raise E2EError("the clock showed before the time control was chosen")
        # Left from "User defined (h/m/s)" is "1 h", down from there "1 h 30 min".
        first.key(time_control, "Left", "Down", "Return")
        window = first.find_window(MAIN_TITLE)
        shown = settled_digest(first, window)
        corner = (3, first.geometry(window)[1] - 3)
        for key, colour in [(None, GREY), ("l", WHITE), ("a", BLACK), ("shift+l", WHITE)]:
            if key:
                first.key(window, key)
            wait_until(lambda: first.pixel(window, *corner) == colour, what=f"{key}: {colour:06x}")
        first.key(window, "ctrl+x")
        if (status := first.wait_exit()) != 0:
            raise E2EError(f"exit status {status}")
        sections = first.settings()
        general = sections.get("General", {})
        if (general.get("MouseButton1"), general.get("MouseButton2")) != ("65", "76") or \
                sections.get("Time") != TIME_CONTROL:
            raise E2EError("not kept: " + first.settings_text())

        second = Velmora(display, binary, config_home=first.config_home).start()
        window = second.find_window(MAIN_TITLE)
        if settled_digest(second, window) != shown or visible(second, "Options"):
            raise E2EError("the second start shows another picture than the first")
    finally:
        for clock in (second, first):
            if clock:
                clock.stop()


if __name__ == "__main__":
    run(test)
