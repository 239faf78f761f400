"""What the Debian package database says: which package owns a file, and
which packages a list of dependencies brings onto a fresh system."""

import os
import re
import subprocess

# Folders that Debian's merged /usr reaches under two names.
_MERGED = ("/bin/", "/sbin/", "/lib/", "/lib32/", "/lib64/", "/libx32/")


def _other_names(path):
    """The names under which dpkg may have registered `path`."""
    names = {path, os.path.realpath(path)}
    for name in list(names):
        for top in _MERGED:
            if name.startswith("/usr" + top):
                names.add(name[len("/usr"):])
            elif name.startswith(top):
                names.add("/usr" + name)
    return names


def owners(paths):
    """{path: set of owning packages} for the paths dpkg knows; others are left out."""
    wanted = {}
    for path in paths:
        for name in _other_names(path):
            wanted.setdefault(name, set()).add(path)
    result = subprocess.run(["dpkg-query", "-S", *sorted(wanted)], capture_output=True, text=True)
    found = {}
    for line in result.stdout.splitlines():
        if line.startswith("diversion ") or ": " not in line:
            continue
        packages, name = line.split(": ", 1)
        for path in wanted.get(name, ()):
            found.setdefault(path, set()).update(
                p.strip().split(":")[0] for p in packages.split(","))
    return found


def parse_relations(text):
    """'a (>= 1) | b, c:any' -> [['a', 'b'], ['c']]."""
    groups = []
    for group in text.split(","):
        names = [re.split(r"[\s(:\[]", alternative.strip(), maxsplit=1)[0]
                 for alternative in group.split("|")]
        names = [n for n in names if n]
        if names:
            groups.append(names)
    return groups


class InstalledPackages:
    """The packages installed here, with what they provide and depend on."""

    def __init__(self):
        out = subprocess.run(
            ["dpkg-query", "-W", "-f",
             "${db:Status-Abbrev}\t${Package}\t${Essential}\t${Provides}\t"
             "${Depends}\t${Pre-Depends}\n"],
            capture_output=True, text=True, check=True).stdout
        self.depends = {}
        self.providers = {}
        self.essential = set()
        for line in out.splitlines():
            status, name, essential, provides, depends, pre_depends = line.split("\t")
            if not status.startswith("ii"):
                continue
            groups = parse_relations(depends) + parse_relations(pre_depends)
            self.depends.setdefault(name, []).extend(groups)
            if essential == "yes":
                self.essential.add(name)
            for group in parse_relations(provides):
                self.providers.setdefault(group[0], set()).add(name)

    def is_installed(self, name):
        return name in self.depends

    def _satisfy(self, group):
        """The packages apt would take for one dependency: its first
        alternative that is a package or provided by one."""
        for name in group:
            if name in self.depends:
                return {name}
            if name in self.providers:
                return set(self.providers[name])
        return set()

    def closure(self, groups):
        """Every package that the dependency groups bring, with the essential
        packages that every Debian system has."""
        seen = set()
        todo = [[name] for name in self.essential] + list(groups)
        while todo:
            for package in self._satisfy(todo.pop()) - seen:
                seen.add(package)
                todo.extend(self.depends[package])
        return seen
