#!/usr/bin/env python3
"""Checks that the folders of the calculation core form layers without a cycle.

A file under src/core/<folder>/ may include headers of its own folder and of the folders
below it in LAYERS, nothing above it, and nothing outside the standard library (no Qt, no
front-end or report code). Run from anywhere:

  python3 tools/check_layers.py      prints every offending include; exit 1 if any
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORE = ROOT / "src" / "core"

# Bottom first. Each folder builds only on the folders before it.
LAYERS = [
    "format",        # number formatting, scanf/printf helpers, messages
    "domain",        # shared domain types: shapes, wire systems, applications, part numbers
    "materials",     # material tables and models
    "catalog",       # core listings, sizes, prices, bobbins
    "settings",      # design parameters, material selection, settings and requirement files
    "requirements",  # the requirement record and its entry logic
    "engine",        # wire, winding, losses, application models, the catalog search
    "results",       # result grids and pages
    "analysis",      # analysis of one design and thermal aging
    "graphs",        # curves, the plotting engine, page drawing
    "spice",         # SPICE subcircuits of analysed designs
    "session",       # the state of one run of the program
]

QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
ANGLED = re.compile(r"^\s*#\s*include\s+<([^>]+)>", re.M)
FOREIGN = ("Q", "nlohmann/", "CLI/", "gtest/", "benchmark/")


def main():
    problems = []
    rank = {name: i for i, name in enumerate(LAYERS)}
    for path in sorted(CORE.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        rel = path.relative_to(CORE)
        if len(rel.parts) < 2 or rel.parts[0] not in rank:
            problems.append(f"{rel}: not inside a layer folder ({', '.join(LAYERS)})")
            continue
        own = rel.parts[0]
        text = path.read_text(encoding="utf-8", errors="replace")
        for header in QUOTED.findall(text):
            folder = header.split("/")[0] if "/" in header else None
            if folder is None:
                if not (path.parent / header).exists():
                    problems.append(f"{rel}: includes \"{header}\" without its folder")
                continue
            if folder not in rank:
                problems.append(f"{rel}: includes \"{header}\" from outside the core")
            elif rank[folder] > rank[own]:
                problems.append(
                    f"{rel}: {own} includes \"{header}\" from {folder}, a layer above it")
        for header in ANGLED.findall(text):
            if header.startswith(FOREIGN):
                problems.append(f"{rel}: includes <{header}>: the core uses the standard "
                                "library and the system's file calls only")
    for line in problems:
        print(line, file=sys.stderr)
    if problems:
        print(f"layers: {len(problems)} offending include(s)", file=sys.stderr)
        return 1
    print("layers: ok (" + " < ".join(LAYERS) + ")")
    return 0


if __name__ == "__main__":
    sys.exit(main())
