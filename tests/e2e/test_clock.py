"""The clock played with real Space presses: Black's Space starts White's clock,
the window turns white and the time runs, the next Space turns it black, and
closing the window ends the program with status 0."""

import time

from velmora_e2e import E2EError, Velmora, run, wait_until

SETTINGS = """[General]
Language=1
MouseButton1=32
MouseButton2=32

[Sounds]
PlayerChange=0
GameOver=0

[Time]
P1h=0
P1min=5
P1sec=0
P2h=0
P2min=5
P2sec=0
ContinueRunning=0
GameType=1
"""

GREY, WHITE, BLACK = 0xC0C0C0, 0xFFFFFF, 0x000000


def test(display, binary):
    clock = Velmora(display, binary, settings=SETTINGS).start()
    try:
        window = clock.find_window("Velmora 2003")
        width, height = clock.geometry(window)
        corner = (3, height - 3)  # window background, outside the frame

        def background():
            return clock.pixel(window, *corner)

        wait_until(lambda: background() == GREY, what="the light grey start colour")

        clock.key(window, "space")
        wait_until(lambda: background() == WHITE, what="the window to turn white")

        before = clock.region_digest(window, 0, 0, width, height)
        time.sleep(1.6)
        if clock.region_digest(window, 0, 0, width, height) == before:
            raise E2EError("White's time did not run")

        clock.key(window, "space")
        wait_until(lambda: background() == BLACK, what="the window to turn black")

        # Shift+Space counts like Space: back to White.
        clock.key(window, "shift+space")
        wait_until(lambda: background() == WHITE, what="Shift+Space to hand over")

        clock.close_window(window)
        status = clock.wait_exit()
        if status != 0:
            raise E2EError(f"exit status {status}")
        if clock.settings()["General"].get("MouseButton1") != "32":
            raise E2EError("the general settings were not saved at exit: " + clock.settings_text())
    finally:
        clock.stop()


if __name__ == "__main__":
    run(test)
