# The clock played with real key presses: Black's Space starts White's clock,
# the window turns white and the time runs; the next Space turns it black (also
# with Shift, and after a lone Alt or Alt+F and Escape, which must leave the
# menu bar without the keyboard). Closing the window, or SIGTERM, SIGINT or
# SIGHUP during a game, ends the program with status 0 and saves the settings.
#
# Exit never waits for good on the settings file's lock: with a lock that is a
# folder, or a fresh empty lock file, Exit gives up after a short wait and says
# that the settings could not be saved; the file stays as it was, and a signal
# ends the program while that message is up. A signal during a game ends it too,
# the failure going to the log, not to a message box that would hold it up.

import os
import signal

from velmora_e2e import BLACK, WHITE, Velmora, run

SETTINGS = "[General]\nLanguage=2\n[Sounds]\nPlayerChange=0\nGameOver=0\n[Time]\nP1min=5\nP2min=5\n"
# How the lock beside the settings file is made, and the steps that end a running game.
LOCK_FOLDER, FRESH_LOCK = os.mkdir, lambda path: open(path, "w").close()
ENDINGS = [(None, ["close"]), (None, [signal.SIGTERM]), (None, [signal.SIGINT]), (None, [signal.SIGHUP]),
           (LOCK_FOLDER, ["ctrl+x", "Return"]), (FRESH_LOCK, ["ctrl+x", signal.SIGTERM]), (LOCK_FOLDER, [signal.SIGHUP])]


def test(display, binary):
    for lock, steps in ENDINGS:
        with Velmora(display, binary, settings=SETTINGS) as clock:
            if lock:
                lock(f"{clock.settings_path}.lock")
            window = clock.find_window()
            clock.press(window, "space", colour=WHITE)  # a game runs
            for step in steps:
                if step == "close":
                    for keys, colour in [(["space"], BLACK), (["shift+space"], WHITE),
                                         (["alt", "space"], BLACK), (["alt+f", "Escape", "space"], WHITE)]:
                        clock.press(window, *keys, colour=colour)
                    display.close_window(window)
                elif step == "ctrl+x":
                    clock.key(window, "ctrl+x")
                    message = clock.find_window("Velmora")
                elif step == "Return":
                    clock.key(message, "Return")
                else:
                    clock.process.send_signal(step)
            status, general = clock.process.wait(timeout=15), clock.settings("General")
            # Locked, the file stays as it was; else it holds the keys and keeps the language.
            kept = clock.settings_text() == SETTINGS if lock else (
                general.get("MouseButton1"), general.get("Language")) == ("32", "2")
            assert status == 0 and kept, f"{steps}, locked: {bool(lock)}, {status}, {clock.settings_text()!r}"

if __name__ == "__main__":
    run(test)
