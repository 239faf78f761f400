# The very first start, with an empty configuration folder: the options dialog
# comes before anything else. Real presses choose A for White and L for Black
# (Escape and a refused F10 on the way change nothing); the time-control dialog
# follows, where the arrow keys and Return choose "1 h 30 min"; the game is then
# played with L (start), A and Shift+L while the window colours follow. After
# Exit the file holds both keys and the time, and the next start shows the clock
# at once, as it first showed it.
#
# That second start is on a 1920x1080 screen: Ctrl+F gives a full-screen window
# whose time labels are at least a fifth of the screen's height, and Ctrl+F
# returns to the window as it was. Fit to window (Ctrl+G) scales the face with
# its window and is saved.

import time

from velmora_e2e import BLACK, GREY, MAIN, WHITE, Velmora, run, wait_until

TIME_CONTROL = {"P1h": "1", "P1min": "30", "P1sec": "0", "P2h": "1", "P2min": "30",
                "P2sec": "0", "ContinueRunning": "0", "GameType": "9"}


def settled(measure):
    # measure() once two readings in a row agree: the window is painted.
    last, now = None, measure()
    while now != last:
        time.sleep(0.15)
        last, now = now, measure()
    return now


def black_label_height(display, window):
    # The height of Black's time label: the longest run of black in a column.
    def measure():
        columns = list(zip(*display.picture(window)))[2::6]
        return max(len(run) for column in columns for run in bytes(c == BLACK for c in column).split(b"\0"))
    return settled(measure)


def test(display, binary):
    with Velmora(display, binary) as first:
        dialog = first.find_window("Options")
        assert not first.windows(MAIN), "the main window showed before the options dialog"
        # The centres of White's and Black's key boxes, and of OK, in the dialog's pixels.
        for x, y, key in [("328", "73", "a"), ("328", "129", "l")]:
            first.xdotool("mousemove", "--window", str(dialog), x, y, "click", "1")
            first.key(dialog, "Escape", "F10")  # Escape must not close the dialog; F10 is refused
            refusal = first.find_window("Velmora")
            first.key(refusal, "Return")
            wait_until(lambda: refusal not in first.windows(), what="the refusal message to close")
            first.key(dialog, key)
        first.xdotool("mousemove", "--window", str(dialog), "184", "180", "click", "1")
        time_control = first.find_window("Please choose your preferred time setting!")
        assert not first.windows(MAIN), "the clock showed before the time control was chosen"
        # Left from "User defined (h/m/s)" is "1 h", down from there "1 h 30 min".
        first.key(time_control, "Left", "Down", "Return")
        window = first.find_window()
        shown = settled(lambda: display.picture(window))
        assert first.background(window) == GREY
        for key, colour in [("l", WHITE), ("a", BLACK), ("shift+l", WHITE)]:
            first.press(window, key, colour=colour)
        first.key(window, "ctrl+x")
        status, general = first.process.wait(timeout=15), first.settings("General")
        assert (status, general.get("MouseButton1"), general.get("MouseButton2"), first.settings("Time")) == (
            0, "65", "76", TIME_CONTROL), "not kept: " + first.settings_text()

        with Velmora(display, binary, config_home=first.config_home) as second:
            window = second.find_window()
            assert settled(lambda: display.picture(window)) == shown, "the second start shows another picture"
            assert not second.windows("Options"), "the options dialog at the second start"
            before = display.size(window)
            second.key(window, "ctrl+f")
            wait_until(lambda: display.size(window) == (1920, 1080), what="a full-screen window")
            assert (label := black_label_height(display, window)) >= 1080 / 5, f"full screen: labels {label} high"
            second.key(window, "ctrl+f")
            wait_until(lambda: display.size(window) == before, what="the window as it was")
            second.xdotool("windowsize", "--sync", str(window), "1200", "600")
            design = black_label_height(display, window)
            second.key(window, "ctrl+g")
            assert (fitted := black_label_height(display, window)) > 1.5 * design, f"fit: {design}, {fitted} high"
            second.key(window, "ctrl+x")
            assert second.process.wait(timeout=15) == 0, "the second start did not end cleanly"
            assert second.settings("General").get("FitToWindow") == "1", "Fit to window was not kept"


if __name__ == "__main__":
    run(test, size=(1920, 1080))
