#!/usr/bin/env python3
"""The layers as the build keeps them: calculator/, shell/, framework/runtime/ and the test seams
compile without Qt's include directories or definitions, the runtime links no Qt, and the
libraries of those layers call nothing of Qt's.

Usage: layering_test.py COMPILE_COMMANDS SOURCE_DIR RUNTIME_LINKS ARCHIVE...
"""
import json
import os
import re
import shlex
import subprocess
import sys

commands, source, runtime_links, archives = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
qt_flag = re.compile(r"^(-I|-isystem|-iquote|-idirafter)?.*qt[56]|^-DQT_", re.IGNORECASE)
walled = ("calculator/", "shell/", "framework/runtime/", "framework/testing.cpp")
faults = []


def qt_flags(entry):
    args = iter(entry["arguments"] if "arguments" in entry else shlex.split(entry["command"]))
    # "-isystem DIR" comes as two words: join the option with the word after it.
    joined = [a + next(args, "") if a in ("-I", "-isystem", "-iquote", "-idirafter") else a for a in args]
    return [a for a in joined if qt_flag.search(a)]


seen = {w: 0 for w in walled}
qt_in_gui = 0
for entry in json.load(open(commands)):
    path = os.path.relpath(os.path.realpath(entry["file"]), os.path.realpath(source))
    flags = qt_flags(entry)
    for w in walled:
        if path.startswith(w):
            seen[w] += 1
            if flags:
                faults.append(f"{path} compiles with Qt: {' '.join(flags)}")
    if path.startswith("framework/gui/") and flags:
        qt_in_gui += 1
for w, n in seen.items():
    if n == 0:
        faults.append(f"no compile command for {w}: the check would prove nothing")
if qt_in_gui == 0:
    faults.append("framework/gui/ compiles without Qt: the check does not see Qt's flags")

links = open(runtime_links).read()
if re.search(r"qt", links, re.IGNORECASE):
    faults.append(f"zefa_runtime links Qt: {links.strip()}")

# Demangled names of Qt's classes and functions among the symbols an archive calls.
qt_symbol = re.compile(r"\bQ[A-Z][A-Za-z]*::|\bqt_|\bQ[A-Z][A-Za-z]*\(")
for archive in archives:
    out = subprocess.run(["nm", "-C", "-u", archive], capture_output=True, text=True, check=True).stdout
    calls = sorted({line.split(None, 1)[-1] for line in out.splitlines() if qt_symbol.search(line)})
    if calls:
        faults.append(f"{os.path.basename(archive)} calls Qt: {calls[:5]}")

for f in faults:
    print("layering:", f)
if faults:
    sys.exit(1)
print(f"layering: {sum(seen.values())} compile commands of the walled layers without Qt; "
      f"{len(archives)} archives call no Qt")
