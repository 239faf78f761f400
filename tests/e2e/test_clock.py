"""The clock played with real key presses: Black's Space starts White's clock,
the window turns white and the time runs, the next Space turns it black (also
with Shift, and after a lone Alt or Alt+F and Escape), and closing the window
ends the program with status 0. Ending it from outside
(SIGTERM, SIGINT, SIGHUP) takes the same way out and saves the settings.

Exit never waits for good on the settings file's lock: with a lock that is a
folder, or a fresh empty lock file, Exit gives up after a short wait and says
that the settings could not be saved; the file stays as it was, and a signal
ends the program while that message is up. (The lock cases that only file
permissions make do not bind the super-user; the store's own test covers them
for other users.)"""

import os
import signal
import time

from velmora_e2e import E2EError, Velmora, run, wait_until

SETTINGS = "[General]\nLanguage=2\n[Sounds]\nPlayerChange=0\nGameOver=0\n[Time]\nP1min=5\nP2min=5\n"
GREY, WHITE, BLACK = 0xC0C0C0, 0xFFFFFF, 0x000000


def check_saved_and_ended(clock, how):
    status = clock.wait_exit()
    general = clock.settings().get("General", {})
    if status != 0 or general.get("MouseButton1") != "32" or general.get("Language") != "2":
        raise E2EError(f"{how}: exit status {status}, settings {clock.settings_text()!r}")


def test(display, binary):
    clock = Velmora(display, binary, settings=SETTINGS).start()
    try:
        window = clock.find_window("Velmora 2003")
        width, height = clock.geometry(window)

        def background():  # the window background, outside the frame
            return clock.pixel(window, 3, height - 3)

        wait_until(lambda: background() == GREY, what="the light grey start colour")
        clock.key(window, "space")
        wait_until(lambda: background() == WHITE, what="the window to turn white")
        before = clock.region_digest(window, 0, 0, width, height)
        time.sleep(1.6)
        if clock.region_digest(window, 0, 0, width, height) == before:
            raise E2EError("White's time did not run")
        # Shift does not matter; a lone Alt, or Alt+F and Escape, leave the menu
        # bar without the keyboard, so the next Space still hands over.
        for keys, colour in [(["space"], BLACK), (["shift+space"], WHITE),
                             (["alt", "space"], BLACK), (["alt+f", "Escape", "space"], WHITE)]:
            clock.key(window, *keys)
            wait_until(lambda: background() == colour, what=f"{'+'.join(keys)} to hand over")
        clock.close_window(window)
        check_saved_and_ended(clock, "closing the window")
    finally:
        clock.stop()

    for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        clock = Velmora(display, binary, settings=SETTINGS).start()
        try:
            clock.key(clock.find_window("Velmora 2003"), "space")  # a game runs
            clock.process.send_signal(number)
            check_saved_and_ended(clock, number.name)
        finally:
            clock.stop()

    for lock, answer in [("folder", "Return"), ("empty file", signal.SIGTERM)]:
        clock = Velmora(display, binary, settings=SETTINGS).start()
        try:
            lock_path = clock.settings_path + ".lock"
            os.mkdir(lock_path) if lock == "folder" else open(lock_path, "w").close()
            clock.key(clock.find_window("Velmora 2003"), "space", "ctrl+x")
            message = clock.find_window("Velmora")
            if answer == "Return":
                clock.key(message, "Return")
            else:
                clock.process.send_signal(answer)
            if (status := clock.wait_exit()) != 0 or clock.settings_text() != SETTINGS:
                raise E2EError(f"lock {lock}: status {status}, file {clock.settings_text()!r}")
        finally:
            clock.stop()


if __name__ == "__main__":
    run(test)
