"""The Debian package: it holds exactly the installed files, and its Depends
bring every file the packaged program really loads, the libraries it and its
audio module link,
the plugins Qt loads at run time and the fonts it draws with."""

import glob
import os
import shutil
import tempfile

import installed
from debian_packages import InstalledPackages, owners, parse_relations
from installed import E2EError, command
from velmora_e2e import run


def expected_contents():
    files = {
        "./usr/bin/velmora": "../lib/velmora/velmora",
        "./usr/lib/velmora/velmora": None,
        "./usr/lib/velmora/libvelmora-audio.so": None,
        "./usr/share/applications/velmora.desktop": None,
        "./usr/share/icons/hicolor/scalable/apps/velmora.svg": None,
        "./usr/share/metainfo/org.example.velmora.metainfo.xml": None,
    }
    for name in sorted(installed.SOUND_NAMES):
        files[f"./usr/lib/velmora/{name}"] = None
    return files


def contents(deb):
    """{path: link target or None} of the package's files and links."""
    files = {}
    for line in command("dpkg-deb", "-c", deb).splitlines():
        if line.startswith("d"):
            continue
        path = line.split(None, 5)[5]
        target = None
        if " -> " in path:
            path, target = path.split(" -> ", 1)
        files[path] = target
    return files


def linked_libraries(program):
    libraries = set()
    for line in command("ldd", program).splitlines():
        path = line.split("=>")[-1].split("(")[0].strip()
        if path.startswith("/"):
            libraries.add(path)
    return libraries


def check_depends(depends, loaded):
    packages = InstalledPackages()
    groups = parse_relations(depends)
    unknown = [g for g in groups if not any(packages.is_installed(n) for n in g)]
    if unknown:
        raise E2EError(f"Depends names packages not installed here, so they cannot be checked: {unknown}")
    brought = packages.closure(groups)
    missing = {path: sorted(found) for path, found in owners(loaded).items()
               if not found & brought}
    if missing:
        lines = "\n".join(f"  {path} ({', '.join(found)})" for path, found in sorted(missing.items()))
        raise E2EError(f"Depends ({depends}) does not bring what the program loads:\n{lines}")


def test(display, _binary):
    work = tempfile.mkdtemp(prefix="velmora-package-")
    try:
        command("cpack", "-G", "DEB", "-B", work, "--config",
                os.path.join(installed.BUILD_DIR, "CPackConfig.cmake"), cwd=installed.BUILD_DIR)
        debs = glob.glob(os.path.join(work, "*.deb"))
        if len(debs) != 1:
            raise E2EError(f"expected one package, found {debs}")
        deb = debs[0]

        name, version = command("dpkg-deb", "-f", deb, "Package", "Version").splitlines()
        if name != "Package: velmora" or version.split(": ")[1].split("-")[0] != installed.VERSION:
            raise E2EError(f"package {name}, {version}; the program is {installed.VERSION}")
        depends = command("dpkg-deb", "-f", deb, "Depends").strip()

        found, expected = contents(deb), expected_contents()
        if found != expected:
            raise E2EError(f"the package holds {sorted(found.items())},\n"
                           f"expected {sorted(expected.items())}")

        root = os.path.join(work, "root")
        command("dpkg-deb", "-x", deb, root)
        program = os.path.join(root, "usr", "lib", "velmora", "velmora")
        # The audio module is loaded only when a sound plays: its libraries come from ldd.
        loaded = linked_libraries(program) | linked_libraries(
            os.path.join(root, "usr", "lib", "velmora", "libvelmora-audio.so"))
        clock, window, about = installed.start_and_open_about(
            display, os.path.join(root, "usr", "bin", "velmora"))
        try:
            loaded |= installed.mapped_files(clock.process.pid)
            installed.close_about_and_quit(clock, window, about)
        finally:
            clock.stop()
        loaded = {f for f in loaded if not f.startswith(root)}
        if not any(os.path.basename(f) == "libqsvg.so" for f in loaded):
            raise E2EError("the SVG image plugin was not loaded with the about dialog open")
        check_depends(depends, loaded)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    run(test)
