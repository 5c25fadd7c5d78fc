#!/usr/bin/env bash
# The program reads no file of ours but its six pictures (each once), writes no file, and opens
# no network connection. Runs the real program under strace on a private Xvfb: hand-over by a
# click, every caption hovered twice, Ctrl+Q; then judges every file and network call it made.
#
# Usage: strace_test.sh PROGRAM SOURCE_DIR
set -euo pipefail

PROG=$(realpath "$1")
SOURCE_DIR=$(realpath "$2")
XS_NAME=strace_test
XS_TMP=$(mktemp -d)
. "$(dirname "$0")/../scripts/xsession.sh"
trap xs_cleanup EXIT
trap 'exit 130' INT TERM

for tool in strace Xvfb xdotool xwininfo xdpyinfo import convert compare python3; do
  command -v "$tool" >/dev/null || xs_die "$tool is missing"
done

# An empty working folder: whatever the program looks up relative to it shows up as ours.
WORK_DIR=$XS_TMP/cwd
mkdir -p "$WORK_DIR"
xs_start_xvfb
cd "$WORK_DIR"
xs_start_app zefa strace -f -ff -y -qq -e trace=file,network -o "$XS_TMP/trace" -- "$PROG"

wait_for() { # BOUND_MS WHAT CMD...
  local bound=$1 what=$2
  shift 2
  local end=$(($(xs_now_ms) + bound))
  until "$@"; do
    if ! xs_app_alive; then
      xs_app_status
      xs_die "the program ended (status $XS_APP_STATUS) while waiting for $what"
    fi
    (($(xs_now_ms) < end)) || xs_die "no $what within $bound ms"
    sleep 0.05
  done
}
splash() { SPLASH=$(xs_visible_app_window) && [ -n "$SPLASH" ]; }
calculator() { WIN=$(xs_visible_named_window "ZEFA Calculator") && [ -n "$WIN" ]; }
band_pixels() { # how many pixels of the caption band are drawn on
  xs_shot_window "$WIN" "$XS_TMP/w.png" 2>/dev/null &&
    xs_crop "$XS_TMP/w.png" 0 $((80 + MB)) 480 90 "$XS_TMP/band.png" &&
    xs_diff "$XS_TMP/band.png" "$XS_TMP/white.png"
}
band_drawn() { [ "$(band_pixels)" -gt 500 ]; }
band_empty() { [ "$(band_pixels)" -eq 0 ]; }

# Tracing slows start-up several times over: generous bounds.
wait_for 30000 "splash window" splash
xs_geometry "$SPLASH"
xdotool mousemove $((GX + GW / 2)) $((GY + GH / 2)) click 1
wait_for 10000 "calculator window" calculator
xs_geometry "$WIN"
MB=$((GH - 450))
convert -size 480x90 xc:white "$XS_TMP/white.png"

# Each caption shows its picture on hover: twice round all seven, so a picture loaded per hover
# would be read twice.
for round in 1 2; do
  for y in 187 213 242 274 302 332 361; do
    xdotool mousemove $((GX + 60)) $((GY + MB + y))
    wait_for 5000 "help picture for the caption at y $y (round $round)" band_drawn
    xdotool mousemove $((GX + 240)) $((GY + MB + 385))
    wait_for 5000 "empty caption band after leaving the caption at y $y" band_empty
  done
done

xdotool key ctrl+q
xs_poll 10000 xs_app_gone || xs_die "the program still runs 10 s after Ctrl+Q"
xs_app_status
[ "$XS_APP_STATUS" -eq 0 ] || xs_die "Ctrl+Q ended the program with status $XS_APP_STATUS"
cd /

python3 - "$XS_TMP" "$PROG" "$SOURCE_DIR" "$WORK_DIR" <<'PY'
import glob, os, re, sys

tmp, prog, source_dir, work_dir = sys.argv[1:]
prog_dir = os.path.dirname(prog)
pictures = {os.path.join(prog_dir, "resources", n) for n in
            ("IQlangPix..png", "ZEFAtitle.png", "Rest.png", "PreAchFormula.png", "SEformula.png", "Ride64.png")}
ours = [source_dir, prog_dir, work_dir]  # the project, its build and the working folder
home = os.path.expanduser("~")
cache = os.environ.get("XDG_CACHE_HOME") or os.path.join(home, ".cache")
runtime = os.environ.get("XDG_RUNTIME_DIR")

