#!/usr/bin/env python3
"""The layers as the build keeps them: calculator/, shell/, pictures/ and framework/runtime/ (the
observer tests install among them) compile without Qt's include directories or definitions, the
runtime links no Qt, the libraries of those layers call nothing of Qt's, and each folder includes
only its own headers and those of the layers below it.

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
walled = ("calculator/", "shell/", "pictures/", "framework/runtime/")
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

# What each folder may include besides the standard and Qt headers: "dir/" anything below it,
# "dir/*" only the files directly in it, anything else that one file. Every include path is the
# source root, so only this check keeps a layer from reaching one above it. tests/, bench/ and
# tools/ may include anything.
framework_public = ["framework/runtime/", "framework/gui/*"]  # never gui/private/
may_include = {
    "framework/runtime/": ["framework/runtime/"],
    "framework/gui/": ["framework/gui/", "framework/runtime/"],
    "pictures/": ["pictures/"] + framework_public,
    "calculator/": ["calculator/", "pictures/"] + framework_public,
    "shell/": ["shell/", "calculator/calc_window.h", "pictures/"] + framework_public,
}
include_line = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def allows(pattern, path):
    if pattern.endswith("/*"):
        return path.startswith(pattern[:-1]) and "/" not in path[len(pattern) - 1:]
    return path.startswith(pattern) if pattern.endswith("/") else path == pattern


def our_header(including, kind, name):
    """The included file as a path below the source root, or None when it is not ours."""
    bases = ([os.path.dirname(including)] if kind == '"' else []) + [""]
    for base in bases:
        path = os.path.normpath(os.path.join(base, name))
        if not path.startswith("..") and os.path.isfile(os.path.join(source, path)):
            return path
    return None


includes_seen = {folder: 0 for folder in may_include}
files_seen = {folder: 0 for folder in may_include}
for root, _, files in (w for top in ("framework", "pictures", "calculator", "shell")
                       for w in os.walk(os.path.join(source, top))):
    for name in files:
        path = os.path.relpath(os.path.join(root, name), source)
        folder = next((f for f in may_include if path.startswith(f)), None)
        if folder is None or not name.endswith((".h", ".cpp")):
            continue
        files_seen[folder] += 1
        for kind, included in include_line.findall(open(os.path.join(root, name), errors="replace").read()):
            header = our_header(path, kind, included)
            if header is None:
                continue
            includes_seen[folder] += 1
            if not any(allows(p, header) for p in may_include[folder]):
                faults.append(f"{path} includes {header}, which {folder} may not include")
for folder, n in includes_seen.items():
    if n == 0 and files_seen[folder] > 0:
        faults.append(f"no include of ours found in {folder}: the check would prove nothing")

for f in faults:
    print("layering:", f)
if faults:
    sys.exit(1)
print(f"layering: {sum(seen.values())} compile commands of the walled layers without Qt; "
      f"{len(archives)} archives call no Qt; {sum(includes_seen.values())} includes each within its layer")
