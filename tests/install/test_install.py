# The program as a user gets it: the Debian package, checked on its extracted
# tree.
#
# It holds exactly the expected files, with the command in /usr/games a
# relative link into /usr/libexec; lintian finds neither error nor warning in it
# (it also checks that the desktop entry's command is in the package). The
# desktop entry and AppStream metadata are valid, and the metadata's newest
# release is this version. From a terminal without a display, --version and
# --help answer and a start says in one line that a desktop is needed. Started
# through its command up to the about dialog, the package's Depends bring every
# file it loads: the libraries it and its audio module link, and what it maps
# while running (Qt's plugins, fonts, libraries those load), which
# dpkg-shlibdeps does not see.

import glob
import os
import re
import subprocess
import tempfile
import xml.etree.ElementTree as ElementTree

from velmora_e2e import Velmora, run, wait_until

BUILD_DIR, VERSION = os.environ["VELMORA_BINARY_DIR"], os.environ["VELMORA_VERSION"]
# English (the about dialog's title is known), keys chosen and a game set: no dialog at the start.
SETTINGS = ("[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n[Sounds]\nPlayerChange=0\nGameOver=0\n"
            "[Time]\nP1min=5\nP2min=5\nGameType=1\n")
NEEDS_DESKTOP = "Velmora needs a graphical desktop, but no display could be opened.\n"
# Arguments, environment beside no display, exit status, the output's start (all of it if it fails).
TERMINAL = [(["--version"], {}, 0, f"Velmora {VERSION}\n"), (["--help"], {}, 0, "Usage: velmora [options]\n"),
            ([], {}, 1, NEEDS_DESKTOP), (["--other"], {"DISPLAY": ":9999"}, 1, NEEDS_DESKTOP)]
CONTENTS = {  # path in the package: link target, "" for a file
    "./usr/games/velmora": "../libexec/velmora/velmora",
    **{f"./usr/libexec/velmora/{name}": "" for name in
       ("velmora", "libvelmora-audio.so", "ChangePlayer.wav", "GameOver.wav", "LowTime.wav")},
    **{f"./usr/share/{path}": "" for path in
       ("applications/velmora.desktop", "doc/velmora/changelog.gz", "doc/velmora/copyright",
        "man/man6/velmora.6.gz", "icons/hicolor/scalable/apps/velmora.svg",
        "metainfo/org.example.velmora.metainfo.xml")},
}


def command(*args, cwd=None):
    result = subprocess.run(args, cwd=cwd, capture_output=True, text=True)
    assert result.returncode == 0, f"{' '.join(args)} failed:\n{result.stdout}{result.stderr}"
    return result.stdout


def check_metadata(share):
    desktop, metainfo = (os.path.join(share, path) for path in
                         ("applications/velmora.desktop", "metainfo/org.example.velmora.metainfo.xml"))
    command("desktop-file-validate", desktop)
    command("appstreamcli", "validate", metainfo)
    # What the validators cannot know.
    release = ElementTree.parse(metainfo).getroot().find("releases/release")
    assert release is not None and release.get("version") == VERSION, f"the newest release is not {VERSION}"


def check_terminal(program):
    no_display = {k: v for k, v in os.environ.items()
                  if k not in {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}}
    for arguments, env, status, expected in TERMINAL:
        result = subprocess.run([program, *arguments], env={**no_display, **env},
                                capture_output=True, text=True, timeout=30)
        output = result.stdout + result.stderr
        shown = output if status else output[:len(expected)]  # a failure says the one line only
        assert (result.returncode, shown) == (status, expected), f"velmora {arguments} {env}: {output!r}"


def mapped_files(display, program):
    # The files the program maps with its about dialog open (Alt+F, Left round
    # to the "?" menu, Return on About); both windows then close, the end is clean.
    with Velmora(display, program, settings=SETTINGS) as clock:
        window = clock.find_window()
        clock.key(window, "alt+f", "Left", "Return")
        about = clock.find_window("About Velmora...")
        with open(f"/proc/{clock.process.pid}/maps", encoding="utf-8") as maps:
            mapped = {line.split(maxsplit=5)[5].strip() for line in maps if len(line.split()) >= 6}
        clock.key(about, "Escape")
        wait_until(lambda: about not in clock.windows(), what="Escape to close the about dialog")
        display.close_window(window)
        assert clock.process.wait(timeout=15) == 0, "the program did not end cleanly"
    return {path for path in mapped if os.path.isfile(path)}


