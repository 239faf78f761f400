# The real program with its cues on, against the private sound server of
# tests/support/with-pulseaudio.sh. A 10-second game with a 5-second low-time
# warning and only its cue on plays one sound. With every cue on, a hand-over's
# cue reaches the null sink; a key storm, a named pipe and a 1 GiB file in place
# of ChangePlayer.wav neither crash nor freeze the clock. With the sound server
# stopped for a minute the clock ticks and answers every press, plays cues again
# once the server goes on, and Ctrl+X ends it while the server is stopped.

import array
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time

from velmora_e2e import Velmora, run, wait_until

SETTINGS = "[General]\nLanguage=1\n[Sounds]\nPlayerChange=1\nGameOver=1\n[Time]\nP1min=30\nP2min=30\n"
LOW_TIME = ("[General]\nLanguage=1\nLowTimeWarning=5\n[Sounds]\nPlayerChange=0\nGameOver=0\nLowTime=1\n"
            "[Time]\nP1sec=10\nP2sec=10\n")
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


def sounds_in(samples):
    # How many separate sounds the samples hold (half a second of quiet apart).
    window, sounds, quiet = RATE // 50, 0, 25
    for i in range(0, len(samples), window):
        loud = max(map(abs, samples[i:i + window]), default=0) > 1000
        sounds += loud and quiet >= 25
        quiet = 0 if loud else quiet + 1
    return sounds


def test(display, binary):
    server = int(os.environ["VELMORA_TEST_PULSE_PID"])  # set by with-pulseaudio.sh
    with Velmora(display, binary, settings=LOW_TIME, env=PULSE) as clock:
        window = clock.find_window()
        # White's 10 s run out: the low-time cue at 5 s left, no other sound.
        heard = sounds_in(recorded_while(lambda: [clock.press(window, "space"), time.sleep(10.5)]))
        assert heard == 1, f"{heard} sounds heard, not one low-time cue"

    folder = tempfile.TemporaryDirectory(prefix="velmora-sound-")  # a copy of the program's folder
    for name in ("velmora", "libvelmora-audio.so", "ChangePlayer.wav", "GameOver.wav"):
        shutil.copy2(os.path.join(os.path.dirname(binary), name), folder.name)
    cue = os.path.join(folder.name, "ChangePlayer.wav")
    with Velmora(display, os.path.join(folder.name, "velmora"), settings=SETTINGS, env=PULSE) as clock:
        window = clock.find_window()

        def hand_overs_heard(count, after):
            samples = recorded_while(lambda: [clock.press(window, "space") for _ in range(count)])
            assert max(map(abs, samples), default=0) >= 1000, f"no cue {after}"

        time.sleep(0.5)
        hand_overs_heard(1, "at the first hand-over")
        clock.xdotool("key", "--delay", "0", "--repeat", "2000", "space")
        time.sleep(2.0)
        clock.press(window, "space")
        os.remove(cue)
        os.mkfifo(cue)
        clock.press(window, "space")
        os.remove(cue)
        with open(cue, "wb") as f:  # 16-bit mono, its data chunk running on for 1 GiB, sparse
            f.write(b"RIFF" + struct.pack("<I", (1 << 30) - 8) + b"WAVEfmt " +
                    struct.pack("<IHHIIHH", 16, 1, 1, 44100, 88200, 2, 16) +
                    b"data" + struct.pack("<I", (1 << 30) - 44))
            f.truncate(1 << 30)
        for _ in range(3):
            clock.press(window, "space")
        with open(f"/proc/{clock.process.pid}/status") as f:
            resident = next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))
        assert resident < 150 * 1024, f"{resident} KiB resident after the 1 GiB file"
        shutil.copy2(os.path.join(os.path.dirname(binary), "ChangePlayer.wav"), cue)
        hand_overs_heard(1, "after the pipe and the huge file")

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
