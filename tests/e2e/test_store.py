"""Exit never waits for good on the settings file's lock: with a lock that is a
folder, or a fresh empty lock file, Exit gives up after a short wait and says
that the settings could not be saved; the file stays as it was. A termination
signal ends the program while that message is up. (The lock cases that only
file permissions make, a read-only folder or another user's lock, do not bind
the super-user; the store's own test covers them for other users.)"""

import os
import signal

from velmora_e2e import E2EError, Velmora, run

SETTINGS = "[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n[Time]\nP1min=5\nP2min=5\n"


def test(display, binary):
    for lock, answer in [("folder", "Return"), ("empty file", signal.SIGTERM)]:
        clock = Velmora(display, binary, settings=SETTINGS).start()
        try:
            lock_path = clock.settings_path + ".lock"
            if lock == "folder":
                os.mkdir(lock_path)
            else:
                open(lock_path, "w").close()
            clock.key(clock.find_window("Velmora 2003"), "space", "ctrl+x")
            message = clock.find_window("Velmora")
            if answer == "Return":
                clock.key(message, "Return")
            else:
                clock.process.send_signal(answer)
            if (status := clock.wait_exit()) != 0:
                raise E2EError(f"lock {lock}: exit status {status}")
            if clock.settings_text() != SETTINGS:
                raise E2EError(f"lock {lock}: the file changed: {clock.settings_text()!r}")
        finally:
            clock.stop()


if __name__ == "__main__":
    run(test)
