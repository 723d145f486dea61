#!/usr/bin/env python3
"""Checks that the program's folders include each other in one direction only.

Each product folder has a layer; a file may include its own folder and any
folder of a lower layer, never a folder of its own layer or above. A breach
is printed with the file and the include, and the check fails. Folders not
listed here (tests, fuzz, bench, tools) may include anything.
"""
import os
import re
import subprocess
import sys

# Lower layers first. Folders on one layer do not include each other.
LAYERS = [
    ["resources"],       # dialog and control identifiers
    ["arch"],            # the archiver, a program of its own
    ["framework"],       # our layer over Win32; knows nothing of Ambrel
    ["model"],           # the portable model every part shares
    ["system"],          # install root, folders, programs, documents
    ["pages", "generate", "view"],
    ["shell"],           # start-up: wires everything together
    ["splash"],          # the splash programs, on their own
]
# Programs of their own, which include nothing of the main program's.
ISOLATED = {"arch", "splash"}
LAYER_OF = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/')


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    files = subprocess.check_output(["git", "ls-files", "*.h", "*.cpp", "*.rc"], cwd=root, text=True).split()
    breaches = []
    edges = set()
    for path in files:
        folder = path.split("/")[0]
        if folder not in LAYER_OF:
            continue
        with open(os.path.join(root, path), encoding="latin-1") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match or match.group(1) == folder:
                    continue
                target = match.group(1)
                edges.add((folder, target))
                allowed = target in LAYER_OF and LAYER_OF[target] < LAYER_OF[folder]
                if folder in ISOLATED:
                    allowed = False
                if not allowed:
                    breaches.append(f"{path}:{number}: {folder}/ includes {target}/ ({line.strip()})")
    for a, b in sorted(edges):
        if a < b and (b, a) in edges:
            breaches.append(f"include circle: {a}/ and {b}/ include each other")
    if breaches:
        print("\n".join(breaches))
        print(f"check-layers: {len(breaches)} breach(es) of the layering")
        return 1
    print(f"check-layers: {len(edges)} folder dependencies, all downward")
    return 0


if __name__ == "__main__":
    sys.exit(main())
