# Drives the real Velmora program on the private Xvfb display of xvfb-run. Key presses are
# real X key events (xdotool, through XTest); a window's colour is read back from
# the X server; closing a window sends WM_DELETE_WINDOW as a window manager would.
# A failed check raises AssertionError.

import ctypes
import os
import pathlib
import subprocess
import tempfile
import time

MAIN = "Velmora 2003"
WHITE, BLACK = 0xFFFFFF, 0x000000


def wait_until(predicate, timeout=10.0, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if result := predicate():
            return result
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


class VirtualDisplay:
    # Xlib calls into the private Xvfb server that xvfb-run started for the test.
    def __init__(self):
        self.name = os.environ["DISPLAY"]
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = self.x.XGetImage.restype = ctypes.c_void_p
        self.x.XGetPixel.restype = ctypes.c_ulong
        self.display = ctypes.c_void_p(self.x.XOpenDisplay(self.name.encode()))
        assert self.display.value, f"cannot open the display '{self.name}'"

    def background(self, window):
        # The window's colour outside the frame, near its bottom left corner: it
        # follows the player to move.
        geometry = subprocess.run(["xdotool", "getwindowgeometry", str(window)], capture_output=True, text=True,
                                  env=dict(os.environ, DISPLAY=self.name)).stdout
        height = int(geometry.split("Geometry:")[1].split()[0].split("x")[1])
        image = ctypes.c_void_p(self.x.XGetImage(self.display, ctypes.c_ulong(window), 3, height - 3, 1, 1,
                                                 ctypes.c_ulong(0xFFFFFFFF), 2))  # ZPixmap
        colour = self.x.XGetPixel(image, 0, 0) & 0xFFFFFF
        self.x.XDestroyImage(image)
        return colour

    def close_window(self, window):
        # As a window manager's close button does: an XClientMessageEvent as longs
        # (type, serial, send_event, display, window, message type, format, data).
        atom = lambda name: self.x.XInternAtom(self.display, name, 0)  # noqa: E731
        event = (ctypes.c_long * 24)(33, 0, 0, 0, window, atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW"))
        self.x.XSendEvent(self.display, ctypes.c_ulong(window), 0, ctypes.c_long(0), event)
        self.x.XFlush(self.display)


class Velmora:
    # The real program with a settings file and runtime folder of its own (gone
    # with the object); `with` starts and stops it.
    def __init__(self, display, binary, settings, env=None):
        self.display, self.binary = display, binary
        self.folders = [tempfile.TemporaryDirectory(prefix="velmora-e2e-") for _ in range(2)]
        self.settings_path = pathlib.Path(self.folders[0].name, "Velmora", "Velmora.ini")
        self.settings_path.parent.mkdir(parents=True)
        self.settings_path.write_text(settings, encoding="utf-8")
        # No sound server unless the caller gives one: cues then stay silent.
        self.env = {**os.environ, "DISPLAY": display.name, "XDG_CONFIG_HOME": self.folders[0].name,
                    "QT_QPA_PLATFORM": "xcb", "XDG_RUNTIME_DIR": self.folders[1].name,
                    "PULSE_SERVER": "unix:/nonexistent", **(env or {})}

    def __enter__(self):
        self.process = subprocess.Popen([self.binary], env=self.env)
        return self

    def __exit__(self, *_):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True).stdout

    def windows(self, title=".*"):
        # The ids of the visible windows whose title is exactly `title`.
        return [int(w) for w in self.xdotool("search", "--onlyvisible", "--name", f"^{title}$").split()]

    def find_window(self, title=MAIN, timeout=15.0):
        return wait_until(lambda: (self.windows(title) or [None])[-1], timeout, what=f"window '{title}'")

    def key(self, window, *keys):
        # Real key presses (XTest) into a window, which gets the focus first.
        self.xdotool("windowfocus", "--sync", str(window))
        for key in keys:
            self.xdotool("key", "--delay", "60", key)
            time.sleep(0.08)

    def press(self, window, *keys, colour=None):
        # Presses keys; the background must then turn `colour`, or change if none is given.
        before = self.display.background(window)
        self.key(window, *keys)
        turned = (lambda now: now == colour) if colour is not None else (lambda now: now != before)
        wait_until(lambda: turned(self.display.background(window)), timeout=3, what=f"{'+'.join(keys)} to answer")

    def settings_text(self):
        return self.settings_path.read_text(encoding="utf-8")

    def settings(self, section):
        # A section of the settings file as {key: value}: its lines up to the next section.
        lines = self.settings_text().partition(f"[{section}]\n")[2].partition("\n[")[0].splitlines()
        return dict(line.split("=", 1) for line in lines if "=" in line)


def run(test):
    # Runs test(display, binary), under xvfb-run.
    test(VirtualDisplay(), os.path.join(os.environ["VELMORA_BINARY_DIR"], "velmora"))
