"""Ending the program from outside (SIGTERM, SIGINT, SIGHUP) takes the normal way
out: the general settings are saved and the exit status is 0."""

import signal

from velmora_e2e import E2EError, Velmora, run

SETTINGS = """[General]
Language=2
[Time]
P1min=5
P2min=5
"""


def test(display, binary):
    for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        clock = Velmora(display, binary, settings=SETTINGS).start()
        try:
            window = clock.find_window("Velmora 2003")
            clock.key(window, "space")  # a game runs
            clock.process.send_signal(number)
            status = clock.wait_exit()
            if status != 0:
                raise E2EError(f"{number.name}: exit status {status}")
            general = clock.settings().get("General", {})
            if general.get("MouseButton1") != "32" or general.get("Language") != "2":
                raise E2EError(f"{number.name}: settings not saved: {clock.settings_text()}")
        finally:
            clock.stop()


if __name__ == "__main__":
    run(test)