def relations(text):
    # 'a (>= 1) | b, c:any' -> [['a', 'b'], ['c']]
    return [[re.split(r"[\s(:\[]", alternative.strip())[0] for alternative in group.split("|")]
            for group in text.split(",") if group.strip()]


def brought_by(depends):
    # The installed packages that `depends` brings onto a fresh Debian system,
    # with the essential ones every system has. Like apt, each dependency takes
    # its first alternative; here, the first one installed (not a virtual one).
    out = command("dpkg-query", "-W", "-f", "${db:Status-Abbrev}\t${Package}\t${Essential}\t${Depends}, ${Pre-Depends}\n")
    installed = [line.split("\t") for line in out.splitlines() if line.startswith("ii")]
    needs = {name: relations(requires) for _, name, _, requires in installed}
    unknown = [group for group in relations(depends) if not set(group) & needs.keys()]
    assert not unknown, f"Depends names packages not installed here to check: {unknown}"
    todo, brought = relations(depends) + [[name] for _, name, essential, _ in installed if essential == "yes"], set()
    while todo:
        package = next((name for name in todo.pop() if name in needs), None)
        if package and package not in brought:
            brought.add(package)
            todo += needs[package]
    return brought


def owners(paths):
    # {path: packages owning it} for the paths dpkg knows. With Debian's merged
    # /usr, dpkg may know a file under its name without /usr.
    names = {name: path for path in paths for real in {path, os.path.realpath(path)}
             for name in (real, real.removeprefix("/usr"))}
    # Without check: dpkg-query fails for the files no package owns.
    out = subprocess.run(["dpkg-query", "-S", *sorted(names)], capture_output=True, text=True).stdout
    found = {}
    for packages, name in (line.split(": ", 1) for line in out.splitlines() if not line.startswith("diversion ")):
        found.setdefault(names[name], set()).update(p.strip().split(":")[0] for p in packages.split(","))
    return found


def test(display, _binary):
    with tempfile.TemporaryDirectory(prefix="velmora-package-") as work:
        command("cpack", "-G", "DEB", "-B", work, "--config", f"{BUILD_DIR}/CPackConfig.cmake", cwd=BUILD_DIR)
        [deb] = glob.glob(os.path.join(work, "*.deb"))
        # Files and links as "path" or "path -> target", after the mode, owner, size, date and time.
        entries = [line.split(None, 5)[5] for line in command("dpkg-deb", "-c", deb).splitlines() if line[0] != "d"]
        contents = {path: target for path, _, target in (entry.partition(" -> ") for entry in entries)}
        assert contents == CONTENTS, f"the package holds {sorted(contents.items())}"
        command("lintian", "--fail-on", "error,warning", deb)
        root = os.path.join(work, "root")
        command("dpkg-deb", "-x", deb, root)
        check_metadata(os.path.join(root, "usr", "share"))
        program = os.path.join(root, "usr", "games", "velmora")
        check_terminal(program)
        # The audio module is loaded only at the first sound: its libraries come from ldd.
        loaded = mapped_files(display, program)
        for binary in ("velmora", "libvelmora-audio.so"):
            for line in command("ldd", os.path.join(root, "usr", "libexec", "velmora", binary)).splitlines():
                loaded.add(line.split("=>")[-1].split("(")[0].strip())
        loaded = {path for path in loaded if path.startswith("/") and not path.startswith(root)}
        assert "libqsvg.so" in {os.path.basename(f) for f in loaded}, "the about dialog's SVG plugin was not loaded"
        depends = command("dpkg-deb", "-f", deb, "Depends").strip()
        brought = brought_by(depends)
        missing = [f"{path} ({', '.join(sorted(found))})" for path, found in sorted(owners(loaded).items())
                   if not found & brought]
        assert not missing, f"Depends ({depends}) does not bring what the program loads:\n  " + "\n  ".join(missing)


if __name__ == "__main__":
    run(test)
