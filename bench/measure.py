"""Velmora's benchmarks: runs every measurement, prints a table and writes
bench/RESULTS.md. Figures are medians of several runs with min and max; no
figure is compared against a limit here."""

import ctypes
import datetime
import os
import platform
import select
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from velmora_e2e import VirtualDisplay, Velmora, wait_until  # noqa: E402

BUILD = os.path.abspath(sys.argv[1])
QUICK = os.environ.get("BENCH_QUICK") == "1"
STARTUP_RUNS = 3 if QUICK else 21
PHASE_SECONDS = 20 if QUICK else 300
SEGMENTS = 2 if QUICK else 5
HANDOVERS = 200 if QUICK else 1000

SETTINGS = """[General]
Language=1
MouseButton1=32
MouseButton2=32
[Sounds]
PlayerChange=0
GameOver=0
[Time]
P1h=99
P2h=99
"""

rows = []


def record(name, values, unit, note=""):
    values = list(values)
    rows.append((name, statistics.median(values), min(values), max(values), len(values), unit, note))
    print(f"{name:<46} {statistics.median(values):>12.3f} {min(values):>12.3f} "
          f"{max(values):>12.3f} {len(values):>4} {unit} {note}", flush=True)


class MapWatcher:
    """Tells when a new top-level window is mapped on a display without a window manager."""

    MAP_NOTIFY = 19
    SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

    def __init__(self, display_name):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XPending.argtypes = [ctypes.c_void_p]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(display_name.encode())
        root = self.x.XDefaultRootWindow(self.display)
        self.x.XSelectInput(self.display, root, self.SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XFlush(self.display)
        self.fd = self.x.XConnectionNumber(self.display)
        self.event = (ctypes.c_long * 24)()

    def drain(self):
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, self.event)

    def wait_for_map(self, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            while self.x.XPending(self.display):
                self.x.XNextEvent(self.display, self.event)
                if ctypes.cast(self.event, ctypes.POINTER(ctypes.c_int))[0] == self.MAP_NOTIFY:
                    return time.monotonic()
            select.select([self.fd], [], [], 0.01)
        raise RuntimeError("no window was mapped")


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    return (int(fields[11]) + int(fields[12])) / ticks  # utime + stime


def start_program(display, command, config_home):
    env = dict(os.environ, DISPLAY=display.name, XDG_CONFIG_HOME=config_home,
               QT_QPA_PLATFORM="xcb", PULSE_SERVER="unix:/nonexistent")
    return subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def startup_and_memory(display):
    watcher = MapWatcher(display.name)
    config = tempfile.mkdtemp(prefix="velmora-bench-")
    os.makedirs(os.path.join(config, "Velmora"))
    with open(os.path.join(config, "Velmora", "Velmora.ini"), "w") as f:
        f.write(SETTINGS)
    programs = {
        "velmora": [os.path.join(BUILD, "velmora")],
        "floor": [os.path.join(BUILD, "bench", "velmora_bench_floor")],
    }
    times = {name: [] for name in programs}
    memory = {name: [] for name in programs}
    for run in range(STARTUP_RUNS + 1):  # the first round only warms the caches
        for name, command in programs.items():
            watcher.drain()
            began = time.monotonic()
            process = start_program(display, command, config)
            mapped = watcher.wait_for_map()
            time.sleep(1.0)
            if run > 0:
                times[name].append((mapped - began) * 1000)
                memory[name].append(rss_kib(process.pid) / 1024)
            process.kill()
            process.wait()
    record("start-up to mapped window: velmora", times["velmora"], "ms")
    record("start-up to mapped window: bare Qt window", times["floor"], "ms")
    # The ratio of the two medians; min and max are those of the runs' own ratios.
    per_run = [v / f for v, f in zip(times["velmora"], times["floor"])]
    ratio = statistics.median(times["velmora"]) / statistics.median(times["floor"])
    rows.append(("start-up ratio velmora / bare window (of the medians)", ratio, min(per_run),
                 max(per_run), len(per_run), "x", ""))
    print(f"{rows[-1][0]:<46} {ratio:>12.3f} {min(per_run):>12.3f} {max(per_run):>12.3f} "
          f"{len(per_run):>4} x", flush=True)
    record("resident memory after start-up: velmora", memory["velmora"], "MiB")
    record("resident memory after start-up: bare Qt window", memory["floor"], "MiB")


def bench_tool(*args, env=None, sound_server=False):
    """velmora_bench's figures; with a private sound server (with-pulseaudio.sh) if asked."""
    server = [os.path.join(HERE, "..", "tests", "support", "with-pulseaudio.sh")] if sound_server else []
    result = subprocess.run([*server, os.path.join(BUILD, "bench", "velmora_bench"), *map(str, args)],
                            env=dict(os.environ, QT_QPA_PLATFORM="offscreen", **(env or {})),
                            capture_output=True, text=True, check=True)
    values = {}
    for line in result.stdout.splitlines():
        name, value, _unit = line.split()
        values.setdefault(name, []).append(float(value))
    return values


def busy_cores(count):
    return [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(count)]


def running_game(display):
    """CPU while a clock runs, accuracy idle and under load, memory after the game."""
    with Velmora(display, os.path.join(BUILD, "velmora"), settings=SETTINGS) as clock:
        window = clock.find_window("Velmora 2003")
        clock.key(window, "space")
        rss_at_start = rss_kib(clock.process.pid) / 1024
        segment = PHASE_SECONDS / SEGMENTS

        def accuracy(*bonus):
            return subprocess.Popen(
                [os.path.join(BUILD, "bench", "velmora_bench"), "accuracy", str(PHASE_SECONDS),
                 str(SEGMENTS), *bonus], env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                stdout=subprocess.PIPE, text=True, stderr=subprocess.DEVNULL)

        def figures(process):
            return [float(line.split()[1]) for line in process.communicate()[0].splitlines()]

        def cpu_while(seconds):
            cpu = []
            for _ in range(SEGMENTS):
                before, began = cpu_seconds(clock.process.pid), time.monotonic()
                time.sleep(seconds)
                cpu.append((cpu_seconds(clock.process.pid) - before) / (time.monotonic() - began) * 100)
            return cpu

        plain, increment = accuracy(), accuracy("increment")
        record(f"processor while a clock runs ({segment:.0f} s each)", cpu_while(segment), "% core")
        record(f"charged vs monotonic, idle ({segment:.0f} s each)", figures(plain), "ms/h")
        record(f"charged vs monotonic, increment 2 s a move, idle ({segment:.0f} s each)",
               figures(increment), "ms/h")

        load = busy_cores(2)
        try:
            plain, increment = accuracy(), accuracy("increment")
            busy, busy_increment = figures(plain), figures(increment)
        finally:
            for process in load:
                process.kill()
        record(f"charged vs monotonic, both cores busy ({segment:.0f} s each)", busy, "ms/h")
        record(f"charged vs monotonic, increment, both cores busy ({segment:.0f} s each)",
               busy_increment, "ms/h")
        minutes = 2 * PHASE_SECONDS / 60
        record(f"resident memory at game start: velmora", [rss_at_start], "MiB")
        record(f"resident memory after a {minutes:.0f}-minute game: velmora",
               [rss_kib(clock.process.pid) / 1024], "MiB")
        # The face scaled to fill a 1920x1080 window (Fit to window).
        clock.key(window, "ctrl+g")
        clock.xdotool("windowsize", "--sync", str(window), "1920", "1080")
        record(f"processor while a clock runs, face scaled to 1920x1080 ({segment:.0f} s each)",
               cpu_while(segment), "% core")


def handover():
    values = bench_tool("handover", HANDOVERS)["handover_us"]
    record(f"hand-over, key event to repainted window ({HANDOVERS}x)", [v / 1000 for v in values], "ms")


def engine_scale():
    results = {k: [] for k in ("engine_ns_per_tick", "engine_rss_start_kib", "engine_rss_end_kib")}
    for _ in range(3):
        for name, values in bench_tool("engine", 216000).items():
            if name in results:
                results[name] += values
    record("6-hour game in the engine: time per tick", results["engine_ns_per_tick"], "ns")
    record("6-hour game in the engine: memory at start", [v / 1024 for v in results["engine_rss_start_kib"]], "MiB")
    record("6-hour game in the engine: memory at end", [v / 1024 for v in results["engine_rss_end_kib"]], "MiB")


def cues():
    """The program's cues at a private sound server's null sink."""
    count = 1000 if QUICK else 10000
    values = bench_tool("cues", count, sound_server=True)
    record("cue start to output running: first cue", values["cue_first_start_ms"], "ms",
           "(loads the audio module, connects to the server)")
    record(f"cue start to output running ({count} cues)", values["cue_start_ms"], "ms")
    record(f"{count} cues: memory at start", [v / 1024 for v in values["cues_rss_start_kib"]], "MiB")
    record(f"{count} cues: memory at end", [v / 1024 for v in values["cues_rss_end_kib"]], "MiB")
    record(f"{count} cues: open descriptors at start", values["cues_fds_start"], "fds")
    record(f"{count} cues: open descriptors at end", values["cues_fds_end"], "fds")


def sound_faults():
    """A key storm with cues on, and the clock while the sound server is stopped."""
    presses, seconds = (200, 5) if QUICK else (10000, 60)
    values = {**bench_tool("storm", presses, sound_server=True),
              **bench_tool("stall", seconds, sound_server=True)}
    record(f"hand-over during a key storm, cues on ({presses}x)",
           [v / 1000 for v in values["storm_handover_us"]], "ms", "(max: the worst)")
    record(f"key storm, cues on ({presses}x): memory after 100 presses",
           [v / 1024 for v in values["storm_rss_start_kib"]], "MiB")
    record(f"key storm, cues on ({presses}x): memory at end",
           [v / 1024 for v in values["storm_rss_end_kib"]], "MiB")
    record(f"tick interval, sound server stopped {seconds} s", values["stopped_tick_interval_ms"],
           "ms", "(max: the longest stall; 100 is on time)")
    record(f"hand-over, sound server stopped {seconds} s", values["stopped_handover_ms"], "ms")


def machine():
    cpu = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    qt = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "libqt6core6"],
                        capture_output=True, text=True).stdout
    return (f"{cpu}, {os.cpu_count()} cores, Linux {platform.release()}, "
            f"{platform.freedesktop_os_release().get('PRETTY_NAME', '')}, Qt {qt}")


def write_results():
    lines = [
        "# Benchmark results",
        "",
        f"Measured {datetime.date.today().isoformat()} by `bench/run` on: {machine()}.",
        "Start-up and the running game use the real program under Xvfb (no window manager);",
        "accuracy, hand-over and the engine figures come from `velmora_bench`, which drives the",
        "real main window and its timer in-process (offscreen).",
        "",
        "| Measurement | Median | Min | Max | Runs | Unit |",
        "|---|---:|---:|---:|---:|---|",
    ]
    for name, median, low, high, runs, unit, _note in rows:
        lines.append(f"| {name} | {median:.3f} | {low:.3f} | {high:.3f} | {runs} | {unit} |")
    with open(os.path.join(HERE, "RESULTS.md"), "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    print(f"{'measurement':<46} {'median':>12} {'min':>12} {'max':>12} {'runs':>4} unit")
    display = VirtualDisplay()  # a 1920x1080 screen, from bench/run's xvfb-run
    startup_and_memory(display)
    handover()
    engine_scale()
    cues()
    sound_faults()
    running_game(display)
    if QUICK:
        print("(quick run: RESULTS.md left as it is)")
    else:
        write_results()
        print("Written to bench/RESULTS.md")


if __name__ == "__main__":
    main()
