"""The very first start with an empty configuration folder: the options dialog
comes before anything else. Real presses choose A for White and L for Black
(Escape and a refused F10 on the way change nothing); the game that follows is
played with L (start), A and Shift+L while the window colours follow. After
Exit the file still holds both keys."""

import time

from velmora_e2e import E2EError, Velmora, run, wait_until

GREY, WHITE, BLACK = 0xC0C0C0, 0xFFFFFF, 0x000000
MAIN_TITLE = "Velmora 2003"
TIME_CONTROL_TITLE = "Please choose your preferred time setting!"


def centre(left, top, width, height):
    """The centre of a control given in twips (15 to a pixel) within the dialog."""
    return (left + width // 2 + 7) // 15, (top + height // 2 + 7) // 15


# Key boxes lie in the frame "Keys" (3480, 240); the buttons on the dialog itself.
WHITE_KEY_BOX = centre(3480 + 240, 240 + 720, 2415, 285)
BLACK_KEY_BOX = centre(3480 + 240, 240 + 1560, 2415, 285)
OKAY_BUTTON = centre(2160, 2520, 1215, 375)


def visible(clock, title):
    out = clock.xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False)
    ids = [int(w) for w in out.split()]
    return ids[-1] if ids else None


def test(display, binary):
    clock = Velmora(display, binary).start()
    try:
        dialog = clock.find_window("Options")
        if visible(clock, MAIN_TITLE):
            raise E2EError("the main window showed before the options dialog")
        clock.click(dialog, *WHITE_KEY_BOX)
        clock.key(dialog, "Escape")
        time.sleep(0.3)
        if clock.window_gone(dialog):
            raise E2EError("Escape in a key box closed the options dialog")
        clock.key(dialog, "a")
        clock.click(dialog, *BLACK_KEY_BOX)
        clock.key(dialog, "F10")
        refusal = clock.find_window("Velmora")
        clock.key(refusal, "Return")
        wait_until(lambda: clock.window_gone(refusal), what="the refusal message to close")
        clock.key(dialog, "l")
        clock.click(dialog, *OKAY_BUTTON)
        wait_until(lambda: clock.window_gone(dialog), what="OK to close the options dialog")

        # A time-control dialog may ask next; Return takes its default.
        def next_window():
            clock.check_running()
            for title in (TIME_CONTROL_TITLE, MAIN_TITLE):
                if found := visible(clock, title):
                    return title, found
        title, found = wait_until(next_window, 15.0, what="the window after the options dialog")
        if title == TIME_CONTROL_TITLE:
            clock.key(found, "Return")
        window = clock.find_window(MAIN_TITLE)

        corner = (3, clock.geometry(window)[1] - 3)
        for key, colour, what in [(None, GREY, "the light grey start colour"),
                                  ("l", WHITE, "L to start White's clock"),
                                  ("a", BLACK, "A to hand the clock to Black"),
                                  ("shift+l", WHITE, "Shift+L to hand the clock to White")]:
            if key:
                clock.key(window, key)
            wait_until(lambda: clock.pixel(window, *corner) == colour, what=what)

        clock.close_window(window)
        if (status := clock.wait_exit()) != 0:
            raise E2EError(f"exit status {status}")
        general = clock.settings().get("General", {})
        if (general.get("MouseButton1"), general.get("MouseButton2")) != ("65", "76"):
            raise E2EError("the keys were not kept: " + clock.settings_text())
    finally:
        clock.stop()


if __name__ == "__main__":
    run(test)
