# The real program with its cues on, against the private sound server of
# tests/support/with-pulseaudio.sh. The first hand-over's cue reaches the null
# sink; a storm of 2,000 key presses neither crashes nor freezes the clock. With
# the sound server stopped for a minute (long enough for the cue thread to give
# up on a stuck worker and start another) the clock ticks and answers every
# press, plays cues again once the server goes on, and Ctrl+X ends it while the
# server is stopped.

import array
import os
import signal
import subprocess
import tempfile
import time

from velmora_e2e import Velmora, run, wait_until

SETTINGS = "[General]\nLanguage=1\n[Sounds]\nPlayerChange=1\nGameOver=1\n[Time]\nP1min=30\nP2min=30\n"
RATE = 8000
PULSE = {k: os.environ.get(k, "") for k in ("PULSE_SERVER", "PULSE_RUNTIME_PATH", "PULSE_COOKIE")}


def recorded_while(action):
    # The samples the sink plays while `action` runs, and a second after.
    with tempfile.TemporaryFile() as recording:
        sink = os.environ["VELMORA_TEST_SINK"]
        recorder = subprocess.Popen(["parec", f"--device={sink}.monitor", "--channels=1", "--format=s16le",
                                     f"--rate={RATE}", "--latency-msec=10"], stdout=recording)
        try:
            # The monitor's first silence comes only after a while: record from then on.
            wait_until(lambda: os.fstat(recording.fileno()).st_size >= RATE // 10, timeout=15, what="the monitor")
            action()
            time.sleep(1.0)
        finally:
            recorder.terminate()
            recorder.wait()
        recording.seek(0)
        data = recording.read()
    return array.array("h", data[:len(data) // 2 * 2])


def test(display, binary):
    server = int(os.environ["VELMORA_TEST_PULSE_PID"])  # set by with-pulseaudio.sh
    with Velmora(display, binary, settings=SETTINGS, env=PULSE) as clock:
        window = clock.find_window()

        def hand_overs_heard(count, after):
            samples = recorded_while(lambda: [clock.press(window, "space") for _ in range(count)])
            assert max(map(abs, samples), default=0) >= 1000, f"no cue {after}"

        time.sleep(0.5)
        hand_overs_heard(1, "at the first hand-over")
        clock.xdotool("key", "--delay", "0", "--repeat", "2000", "space")
        time.sleep(2.0)
        clock.press(window, "space")

        os.kill(server, signal.SIGSTOP)
        try:
            stopped = time.monotonic()
            while time.monotonic() - stopped < 60:
                clock.press(window, "space")
                before = display.picture(window)
                time.sleep(1.2)
                assert display.picture(window) != before, "the clock stopped ticking"
        finally:
            os.kill(server, signal.SIGCONT)
        time.sleep(1.0)
        hand_overs_heard(3, "after the sound server went on")
        os.kill(server, signal.SIGSTOP)
        try:
            clock.press(window, "space")
            clock.key(window, "ctrl+x")
            assert clock.process.wait(timeout=10) == 0, "Ctrl+X did not end the program cleanly"
        finally:
            os.kill(server, signal.SIGCONT)


if __name__ == "__main__":
    run(test)
