"""Drives the real Velmora program on a private Xvfb display.

Key presses are real X key events (xdotool, through XTest); window colours are
read back from the X server; closing a window sends WM_DELETE_WINDOW as a
window manager would.
"""

import configparser
import ctypes
import ctypes.util
import os
import shutil
import signal
import subprocess
import tempfile
import time


class E2EError(AssertionError):
    pass


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = predicate()
        if result:
            return result
        time.sleep(interval)
    raise E2EError(f"timed out waiting for {what}")


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


class XServer:
    """A few Xlib calls through ctypes: pixels and polite window closing."""

    def __init__(self, display_name):
        x = self.lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        p, i, u, ul = ctypes.c_void_p, ctypes.c_int, ctypes.c_uint, ctypes.c_ulong
        for name, result, args in [("XOpenDisplay", p, [ctypes.c_char_p]),
                                   ("XGetImage", p, [p, ul, i, i, u, u, ul, i]),
                                   ("XGetPixel", ul, [p, i, i]),
                                   ("XInternAtom", ul, [p, ctypes.c_char_p, i]),
                                   ("XSendEvent", i, [p, ul, i, ctypes.c_long, ctypes.POINTER(_XEvent)]),
                                   ("XFlush", i, [p])]:
            getattr(x, name).restype, getattr(x, name).argtypes = result, args
        self.display = x.XOpenDisplay(display_name.encode())
        if not self.display:
            raise E2EError(f"cannot open display {display_name}")

    def _pixels(self, window, x, y, width, height, step=1):
        image = self.lib.XGetImage(self.display, window, x, y, width, height, ctypes.c_ulong(-1).value, 2)
        if not image:
            raise E2EError(f"cannot read pixels of window {window}")
        return [self.lib.XGetPixel(image, i, j) & 0xFFFFFF
                for j in range(0, height, step) for i in range(0, width, step)]

    def pixel(self, window, x, y):
        """The colour at (x, y) of a window as 0xRRGGBB."""
        return self._pixels(window, x, y, 1, 1)[0]

    def column(self, window, x, height):
        """The colours of a window's column x, top to bottom."""
        return self._pixels(window, x, 0, 1, height)

    def region_digest(self, window, x, y, width, height):
        """A digest of a window region's pixels, to tell whether it changed."""
        return hash(tuple(self._pixels(window, x, y, width, height, step=2)))

    def close_window(self, window):
        """Asks a window to close, as a window manager's close button does."""
        event = _XEvent()
        event.xclient.type, event.xclient.window, event.xclient.format = 33, window, 32  # ClientMessage
        event.xclient.message_type = self.lib.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        event.xclient.data[0] = self.lib.XInternAtom(self.display, b"WM_DELETE_WINDOW", 0)
        self.lib.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        self.lib.XFlush(self.display)


class VirtualDisplay:
    """A private Xvfb server on a free display number."""

    def __init__(self, width=1280, height=800):
        read_fd, write_fd = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise E2EError("Xvfb did not start")
        self.name = f":{number}"
        self.x = XServer(self.name)

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Velmora:
    """The real program with a configuration folder of its own."""

    def __init__(self, display, binary, config_home=None, settings=None, env=None):
        self.display = display
        self.binary = binary
        self.owns_config = config_home is None
        self.config_home = config_home or tempfile.mkdtemp(prefix="velmora-e2e-")
        self.settings_path = os.path.join(self.config_home, "Velmora", "Velmora.ini")
        if settings is not None:
            os.makedirs(os.path.dirname(self.settings_path), exist_ok=True)
            with open(self.settings_path, "w", encoding="utf-8") as f:
                f.write(settings)
        self.runtime_dir = tempfile.mkdtemp(prefix="velmora-run-")
        os.chmod(self.runtime_dir, 0o700)
        self.env = dict(os.environ, DISPLAY=display.name, XDG_CONFIG_HOME=self.config_home,
                        XDG_RUNTIME_DIR=self.runtime_dir, QT_QPA_PLATFORM="xcb")
        # No sound server unless the caller gives one: cues then stay silent.
        self.env.setdefault("PULSE_SERVER", "unix:/nonexistent")
        if env:
            self.env.update(env)
        self.process = None

    def start(self):
        self.process = subprocess.Popen([self.binary], env=self.env,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        return self

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise E2EError(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout.strip()

    def find_window(self, title, timeout=15.0):
        """The id of the visible window whose title is exactly `title`."""
        def search():
            self.check_running()
            out = self.xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False)
            ids = [int(w) for w in out.split()]
            return ids[-1] if ids else None
        return wait_until(search, timeout, what=f"window '{title}'")

    def window_gone(self, window_id):
        out = self.xdotool("search", "--onlyvisible", "--name", ".", check=False)
        return window_id not in [int(w) for w in out.split()]

    def key(self, window_id, *keys):
        """Real key presses (XTest) into a window, which gets the focus first."""
        self.xdotool("windowfocus", "--sync", str(window_id))
        for key in keys:
            self.xdotool("key", "--delay", "60", key)
            time.sleep(0.08)

    def click(self, window_id, x, y, button=1):
        self.xdotool("windowfocus", "--sync", str(window_id))
        self.xdotool("mousemove", "--window", str(window_id), str(x), str(y))
        self.xdotool("click", str(button))

    def pixel(self, window_id, x, y):
        return self.display.x.pixel(window_id, x, y)

    def region_digest(self, window_id, x, y, width, height):
        return self.display.x.region_digest(window_id, x, y, width, height)

    def geometry(self, window_id):
        """(width, height) of a window."""
        size = self.xdotool("getwindowgeometry", str(window_id)).split("Geometry:")[1].split()[0]
        return tuple(int(n) for n in size.split("x"))

    def close_window(self, window_id):
        self.display.x.close_window(window_id)

    def check_running(self):
        if self.process.poll() is not None:
            output = self.process.stdout.read().decode(errors="replace")
            raise E2EError(f"program ended early with {self.process.returncode}: {output}")

    def wait_exit(self, timeout=15.0):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise E2EError("program did not end")

    def settings_text(self):
        with open(self.settings_path, encoding="utf-8") as f:
            return f.read()

    def settings(self):
        """The settings file as {section: {key: value}}."""
        parser = configparser.RawConfigParser()
        parser.optionxform = str
        parser.read_string(self.settings_text())
        return {name: dict(parser[name]) for name in parser.sections()}

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        shutil.rmtree(self.runtime_dir, ignore_errors=True)
        if self.owns_config:
            shutil.rmtree(self.config_home, ignore_errors=True)


def run(test, binary=None):
    """Runs test(display, binary) on a fresh display and reports the outcome."""
    binary = binary or os.path.join(os.environ["VELMORA_BINARY_DIR"], "velmora")
    display = VirtualDisplay()
    try:
        test(display, binary)
    except E2EError as error:
        print(f"FAIL: {error}")
        raise SystemExit(1)
    finally:
        display.stop()
    print("PASS")
