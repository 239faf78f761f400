"""The face that fills the screen, on a 1920x1080 display: Ctrl+F gives a
full-screen window whose time labels are at least a fifth of the screen's
height, and Ctrl+F returns to the window as it was. Fit to window (Ctrl+G)
scales the face with its window and is kept across a restart."""

from velmora_e2e import E2EError, Velmora, VirtualDisplay, run, wait_until

SETTINGS = "[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n[Time]\nP1min=5\nP2min=5\n"


def black_label_height(clock, window):
    """The height of Black's time label, once the window is painted: the
    longest run of black in a column."""
    def measure():
        width, height = clock.geometry(window)
        longest = 0
        for x in range(2, width, 6):
            run = 0
            for colour in clock.display.x.column(window, x, height):
                run = run + 1 if colour == 0 else 0
                longest = max(longest, run)
        return longest
    last = None
    for _ in range(20):
        if (now := measure()) == last:
            return now
        last = now
    raise E2EError("the window kept changing")


def resized(clock, window, width, height):
    clock.xdotool("windowsize", "--sync", str(window), str(width), str(height))
    return black_label_height(clock, window)


def test(_display, binary):
    display = VirtualDisplay(1920, 1080)
    first = second = None
    try:
        first = Velmora(display, binary, settings=SETTINGS).start()
        window = first.find_window("Velmora 2003")
        before = first.geometry(window)
        first.key(window, "ctrl+f")
        wait_until(lambda: first.geometry(window) == (1920, 1080), what="a full-screen window")
        if (label := black_label_height(first, window)) < 1080 / 5:
            raise E2EError(f"full screen: the time labels are {label} pixels high")
        first.key(window, "ctrl+f")
        wait_until(lambda: first.geometry(window) == before, what="the window as it was")

        design = resized(first, window, 1200, 600)
        first.key(window, "ctrl+g")
        fitted = black_label_height(first, window)
        if not fitted > 1.5 * design:
            raise E2EError(f"Fit to window: labels {design}, then {fitted} pixels high")
        first.key(window, "ctrl+x")
        first.wait_exit()
        second = Velmora(display, binary, config_home=first.config_home).start()
        window = second.find_window("Velmora 2003")
        if resized(second, window, 1200, 600) != fitted:
            raise E2EError("Fit to window was not kept: " + second.settings_text())
    finally:
        for clock in (second, first):
            if clock:
                clock.stop()
        display.stop()


if __name__ == "__main__":
    run(test)
