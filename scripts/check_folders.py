#!/usr/bin/env python3
"""Fails when the program's folders include each other in a cycle.

Each folder of the program (app, app/main, base, store, trend, ...) may use
the folders below it and never one above, so that a layer can be built,
tested and understood without the ones over it. Tests, benchmarks and build
tools are users of the program, not part of it, and are not checked.
"""

import os
import re
import subprocess
import sys

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTSIDE = ("tests/", "bench/", "resources/", "fuzz/")


def folder_of(path):
    return os.path.dirname(path) or "."


def main():
    files = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard", "*.cpp", "*.h"],
                           cwd=TOP, capture_output=True, text=True, check=True).stdout.split()
    folders = {folder_of(f) for f in files if not f.startswith(OUTSIDE)}
    edges = {}  # folder -> {used folder: an example "file includes header"}
    for f in files:
        if f.startswith(OUTSIDE):
            continue
        src = folder_of(f)
        for line in open(os.path.join(TOP, f), encoding="utf-8", errors="replace"):
            m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
            if not m:
                continue
            dst = folder_of(m.group(1))
            if dst != src and dst in folders:
                edges.setdefault(src, {}).setdefault(dst, f"{f} includes {m.group(1)}")
    # Depth-first search for a cycle.
    state, stack = {}, []

    def visit(node):
        state[node] = 1
        stack.append(node)
        for nxt in sorted(edges.get(node, {})):
            if state.get(nxt) == 1:
                cycle = stack[stack.index(nxt):] + [nxt]
                print("check_folders: these folders include each other in a cycle:", file=sys.stderr)
                for a, b in zip(cycle, cycle[1:]):
                    print(f"  {a} -> {b}: {edges[a][b]}", file=sys.stderr)
                sys.exit(1)
            if state.get(nxt) is None:
                visit(nxt)
        stack.pop()
        state[node] = 2

    for node in sorted(folders):
        if state.get(node) is None:
            visit(node)
    print(f"check_folders: {len(folders)} folders, no include cycle")


if __name__ == "__main__":
    main()
