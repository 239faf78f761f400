"""The real program with its cues on, against the private sound server of
tests/support/with-pulseaudio.sh. A hand-over's cue reaches the null sink; a
key storm, a named pipe and a 1 GiB file in place of ChangePlayer.wav neither
crash nor freeze the clock. With the sound server stopped for a minute the
clock ticks and answers every press, plays cues again once the server goes
on, and Ctrl+X ends it while the server is stopped. A 10-second game with a
5-second low-time warning turns White's time red at 5 s, not before, and the
low-time cue is heard once."""

import array
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import threading
import time

from velmora_e2e import E2EError, Velmora, run, wait_until

SETTINGS = "[General]\nLanguage=1\n[Sounds]\nPlayerChange=1\nGameOver=1\n[Time]\nP1min=30\nP2min=30\n"
RATE = 8000
PULSE = {k: os.environ.get(k, "") for k in ("PULSE_SERVER", "PULSE_RUNTIME_PATH", "PULSE_COOKIE")}


def recorded_while(action):
    """The samples the sink plays while `action` runs."""
    recorder = subprocess.Popen(["parec", f"--device={os.environ['VELMORA_TEST_SINK']}.monitor",
                                 "--format=s16le", "--channels=1", f"--rate={RATE}",
                                 "--latency-msec=10"], stdout=subprocess.PIPE)
    # Read as it comes: parec loses what it still holds when it is stopped.
    chunks = []
    reader = threading.Thread(target=lambda: chunks.extend(iter(lambda: recorder.stdout.read(160), b"")))
    reader.start()
    try:
        # The monitor's first silence comes only after a while: record from then on.
        wait_until(lambda: sum(map(len, chunks)) >= RATE // 10, timeout=15, what="the sink's monitor")
        action()
        time.sleep(1.0)
    finally:
        recorder.terminate()
        reader.join()
    recording = b"".join(chunks)
    return array.array("h", recording[: len(recording) // 2 * 2])


def loudest_while(action):
    return max(map(abs, recorded_while(action)), default=0)


def sounds_in(samples):
    """How many separate sounds the samples hold (half a second of quiet apart)."""
    window, sounds, quiet = RATE // 50, 0, 25
    for i in range(0, len(samples), window):
        loud = max(map(abs, samples[i:i + window]), default=0) > 1000
        sounds += loud and quiet >= 25
        quiet = 0 if loud else quiet + 1
    return sounds


class Game:
    def __init__(self, clock):
        self.clock = clock
        self.window = clock.find_window("Velmora 2003")
        self.size = clock.geometry(self.window)

    def hand_over(self):
        """One press of Space; the window must answer with the other colour."""
        def background():
            return self.clock.pixel(self.window, 3, self.size[1] - 3)
        before = background()
        self.clock.key(self.window, "space")
        wait_until(lambda: background() != before, timeout=3, what="the hand-over")

    def digest(self):
        return self.clock.region_digest(self.window, 0, 0, *self.size)


def storm_and_hostile_files(display, binary):
    folder = tempfile.mkdtemp(prefix="velmora-sound-")  # a copy of the program's folder
    for name in ("velmora", "libvelmora-audio.so", "ChangePlayer.wav", "GameOver.wav"):
        shutil.copy2(os.path.join(os.path.dirname(binary), name), folder)
    clock = Velmora(display, os.path.join(folder, "velmora"), settings=SETTINGS, env=PULSE).start()
    try:
        game = Game(clock)
        time.sleep(0.5)
        if loudest_while(game.hand_over) < 1000:
            raise E2EError("no cue reached the sink")
        clock.xdotool("key", "--delay", "0", "--repeat", "2000", "space")
        time.sleep(2.0)
        game.hand_over()

        cue = os.path.join(folder, "ChangePlayer.wav")
        os.remove(cue)
        os.mkfifo(cue)
        game.hand_over()
        os.remove(cue)
        with open(cue, "wb") as f:  # 16-bit mono, its data chunk running on for 1 GiB, sparse
            f.write(b"RIFF" + struct.pack("<I", (1 << 30) - 8) + b"WAVEfmt " +
                    struct.pack("<IHHIIHH", 16, 1, 1, 44100, 88200, 2, 16) +
                    b"data" + struct.pack("<I", (1 << 30) - 44))
            f.truncate(1 << 30)
        for _ in range(3):
            game.hand_over()
        with open(f"/proc/{clock.process.pid}/status") as f:
            resident = next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))
        if resident > 150 * 1024:
            raise E2EError(f"{resident} KiB resident after the 1 GiB file")
        shutil.copy2(os.path.join(os.path.dirname(binary), "ChangePlayer.wav"), cue)
        if loudest_while(game.hand_over) < 1000:
            raise E2EError("no cue after the pipe and the huge file")
        clock.close_window(game.window)
        if clock.wait_exit() != 0:
            raise E2EError("the program did not end cleanly")
    finally:
        clock.stop()
        shutil.rmtree(folder, ignore_errors=True)


def stopped_server(display, binary):
    server = int(os.environ["VELMORA_TEST_PULSE_PID"])
    clock = Velmora(display, binary, settings=SETTINGS, env=PULSE).start()
    try:
        game = Game(clock)
        game.hand_over()  # the first cue loads the audio module and connects
        os.kill(server, signal.SIGSTOP)
        try:
            stopped = time.monotonic()
            while time.monotonic() - stopped < 60:
                game.hand_over()
                before = game.digest()
                time.sleep(1.2)
                if game.digest() == before:
                    raise E2EError("the clock stopped ticking")
        finally:
            os.kill(server, signal.SIGCONT)
        time.sleep(1.0)
        if loudest_while(lambda: [game.hand_over() for _ in range(3)]) < 1000:
            raise E2EError("no cue after the sound server went on")

        os.kill(server, signal.SIGSTOP)
        try:
            game.hand_over()
            clock.xdotool("key", "ctrl+x")
            if clock.wait_exit(timeout=10) != 0:
                raise E2EError("Ctrl+X did not end the program cleanly")
        finally:
            os.kill(server, signal.SIGCONT)
    finally:
        clock.stop()


def low_time_warning(display, binary):
    settings = ("[General]\nLanguage=1\nLowTimeWarning=5\n[Sounds]\nPlayerChange=0\nGameOver=0\n"
                "LowTime=1\n[Time]\nP1sec=10\nP2sec=10\n")
    clock = Velmora(display, binary, settings=settings, env=PULSE).start()
    try:
        game = Game(clock)
        width, height = game.size

        def red_shown():
            return 0xFF0000 in (clock.pixel(game.window, x, y) for x in range(0, width // 2, 3)
                                for y in range(height // 3, 2 * height // 3, 3))

        def play():
            started = time.monotonic()
            game.hand_over()
            time.sleep(3.5)
            if red_shown():
                raise E2EError("red with more than 5 s left")
            wait_until(red_shown, timeout=4, what="White's time to turn red")
            if time.monotonic() - started < 4.5:
                raise E2EError("red too early")
            time.sleep(max(0.0, started + 10.5 - time.monotonic()))  # White's time runs out

        if (heard := sounds_in(recorded_while(play))) != 1:
            raise E2EError(f"{heard} sounds heard, not one low-time cue")
    finally:
        clock.stop()


def test(display, binary):
    if "VELMORA_TEST_PULSE_PID" not in os.environ:
        raise E2EError("run me with tests/support/with-pulseaudio.sh")
    low_time_warning(display, binary)
    storm_and_hostile_files(display, binary)
    stopped_server(display, binary)


if __name__ == "__main__":
    run(test)