# Where the toolkit may write, and why. Nothing else may be opened for writing or changed.
allowed_writes = [
    ("/dev/", "devices: /dev/null for a child process, terminals"),
    ("/proc/", "the process's own kernel files"),
    ("/tmp/runtime-", "Qt's per-user runtime folder when XDG_RUNTIME_DIR is unset (created, 0700)"),
    (os.path.join(cache, "fontconfig") + "/", "fontconfig's per-user font cache, rebuilt when the system cache is stale"),
]
if runtime:
    allowed_writes.append((runtime.rstrip("/") + "/", "Qt's per-user runtime folder (XDG_RUNTIME_DIR)"))

WRITE_FLAGS = ("O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND")
CHANGES = {"creat", "mkdir", "mkdirat", "rename", "renameat", "renameat2", "unlink", "unlinkat", "rmdir",
           "link", "linkat", "symlink", "symlinkat", "truncate", "chmod", "fchmodat", "chown", "lchown",
           "fchownat", "utime", "utimes", "utimensat", "futimesat", "mknod", "mknodat", "setxattr",
           "lsetxattr", "removexattr", "lremovexattr"}
NETWORK = {"connect", "sendto", "sendmsg", "bind"}

call_re = re.compile(r'^(\w+)\((.*)\)\s+=\s+(-?\d+|\?)(?:<([^>]*)>)?(?:\s+(E\w+))?')
path_re = re.compile(r'"((?:[^"\\]|\\.)*)"')
dirfd_re = re.compile(r'^(?:AT_FDCWD|\d+)<([^>]*)>')

def under(path, root):
    return path == root or path.startswith(root.rstrip("/") + "/")

def ours_path(path):
    return any(under(path, r) for r in ours)

def writable(path):
    # A folder named by an allowed prefix may itself be created; so may the cache folder on the
    # way to fontconfig's.
    if path == cache:
        return "the per-user cache folder, made on the way to fontconfig's"
    return next((why for prefix, why in allowed_writes if path.startswith(prefix) or path + "/" == prefix), None)

def resolve(name, args):
    """Absolute path of a file argument; relative ones against their folder fd."""
    if name.startswith("/"):
        return os.path.normpath(name)
    m = dirfd_re.match(args)
    base = m.group(1) if m else work_dir
    return os.path.normpath(os.path.join(base, name))

faults, picture_opens, plugin_probes, unix_connects, used_writes = [], {}, 0, 0, set()
files = glob.glob(os.path.join(tmp, "trace.*"))
if not files:
    sys.exit("strace_test: FAIL: strace left no trace")
for trace in files:
    for line in open(trace, errors="replace"):
        m = call_re.match(line)
        if not m:
            continue
        call, args, ret, ret_path, err = m.groups()
        line = line.rstrip()
        if call in NETWORK:
            if "AF_INET" in args:
                faults.append("network: " + line)
            elif "AF_UNIX" in args and call == "connect":
                unix_connects += 1
            continue
        pm = path_re.search(args)
        if not pm:
            continue
        path = resolve(pm.group(1), args)
        if call in ("open", "openat", "openat2", "creat"):
            flags = args[pm.end():]
            wants_write = call == "creat" or any(f in flags for f in WRITE_FLAGS)
            opened = ret_path if (ret_path and ret != "-1") else None
            real = os.path.normpath(opened) if opened else path
            if wants_write:
                why = writable(real)
                if why:
                    used_writes.add(why)
                else:
                    faults.append("opened for writing: " + line)
            if not (ours_path(real) or ours_path(path)) and "zefa" in real.lower():
                faults.append("looks for a file of its own outside the project (settings?): " + line)
            if ours_path(real) or ours_path(path):
                if opened and real in pictures and not wants_write:
                    picture_opens[real] = picture_opens.get(real, 0) + 1
                elif not opened and "O_DIRECTORY" in flags and os.path.dirname(path) == prog_dir:
                    plugin_probes += 1  # Qt looks for plugin folders next to the program
                else:
                    faults.append("reads a file of the project that is not one of its pictures: " + line)
        elif call in CHANGES:
            why = writable(path)
            if why:
                used_writes.add(why)
            else:
                faults.append("changes the file system: " + line)

for p in sorted(pictures):
    n = picture_opens.get(p, 0)
    if n != 1:
        faults.append(f"picture {os.path.basename(p)} opened {n} times, not once")

print(f"strace_test: {len(files)} processes traced; pictures opened: "
      + ", ".join(f"{os.path.basename(p)} x{n}" for p, n in sorted(picture_opens.items())))
print(f"strace_test: Qt plugin-folder probes next to the program: {plugin_probes}; "
      f"local (AF_UNIX) connects: {unix_connects}")
for why in sorted(used_writes):
    print("strace_test: allowed write: " + why)
if faults:
    for f in faults:
        print("strace_test: FAIL: " + f)
    sys.exit(1)
print("strace_test: all checks passed")
PY
