"""Velmora installed into a fresh prefix: the program and its sounds share one
folder behind the bin/velmora link, the desktop entry, icon and AppStream
metadata are valid and agree with each other, and the installed program
starts, finds its pictures and ends cleanly."""

import configparser
import os
import shutil
import tempfile
import xml.etree.ElementTree as ElementTree

import installed
from installed import E2EError, command
from velmora_e2e import run


def check_layout(prefix):
    link = os.path.join(prefix, "bin", "velmora")
    program = os.path.join(prefix, installed.PROGRAM_DIR, "velmora")
    if not os.path.islink(link):
        raise E2EError("bin/velmora is not a link")
    if os.path.isabs(os.readlink(link)):
        raise E2EError(f"bin/velmora points to an absolute path: {os.readlink(link)}")
    if os.path.realpath(link) != os.path.realpath(program):
        raise E2EError(f"bin/velmora leads to {os.path.realpath(link)}, not {program}")
    if not os.access(program, os.X_OK):
        raise E2EError(f"{program} is not executable")
    installed.check_sounds_beside(program)


def check_desktop_files(prefix):
    share = os.path.join(prefix, "share")
    desktop = os.path.join(share, "applications", "velmora.desktop")
    metainfo = os.path.join(share, "metainfo", "org.example.velmora.metainfo.xml")
    icon = os.path.join(share, "icons", "hicolor", "scalable", "apps", "velmora.svg")
    command("desktop-file-validate", desktop)
    command("appstreamcli", "validate", "--no-net", metainfo)

    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(desktop, encoding="utf-8")
    section = entry["Desktop Entry"]
    if section["Exec"] != "velmora" or not os.path.exists(os.path.join(prefix, "bin", "velmora")):
        raise E2EError(f"Exec={section['Exec']} does not name the installed bin/velmora")
    if section["Icon"] != "velmora":
        raise E2EError(f"Icon={section['Icon']} is not the installed velmora.svg")
    if set(section["Categories"].strip(";").split(";")) != {"Game", "BoardGame"}:
        raise E2EError(f"Categories={section['Categories']}")
    mime = command("file", "--brief", "--mime-type", icon).strip()
    if mime != "image/svg+xml":
        raise E2EError(f"the icon is {mime}, not SVG")

    component = ElementTree.parse(metainfo).getroot()
    launchable = component.find("launchable").text
    if launchable != "velmora.desktop":
        raise E2EError(f"the metadata launches {launchable}")
    releases = [r.get("version") for r in component.iter("release")]
    if not releases or releases[0] != installed.VERSION:
        raise E2EError(f"the newest release in the metadata is {releases[:1]}, "
                       f"the program is {installed.VERSION}")


def test(display, _binary):
    prefix = tempfile.mkdtemp(prefix="velmora-prefix-")
    try:
        command("cmake", "--install", installed.BUILD_DIR, "--prefix", prefix)
        check_layout(prefix)
        check_desktop_files(prefix)

        clock, window, about = installed.start_and_open_about(
            display, os.path.join(prefix, "bin", "velmora"))
        try:
            pid = clock.process.pid
            real_program = os.path.realpath(f"/proc/{pid}/exe")
            expected = os.path.realpath(os.path.join(prefix, installed.PROGRAM_DIR, "velmora"))
            if real_program != expected:
                raise E2EError(f"the running program is {real_program}, not {expected}")
            installed.check_sounds_beside(real_program)
            if not any(os.path.basename(f) == "libqsvg.so" for f in installed.mapped_files(pid)):
                raise E2EError("the about dialog's pictures did not load the SVG image plugin")
            installed.close_about_and_quit(clock, window, about)
        finally:
            clock.stop()
    finally:
        shutil.rmtree(prefix, ignore_errors=True)


if __name__ == "__main__":
    run(test)
