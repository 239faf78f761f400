"""A 10-second game with a 5-second low-time warning: White's time turns red
at 5 s, not before, and the low-time cue is heard once at the sound server's
null sink (run under tests/support/with-pulseaudio.sh)."""

import array
import os
import subprocess
import threading
import time

from velmora_e2e import E2EError, Velmora, run, wait_until

SETTINGS = """[General]
Language=1
LowTimeWarning=5
[Sounds]
PlayerChange=0
GameOver=0
LowTime=1
[Time]
P1sec=10
P2sec=10
"""
RATE = 8000
RED = 0xFF0000


def sounds_heard(recording):
    """How many separate sounds the recording holds (half a second of quiet apart)."""
    samples = array.array("h", recording[: len(recording) // 2 * 2])
    window = RATE // 50
    loud = [max(map(abs, samples[i:i + window]), default=0) > 1000
            for i in range(0, len(samples), window)]
    sounds, quiet = 0, 25
    for is_loud in loud:
        if is_loud and quiet >= 25:
            sounds += 1
        quiet = 0 if is_loud else quiet + 1
    return sounds


def test(display, binary):
    sink = os.environ.get("VELMORA_TEST_SINK")
    if not sink:
        raise E2EError("run me with tests/support/with-pulseaudio.sh")
    recorder = subprocess.Popen(["parec", f"--device={sink}.monitor", "--format=s16le",
                                 "--channels=1", f"--rate={RATE}", "--latency-msec=10"],
                                stdout=subprocess.PIPE)
    chunks = []
    reader = threading.Thread(target=lambda: chunks.extend(iter(lambda: recorder.stdout.read(160), b"")))
    reader.start()
    wait_until(lambda: sum(map(len, chunks)) >= RATE // 10, timeout=15, what="the sink's monitor")
    env = {k: os.environ[k] for k in ("PULSE_SERVER", "PULSE_RUNTIME_PATH", "PULSE_COOKIE")}
    clock = Velmora(display, binary, settings=SETTINGS, env=env).start()
    try:
        window = clock.find_window("Velmora 2003")
        width, height = clock.geometry(window)

        def red_shown():
            return RED in (clock.pixel(window, x, y) for x in range(0, width // 2, 3)
                           for y in range(height // 3, 2 * height // 3, 3))

        started = time.monotonic()
        clock.key(window, "space")
        time.sleep(3.5)
        if red_shown():
            raise E2EError("red with more than 5 s left")
        wait_until(red_shown, timeout=4, what="White's time to turn red")
        if time.monotonic() - started < 4.5:
            raise E2EError("red too early")
        time.sleep(max(0.0, started + 11 - time.monotonic()))  # White's time runs out
    finally:
        clock.stop()
        recorder.terminate()
        reader.join()
    if (heard := sounds_heard(b"".join(chunks))) != 1:
        raise E2EError(f"{heard} sounds heard, not one low-time cue")


if __name__ == "__main__":
    run(test)
