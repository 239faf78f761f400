# The real program with its cues on, against the private sound server of
# tests/support/with-pulseaudio.sh. The first hand-over's cue reaches the null
# sink whole, and after a storm of 2,000 key presses, which neither crashes nor
# freezes the clock, the next one does too.
# (A sound server that stops answering is the cue thread's test's, with an
# output that blocks as Qt's does, and the benchmark's, with a stopped server.)

import array
import os
import subprocess
import tempfile
import time
import wave

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


def loud_seconds(samples, rate):
    return sum(abs(sample) > 1000 for sample in samples) / rate


def test(display, binary):
    with wave.open(os.path.join(os.path.dirname(binary), "ChangePlayer.wav")) as cue:
        whole = loud_seconds(array.array("h", cue.readframes(cue.getnframes())), cue.getframerate())
    with Velmora(display, binary, settings=SETTINGS, env=PULSE) as clock:
        window = clock.find_window()

        def cue_heard(after):
            # Played out whole: a sink stopped as soon as it goes idle cuts its end off.
            heard = loud_seconds(recorded_while(lambda: clock.press(window, "space")), RATE)
            assert heard >= 0.7 * whole, f"{heard:.3f} s of the cue's {whole:.3f} s heard {after}"

        time.sleep(0.5)
        cue_heard("at the first hand-over")
        clock.xdotool("key", "--delay", "0", "--repeat", "2000", "space")
        time.sleep(2.0)
        cue_heard("after a storm of 2,000 presses")

if __name__ == "__main__":
    run(test)
