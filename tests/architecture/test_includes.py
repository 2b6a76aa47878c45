"""Fails when a source file includes a header from a layer or room it must not reach.

Includes point down the layers (app -> views -> store -> engine, insights -> model); inside
the views, kit/ and cards/ stand alone and a room reaches only kit/ and cards/.
"""
import pathlib
import re
import sys

SRC = pathlib.Path(sys.argv[1])
BELOW_VIEWS = {"model", "engine", "insights", "store"}
ALLOWED = {
    "model": {"model"},
    "engine": {"model", "engine"},
    "insights": {"model", "engine", "insights"},
    "store": {"model", "engine", "insights", "store"},
    "views/kit": {"model", "views/kit"},
    "views/cards": {"model", "views/kit", "views/cards"},
}


def area(path):
    parts = pathlib.PurePosixPath(path).parts
    return "/".join(parts[:2]) if parts[0] == "views" else parts[0]


faults = []
for file in sorted(SRC.rglob("*")):
    if file.suffix not in (".h", ".cpp"):
        continue
    here = area(file.relative_to(SRC).as_posix())
    if here == "app":
        continue
    allowed = ALLOWED.get(here, BELOW_VIEWS | {"views/kit", "views/cards", here})
    for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
        match = re.match(r'#include "([^"]+/[^"]+)"', line)
        if match and area(match.group(1)) not in allowed:
            faults.append(f"{file.relative_to(SRC)}:{number}: {here} includes {match.group(1)}")

print("\n".join(faults) or "every include points down its layer")
sys.exit(1 if faults else 0)
