#!/usr/bin/env python3
"""Proves that the install list in scripts/common.sh covers what the build used.

A package that is on this machine only by chance (installed by hand, or as a
mere recommendation) hides a missing install step: the build works here and
fails on a fresh machine. This check takes every file the configured build and
the tests take from a Debian package, finds the package that owns it, and fails
unless apt would install that package for the install list on a machine with
nothing on it (the list itself and its hard dependencies, recommendations not
followed), or the package is part of every Debian system (Priority: required).

usage: check_packages.py BUILD_DIR [--omit PACKAGE ...]
  --omit drops packages from the list first, to see what the check says
  when one is missing.
"""

import glob
import os
import re
import shutil
import subprocess
import sys

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Commands the tests and scripts start, beyond what CMake found.
COMMANDS = ["pdftotext", "openssl", "python3", "clang++", "clang-format", "ldd", "ctest", "cmake"]

# Files the program and the tests load at run time.
RUNTIME_FILES = [
    "/usr/lib/*/qt6/plugins/sqldrivers/libqsqlite.so",
    "/usr/lib/*/qt6/plugins/platforms/libqoffscreen.so",
    "/usr/share/qt6/translations/qtbase_zh_CN.qm",
    "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
    "/usr/lib/*/libmdb.so",
    "/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a",
]


def listed_packages():
    text = open(os.path.join(TOP, "scripts", "common.sh"), encoding="utf-8").read()
    m = re.search(r"PACKAGES=\(([^)]*)\)", text, re.S)
    if not m:
        sys.exit("check_packages: no PACKAGES=(...) list in scripts/common.sh")
    return [p for p in m.group(1).split() if not p.startswith("#")]


def fresh_install_set(packages):
    """What apt installs for the list on a machine where nothing is installed."""
    cmd = ["apt-get", "-s", "-o", "Dir::State::status=/dev/null", "-o", "Debug::NoLocking=1",
           "install", "--no-install-recommends", *packages]
    run = subprocess.run(cmd, capture_output=True, text=True, env={**os.environ, "LC_ALL": "C"})
    if run.returncode != 0:
        sys.exit("check_packages: apt cannot resolve the install list:\n" + run.stdout[-2000:] + run.stderr[-2000:])
    names = set(packages)
    for line in run.stdout.splitlines():
        if line.startswith("Inst "):
            names.add(line.split()[1].split(":")[0])
    return names


def owner_map(paths):
    """Debian packages owning each path (or the file it resolves to), in one dpkg call."""
    def query(candidates):
        run = subprocess.run(["dpkg", "-S", *candidates], capture_output=True, text=True)
        found = {}
        for line in run.stdout.splitlines():
            if line.startswith("diversion "):
                continue
            head, sep, path = line.rpartition(": ")
            if sep:
                found.setdefault(path, set()).update(p.strip().split(":")[0] for p in head.split(","))
        return found

    direct = query(sorted(set(paths)))
    result = {p: direct.get(p, set()) for p in paths}
    unresolved = {p: os.path.realpath(p) for p in paths if not result[p] and os.path.realpath(p) != p}
    if unresolved:
        real = query(sorted(set(unresolved.values())))
        for p, r in unresolved.items():
            result[p] = real.get(r, set())
    return result


def required_packages(names):
    if not names:
        return set()
    run = subprocess.run(["dpkg-query", "-W", "-f=${Package} ${Priority} ${Essential}\n", *sorted(names)],
                         capture_output=True, text=True)
    out = set()
    for line in run.stdout.splitlines():
        parts = line.split()
        if len(parts) >= 2 and (parts[1] == "required" or (len(parts) > 2 and parts[2] == "yes")):
            out.add(parts[0])
    return out


def used_files(build_dir):
    """(what, path) of every file the build takes from under /usr.

    Package configurations CMake loaded (the *_DIR entries), the programs it
    runs (CMAKE_* and *_EXECUTABLE entries), and every other file entry that
    the generated build files refer to; an optional library that a find module
    noticed but nothing links is not used and not checked."""
    cache = os.path.join(build_dir, "CMakeCache.txt")
    if not os.path.isfile(cache):
        sys.exit(f"check_packages: {cache} not found; configure first")
    generated = ""
    for name in glob.glob(os.path.join(build_dir, "**", "*.ninja"), recursive=True):
        generated += open(name, encoding="utf-8", errors="replace").read()
    files = []
    for line in open(cache, encoding="utf-8", errors="replace"):
        m = re.match(r"([A-Za-z0-9_]+)_DIR:PATH=(/usr/\S+)", line)
        if m:
            configs = sorted(glob.glob(m.group(2) + "/*onfig.cmake"))
            if configs:  # a package configuration, not a plain include folder
                files.append((m.group(1) + "_DIR", configs[0]))
            continue
        m = re.match(r"([A-Za-z0-9_]+):FILEPATH=(/usr/\S+)", line)
        if m and os.path.exists(m.group(2)):
            name, path = m.groups()
            if name.startswith("CMAKE_") or name.endswith("_EXECUTABLE") or path in generated:
                files.append((name, path))
    for name in COMMANDS:
        path = shutil.which(name)
        files.append((name, path or f"(command {name} not found)"))
    for pattern in RUNTIME_FILES:
        hits = sorted(glob.glob(pattern))
        files.append((os.path.basename(pattern), hits[0] if hits else f"(no file {pattern})"))
    return files


def main():
    args = sys.argv[1:]
    if not args or args[0].startswith("-"):
        sys.exit(__doc__)
    build_dir, omit = args[0], set()
    i = 1
    while i < len(args):
        if args[i] == "--omit" and i + 1 < len(args):
            omit.add(args[i + 1])
            i += 2
        else:
            sys.exit(__doc__)
    packages = [p for p in listed_packages() if p not in omit]
    covered = fresh_install_set(packages)
    problems = []
    files = []
    for what, path in used_files(build_dir):
        if path.startswith("("):
            problems.append(f"{what}: {path[1:-1]}; add the package that provides it to scripts/common.sh")
        else:
            files.append((what, path))
    owners = owner_map([path for _, path in files])
    # A file no package owns was built here or is the user's own: nothing to install.
    owned = {(what, path): owners[path] for what, path in files if owners[path]}
    base = required_packages(set().union(*owned.values()) if owned else set())
    for (what, path), found in owned.items():
        if found & (covered | base):
            continue
        names = ", ".join(sorted(found))
        problems.append(f"{names}: not installed by scripts/common.sh (used for {what}: {path})")
    if problems:
        print("check_packages: the install list misses packages this build used:", file=sys.stderr)
        for p in problems:
            print("  " + p, file=sys.stderr)
        sys.exit(1)
    print(f"check_packages: {len(owned)} files from Debian packages, all covered by the install list")


if __name__ == "__main__":
    main()
