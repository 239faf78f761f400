"""Shared steps of the install tests: running a command, and running an
installed Velmora up to its about dialog."""

import os
import subprocess

from velmora_e2e import E2EError, Velmora, wait_until

BUILD_DIR = os.environ["VELMORA_BINARY_DIR"]
VERSION = os.environ["VELMORA_VERSION"]

# English (the about dialog's title is known), keys chosen and a game set: no dialog at the start.
SETTINGS = """[General]
Language=1
MouseButton1=32
MouseButton2=32
[Sounds]
PlayerChange=0
GameOver=0
[Time]
P1min=5
P2min=5
GameType=1
"""


def command(*args, cwd=None):
    """Runs a command and returns its output; a failure ends the test."""
    result = subprocess.run(args, cwd=cwd, capture_output=True, text=True)
    if result.returncode != 0:
        raise E2EError(f"{' '.join(args)} failed ({result.returncode}):\n"
                       f"{result.stdout}{result.stderr}")
    return result.stdout


def mapped_files(pid):
    """The files a process has mapped: its program, libraries, plugins, fonts."""
    with open(f"/proc/{pid}/maps", encoding="utf-8") as maps:
        fields = [line.split(maxsplit=5) for line in maps]
    return {f[5].strip() for f in fields if len(f) == 6 and os.path.isfile(f[5].strip())}


def run_installed(display, binary, check):
    """Starts `binary`, waits for the main window, opens the about dialog through
    the menu (Alt+F, Left round to the "?" menu, Return on About), calls check(pid),
    then closes both windows and expects a clean end."""
    clock = Velmora(display, binary, settings=SETTINGS).start()
    try:
        window = clock.find_window("Velmora 2003")
        clock.key(window, "alt+f", "Left", "Return")
        about = clock.find_window("About Velmora...")
        check(clock.process.pid)
        clock.key(about, "Escape")
        wait_until(lambda: clock.window_gone(about), what="Escape to close the about dialog")
        clock.close_window(window)
        status = clock.wait_exit()
        if status != 0:
            raise E2EError(f"the program ended with status {status}")
    finally:
        clock.stop()
