"""Shared steps of the install tests: the build's facts, running commands,
starting an installed Velmora and reading what it has loaded."""

import os
import subprocess

from velmora_e2e import E2EError, Velmora, wait_until

BUILD_DIR = os.environ["VELMORA_BINARY_DIR"]
VERSION = os.environ["VELMORA_VERSION"]
PROGRAM_DIR = "lib/velmora"  # relative to the prefix, as CMake installs it
SOUND_NAMES = {"ChangePlayer.wav", "GameOver.wav"}
# Loaded at the first sound, from the folder of the program file.
AUDIO_MODULE = "libvelmora-audio.so"

# Settings that start the clock straight in a 5-minute game, in English.
SETTINGS = """[General]
Language=1
MouseButton1=32
MouseButton2=32

[Sounds]
PlayerChange=0
GameOver=0

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


def command(*args, cwd=None):
    """Runs a command and returns its output; a failure ends the test."""
    result = subprocess.run(args, cwd=cwd, capture_output=True, text=True)
    if result.returncode != 0:
        raise E2EError(f"{' '.join(args)} failed ({result.returncode}):\n"
                       f"{result.stdout}{result.stderr}")
    return result.stdout


def check_sounds_beside(program_file):
    """The two sounds and the audio module lie in the folder of the real program file."""
    folder = os.path.dirname(program_file)
    for name in sorted(SOUND_NAMES) + [AUDIO_MODULE]:
        path = os.path.join(folder, name)
        if not os.path.isfile(path) or os.path.getsize(path) == 0:
            raise E2EError(f"{name} is not beside the program in {folder}")


def mapped_files(pid):
    """The files a process has mapped: its program, libraries, plugins, fonts."""
    files = set()
    with open(f"/proc/{pid}/maps", encoding="utf-8") as maps:
        for line in maps:
            fields = line.split(maxsplit=5)
            if len(fields) == 6 and fields[5].startswith("/"):
                files.add(fields[5].strip())
    return {f for f in files if os.path.isfile(f)}


def start_and_open_about(display, binary):
    """Starts `binary`, waits for the main window and opens the about dialog
    through the menu (Alt+F, Right to the "?" menu, Return on About).
    Returns (clock, main window, about window)."""
    clock = Velmora(display, binary, settings=SETTINGS).start()
    window = clock.find_window("Velmora 2003")
    clock.key(window, "alt+f", "Right", "Return")
    about = clock.find_window("About Velmora...")
    return clock, window, about


def close_about_and_quit(clock, window, about):
    clock.key(about, "Escape")
    wait_until(lambda: clock.window_gone(about), what="Escape to close the about dialog")
    clock.close_window(window)
    status = clock.wait_exit()
    if status != 0:
        raise E2EError(f"the program ended with status {status}")
