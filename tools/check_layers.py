#!/usr/bin/env python3
"""Holds the sources to the layers the CMake lists state.

Each library folder (core/*, ui/*, cli) names its target and the targets it
links. A source may include headers of its own folder and of the folders whose
targets its target links, directly or through them; a core or command-line
source never includes Qt (sundial-cli starts without loading it). Exit status 1, with one line per breach, when anything else is
included. Usage: check_layers.py [project root]
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[1])
LAYER_ROOTS = ("core", "ui", "cli", "app")
DEFINE = re.compile(r"\b(?:sundial_core_library|sundial_ui_library|add_library|add_executable)\(\s*([\w-]+)")
LINK = re.compile(r"\btarget_link_libraries\(\s*([\w-]+)([^)]*)\)", re.S)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".inc"}


def library_folders():
    """folder (relative, posix) -> the targets its CMakeLists defines."""
    folders = {}
    for top in LAYER_ROOTS:
        for cmake in sorted((ROOT / top).rglob("CMakeLists.txt")):
            targets = DEFINE.findall(cmake.read_text())
            if targets:
                folders[cmake.parent.relative_to(ROOT).as_posix()] = targets
    return folders


def link_graph():
    graph = {}
    for top in LAYER_ROOTS:
        for cmake in (ROOT / top).rglob("CMakeLists.txt"):
            for target, args in LINK.findall(cmake.read_text()):
                words = [w for w in args.split() if w not in ("PUBLIC", "PRIVATE", "INTERFACE")]
                graph.setdefault(target, set()).update(words)
    return graph


def reachable(start, graph):
    seen, todo = set(), list(start)
    while todo:
        t = todo.pop()
        if t not in seen:
            seen.add(t)
            todo.extend(graph.get(t, ()))
    return seen


def main():
    folders = library_folders()
    graph = link_graph()
    owner = {t: f for f, ts in folders.items() for t in ts}
    breaches = []
    for folder, targets in folders.items():
        allowed = {owner[t] for t in reachable(targets, graph) if t in owner}
        for src in sorted((ROOT / folder).iterdir()):
            if src.suffix not in SOURCE_SUFFIXES:
                continue
            rel = src.relative_to(ROOT).as_posix()
            for kind, path in INCLUDE.findall(src.read_text(errors="replace")):
                qt_free = folder.startswith("core/") or folder == "cli"
                if qt_free and kind == "<" and re.match(r"Q[A-Za-z]|qt", path):
                    breaches.append(f"{rel}: a {folder.split('/')[0]} file includes Qt <{path}>")
                    continue
                if kind != '"':
                    continue
                included = path.rsplit("/", 1)[0] if "/" in path else folder
                if included in folders and included not in allowed:
                    breaches.append(f"{rel}: includes {path}, but {folder} does not link {included}")
    for line in breaches:
        print(line)
    print(f"layering: {len(folders)} folders, {len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
