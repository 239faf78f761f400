"""The Debian package: it holds exactly the installed files, with the command
in /usr/games; lintian finds neither error nor warning in it; and its Depends
bring every file the packaged program loads: the libraries it and its audio
module link, and what it maps while running (Qt's plugins, fonts, libraries
those load), which dpkg-shlibdeps does not see."""

import glob
import os
import re
import shutil
import subprocess
import tempfile

import installed
from installed import E2EError, command
from velmora_e2e import run

CONTENTS = {  # path: link target, "" for a file
    "./usr/games/velmora": "../libexec/velmora/velmora",
    **{f"./usr/libexec/velmora/{name}": "" for name in
       ("velmora", "libvelmora-audio.so", "ChangePlayer.wav", "GameOver.wav", "LowTime.wav")},
    "./usr/share/applications/velmora.desktop": "",
    "./usr/share/doc/velmora/changelog.gz": "",
    "./usr/share/doc/velmora/copyright": "",
    "./usr/share/man/man6/velmora.6.gz": "",
    "./usr/share/icons/hicolor/scalable/apps/velmora.svg": "",
    "./usr/share/metainfo/org.example.velmora.metainfo.xml": "",
}


def relations(text):
    """'a (>= 1) | b, c:any' -> [['a', 'b'], ['c']]."""
    return [[re.split(r"[\s(:\[]", alternative.strip())[0] for alternative in group.split("|")]
            for group in text.split(",") if group.strip()]


def brought_by(depends):
    """The installed packages that `depends` brings onto a fresh Debian system,
    with the essential ones every system has. Like apt, each dependency takes
    its first alternative that is a package or provided by one."""
    out = command("dpkg-query", "-W", "-f", "${db:Status-Abbrev}\t${Package}\t${Essential}\t"
                  "${Provides}\t${Depends}, ${Pre-Depends}\n")
    needs, providers, todo = {}, {}, relations(depends)
    for line in out.splitlines():
        status, name, essential, provides, requires = line.split("\t")
        if status.startswith("ii"):
            needs.setdefault(name, []).extend(relations(requires))
            if essential == "yes":
                todo.append([name])
            for group in relations(provides):
                providers.setdefault(group[0], set()).add(name)
    unknown = [g for g in relations(depends) if not any(n in needs for n in g)]
    if unknown:
        raise E2EError(f"Depends names packages not installed here to check: {unknown}")
    brought = set()
    while todo:
        choice = next(({n} if n in needs else providers[n] for n in todo.pop()
                       if n in needs or n in providers), set())
        for package in choice - brought:
            brought.add(package)
            todo += needs[package]
    return brought


def owners(paths):
    """{path: packages owning it} for the paths dpkg knows. With Debian's
    merged /usr, dpkg may know a file under its name without /usr."""
    names = {}
    for path in paths:
        for name in {path, os.path.realpath(path)}:
            names.setdefault(name, set()).add(path)
            names.setdefault(name.removeprefix("/usr"), set()).add(path)
    # Without check: dpkg-query fails for the files no package owns.
    out = subprocess.run(["dpkg-query", "-S", *sorted(names)],
                         capture_output=True, text=True).stdout
    found = {}
    for line in out.splitlines():
        packages, _, name = line.partition(": ")
        if line.startswith("diversion "):
            continue
        for path in names.get(name, ()):
            found.setdefault(path, set()).update(
                p.strip().split(":")[0] for p in packages.split(","))
    return found


def test(display, _binary):
    work = tempfile.mkdtemp(prefix="velmora-package-")
    try:
        command("cpack", "-G", "DEB", "-B", work, "--config",
                os.path.join(installed.BUILD_DIR, "CPackConfig.cmake"), cwd=installed.BUILD_DIR)
        debs = glob.glob(os.path.join(work, "*.deb"))
        if len(debs) != 1:
            raise E2EError(f"expected one package, found {debs}")
        contents = {}
        for line in command("dpkg-deb", "-c", debs[0]).splitlines():
            if not line.startswith("d"):
                path, _, target = line.split(None, 5)[5].partition(" -> ")
                contents[path] = target
        if contents != CONTENTS:
            raise E2EError(f"the package holds {sorted(contents.items())}")
        command("lintian", "--fail-on", "error,warning", debs[0])

        root = os.path.join(work, "root")
        command("dpkg-deb", "-x", debs[0], root)
        loaded = set()
        # The audio module is loaded only at the first sound: its libraries come from ldd.
        folder = os.path.join(root, "usr", "libexec", "velmora")
        for binary in ("velmora", "libvelmora-audio.so"):
            for line in command("ldd", os.path.join(folder, binary)).splitlines():
                path = line.split("=>")[-1].split("(")[0].strip()
                if path.startswith("/"):
                    loaded.add(path)
        installed.run_installed(display, os.path.join(root, "usr", "games", "velmora"),
                                lambda pid: loaded.update(installed.mapped_files(pid)))
        loaded = {f for f in loaded if not f.startswith(root)}
        if "libqsvg.so" not in {os.path.basename(f) for f in loaded}:
            raise E2EError("the SVG image plugin was not loaded with the about dialog open")

        depends = command("dpkg-deb", "-f", debs[0], "Depends").strip()
        brought = brought_by(depends)
        missing = [f"{path} ({', '.join(sorted(found))})"
                   for path, found in sorted(owners(loaded).items()) if not found & brought]
        if missing:
            raise E2EError(f"Depends ({depends}) does not bring what the program loads:\n  "
                           + "\n  ".join(missing))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    run(test)
