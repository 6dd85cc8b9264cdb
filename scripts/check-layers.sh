#!/usr/bin/env bash
# Holds every #include "..." under src/ to the allowed directions in
# src/layers.txt: a file may include its own layer and the layers its line
# names, nothing above or beside it. A line may name a folder, one file, or
# one unit (a path without its extension: the .h and the .cpp of that name),
# which then stands above the rest of its folder. Prints "  ok layers" or one
# line per offending include; exits non-zero on any.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
src=${1:-$repo/src}
exec python3 - "$src" <<'PY'
import os, re, sys
src = sys.argv[1]
rules = {}
for line in open(os.path.join(src, "layers.txt")):
    line = line.split("#", 1)[0].strip()
    if not line:
        continue
    name, _, allowed = line.partition(":")
    rules[name.strip()] = set(allowed.split())

def layer_of(path):
    # The longest rule that names the path, its unit or a folder above it.
    unit = os.path.splitext(path)[0]
    best = None
    for name in rules:
        if path == name or unit == name or path.startswith(name + "/"):
            if best is None or len(name) > len(best):
                best = name
    return best

bad = []
for root, _, files in os.walk(src):
    for f in sorted(files):
        if not f.endswith((".h", ".cpp")):
            continue
        rel = os.path.relpath(os.path.join(root, f), src)
        own = layer_of(rel)
        if own is None:
            bad.append(f"{rel}: no layer in layers.txt")
            continue
        allowed = rules[own] | {own}
        for n, text in enumerate(open(os.path.join(root, f), encoding="latin-1"), 1):
            m = re.match(r'\s*#\s*include\s+"([^"]+)"', text)
            if not m:
                continue
            target = layer_of(m.group(1))
            if target is None or target not in allowed:
                bad.append(f"{rel}:{n}: includes {m.group(1)} ({target or 'no layer'}), "
                           f"but {own} may include only {' '.join(sorted(allowed))}")
if bad:
    for b in bad:
        print("  FAILED layers: " + b)
    sys.exit(1)
print("  ok layers")
PY
