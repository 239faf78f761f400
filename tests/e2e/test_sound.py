"""The real program plays its cues: a hand-over with the player-change sound on
reaches the sound server's null sink (run under tests/support/with-pulseaudio.sh)."""

import array
import os
import subprocess
import threading
import time

from velmora_e2e import E2EError, Velmora, run, wait_until

SETTINGS = """[General]
Language=1
[Sounds]
PlayerChange=1
GameOver=1
[Time]
P1min=5
P2min=5
"""
RATE = 8000


def loudest(recording):
    samples = array.array("h", recording[: len(recording) // 2 * 2])
    return max((abs(s) for s in samples), default=0)


def test(display, binary):
    sink = os.environ.get("VELMORA_TEST_SINK")
    if not sink:
        raise E2EError("run me with tests/support/with-pulseaudio.sh")
    recorder = subprocess.Popen(["parec", f"--device={sink}.monitor", "--format=s16le",
                                 "--channels=1", f"--rate={RATE}", "--latency-msec=10"],
                                stdout=subprocess.PIPE)
    # Read as it comes: parec loses what it still holds when it is stopped.
    chunks = []
    reader = threading.Thread(target=lambda: chunks.extend(iter(lambda: recorder.stdout.read(160), b"")))
    reader.start()
    # The monitor's first silence comes only after a while: record from then on.
    wait_until(lambda: sum(map(len, chunks)) >= RATE // 10, timeout=15, what="the sink's monitor")
    env = {k: os.environ[k] for k in ("PULSE_SERVER", "PULSE_RUNTIME_PATH", "PULSE_COOKIE")}
    clock = Velmora(display, binary, settings=SETTINGS, env=env).start()
    try:
        window = clock.find_window("Velmora 2003")
        time.sleep(0.5)
        clock.key(window, "space")
        time.sleep(1.0)
    finally:
        clock.stop()
        recorder.terminate()
        reader.join()
    recording = b"".join(chunks)
    if loudest(recording) < 1000:
        raise E2EError(f"no cue reached the sink (loudest sample {loudest(recording)})")


if __name__ == "__main__":
    run(test)
