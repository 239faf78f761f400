"""Velmora installed into a fresh prefix: bin/velmora starts the program,
whose sounds and audio module lie beside its real file, and the desktop entry
and AppStream metadata are valid and name the installed program and version.
From a terminal without a display, --version and --help answer and a start
says in one line that a desktop is needed."""

import os
import shutil
import subprocess
import tempfile
import xml.etree.ElementTree as ElementTree

import installed
from installed import E2EError, command
from velmora_e2e import run


def check_desktop_files(share):
    desktop = os.path.join(share, "applications", "velmora.desktop")
    metainfo = os.path.join(share, "metainfo", "org.example.velmora.metainfo.xml")
    command("desktop-file-validate", desktop)
    command("appstreamcli", "validate", metainfo)
    # What the validators cannot know.
    with open(desktop, encoding="utf-8") as entry:
        lines = entry.read().splitlines()
    if "Exec=velmora" not in lines or "Icon=velmora" not in lines:
        raise E2EError("the desktop entry does not name bin/velmora and its icon")
    if not os.path.isfile(os.path.join(share, "icons/hicolor/scalable/apps/velmora.svg")):
        raise E2EError("the icon velmora.svg is not installed")
    release = ElementTree.parse(metainfo).getroot().find("releases/release")
    if release is None or release.get("version") != installed.VERSION:
        raise E2EError(f"the newest release in the metadata is not {installed.VERSION}")


def check_program(prefix, pid):
    program = os.path.realpath(f"/proc/{pid}/exe")
    if not program.startswith(os.path.realpath(prefix) + os.sep):
        raise E2EError(f"bin/velmora started {program}, outside the prefix")
    for name in ("ChangePlayer.wav", "GameOver.wav", "LowTime.wav", "libvelmora-audio.so"):
        path = os.path.join(os.path.dirname(program), name)
        if not os.path.isfile(path) or os.path.getsize(path) == 0:
            raise E2EError(f"{name} is not beside the program {program}")


def check_terminal(program):
    no_display = {k: v for k, v in os.environ.items()
                  if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    needs_desktop = "Velmora needs a graphical desktop, but no display could be opened.\n"
    for arguments, display, status, expected in [
            (["--version"], {}, 0, f"Velmora {installed.VERSION}\n"),
            (["--help"], {}, 0, "Usage: velmora [options]\n"),
            ([], {}, 1, needs_desktop),
            (["--other"], {"DISPLAY": ":9999"}, 1, needs_desktop)]:  # ignored; no such display
        result = subprocess.run([program, *arguments], env={**no_display, **display},
                                capture_output=True, text=True, timeout=30)
        output = result.stdout + result.stderr
        if result.returncode != status or not output.startswith(expected) or (status and output != expected):
            raise E2EError(f"velmora {arguments} {display}: status {result.returncode}, {output!r}")


def test(display, _binary):
    prefix = tempfile.mkdtemp(prefix="velmora-prefix-")
    try:
        command("cmake", "--install", installed.BUILD_DIR, "--prefix", prefix)
        check_desktop_files(os.path.join(prefix, "share"))
        check_terminal(os.path.join(prefix, "bin", "velmora"))
        installed.run_installed(display, os.path.join(prefix, "bin", "velmora"),
                                lambda pid: check_program(prefix, pid))
    finally:
        shutil.rmtree(prefix, ignore_errors=True)


if __name__ == "__main__":
    run(test)
