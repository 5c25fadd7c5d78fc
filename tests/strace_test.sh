#!/usr/bin/env bash
# The program reads no file of ours but its six pictures (each once), writes no file, opens no
# network connection and starts no other program. Runs the real program under strace on a private
# Xvfb: hand-over by a click, every caption hovered twice, Ctrl+Q; then judges every file,
# network and process call it made. Twice: with no session bus (libdbus would start a helper to
# look for one), and with a private session bus, which it may use.
#
# Usage: strace_test.sh PROGRAM SOURCE_DIR PROBE
set -euo pipefail

PROG=$(realpath "$1")
SOURCE_DIR=$(realpath "$2")
PROBE=$(realpath "$3")
XS_NAME=strace_test
. "$(dirname "$0")/../scripts/xsession.sh"
BUS_PID=
cleanup() {
  [ -z "$BUS_PID" ] || kill "$BUS_PID" 2>/dev/null || true
  xs_cleanup
}
trap cleanup EXIT
trap 'exit 130' INT TERM

for tool in strace Xvfb xdotool xwininfo xdpyinfo import convert compare python3 dbus-daemon; do
  command -v "$tool" >/dev/null || xs_die "$tool is missing"
done

# Where the calculator's captions, fields and hover pictures sit, from its layout (content coordinates).
xs_load_geometry "$PROBE"
xs_rect AREA Calc -
CALC_W=${AREA[2]} CALC_H=${AREA[3]}
xs_rects CAPTIONS Calc Text1 Text2 Text3 Text7 Text4 Text5 Text6
xs_rect IQ_PICTURE Calc IQlang
xs_rect IQ_FIELD Calc IQFld
xs_rect CALCULATE Calc CalcBrn
# The band the hover pictures show in, down to the first row of fields, and a blank spot below
# the last result field.
BAND=(0 "${IQ_PICTURE[1]}" "$CALC_W" $((IQ_FIELD[1] - IQ_PICTURE[1])))
xs_rect AREA Calc SD05Fld
NEUTRAL=($((CALC_W / 2)) $(((AREA[1] + AREA[3] + CALCULATE[1]) / 2)))

xs_start_xvfb
# Neither run may find the caller's session bus, nor one in the caller's runtime folder.
unset DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR AT_SPI_BUS_ADDRESS

splash() { SPLASH=$(xs_visible_app_window) && [ -n "$SPLASH" ]; }
calculator() { WIN=$(xs_visible_named_window "ZEFA Calculator") && [ -n "$WIN" ]; }
band_pixels() { # how many pixels of the caption band are drawn on
  xs_shot_window "$WIN" "$XS_TMP/w.png" 2>/dev/null &&
    xs_crop "$XS_TMP/w.png" "${BAND[0]}" $((BAND[1] + MB)) "${BAND[2]}" "${BAND[3]}" "$XS_TMP/band.png" &&
    xs_diff "$XS_TMP/band.png" "$XS_TMP/white.png"
}
band_drawn() { [ "$(band_pixels)" -gt 500 ]; }
band_empty() { [ "$(band_pixels)" -eq 0 ]; }

# One traced run in its own empty working folder (whatever the program looks up relative to it
# shows up as ours), then the judgement of its trace.
run_traced() { # LABEL
  RUN_DIR=$XS_TMP/$1
  WORK_DIR=$RUN_DIR/cwd
  mkdir -p "$WORK_DIR"
  xs_log "run with $1"
  cd "$WORK_DIR"
  xs_start_app "$1" strace -f -ff -y -qq -e trace=file,network,process -o "$RUN_DIR/trace" -- "$PROG"
  walk
  cd /
  judge "$1"
}

walk() {
  # Tracing slows start-up several times over: generous bounds.
  xs_wait_for 30000 "splash window" splash
  xs_geometry "$SPLASH"
  xdotool mousemove $((GX + GW / 2)) $((GY + GH / 2)) click 1
  xs_wait_for 10000 "calculator window" calculator
  xs_geometry "$WIN"
  MB=$((GH - CALC_H))
  convert -size "${BAND[2]}x${BAND[3]}" xc:white "$XS_TMP/white.png"

  # Each caption shows its picture on hover: twice round all seven, so a picture loaded per hover
  # would be read twice.
  local rect x y w h
  for round in 1 2; do
    for rect in "${CAPTIONS[@]}"; do
      read -r x y w h <<<"$rect"
      xdotool mousemove $((GX + x + w / 2)) $((GY + MB + y + h / 2))
      xs_wait_for 5000 "help picture for the caption at ($rect) (round $round)" band_drawn
      xdotool mousemove $((GX + NEUTRAL[0])) $((GY + MB + NEUTRAL[1]))
      xs_wait_for 5000 "empty caption band after leaving the caption at ($rect)" band_empty
    done
  done

  xdotool key ctrl+q
  xs_poll 10000 xs_app_gone || xs_die "the program still runs 10 s after Ctrl+Q"
  xs_app_status
  [ "$XS_APP_STATUS" -eq 0 ] || xs_die "Ctrl+Q ended the program with status $XS_APP_STATUS"
}

judge() { # LABEL
python3 - "$RUN_DIR" "$PROG" "$SOURCE_DIR" "$WORK_DIR" "$1" <<'PY'
import glob, os, re, sys

tmp, prog, source_dir, work_dir, label = sys.argv[1:]
prog_dir = os.path.dirname(prog)
pictures = {os.path.join(prog_dir, "resources", n) for n in
            ("IQlangPix..png", "ZEFAtitle.png", "Rest.png", "PreAchFormula.png", "SEformula.png", "Ride64.png")}
ours = [source_dir, prog_dir, work_dir]  # the project, its build and the working folder
home = os.path.expanduser("~")
cache = os.environ.get("XDG_CACHE_HOME") or os.path.join(home, ".cache")
runtime = os.environ.get("XDG_RUNTIME_DIR")

# Where the toolkit may write, and why. Nothing else may be opened for writing or changed.
allowed_writes = [
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
STARTS = {"fork", "vfork", "execve", "execveat"}  # and clone/clone3 of anything but a thread

def bus_socket(address):
    """The socket a D-Bus address names (path= or abstract=), or None."""
    m = re.search(r'unix:(?:[^;]*,)?(path|abstract)=([^,;]*)', address or "")
    return None if not m else ("@" if m.group(1) == "abstract" else "") + m.group(2)

# Whom it may talk to over Unix sockets, and why: every other peer is a fault, reached or not.
display = os.environ["DISPLAY"].lstrip(":").split(".")[0]
allowed_peers = {
    "@/tmp/.X11-unix/X" + display: "the X server",
    "/tmp/.X11-unix/X" + display: "the X server",
    "/var/run/nscd/socket": "the C library's user lookup (name-service cache)",
    "/run/nscd/socket": "the C library's user lookup (name-service cache)",
}
for var, why in (("DBUS_SESSION_BUS_ADDRESS", "the session bus"), ("AT_SPI_BUS_ADDRESS", "the accessibility bus")):
    if bus_socket(os.environ.get(var)):
        allowed_peers[bus_socket(os.environ.get(var))] = why
peer_re = re.compile(r'sun_path=(@?)"((?:[^"\\]|\\.)*)"')

def peer_why(peer):
    if peer.startswith("/run/systemd/userdb/"):
        return "the C library's user lookup (systemd's user database)"
    return allowed_peers.get(peer)

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

faults, picture_opens, plugin_probes, used_writes, peers = [], {}, 0, set(), {}
own_exec = 0
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
        if call in STARTS or (call in ("clone", "clone3") and "CLONE_THREAD" not in args):
            if call == "execve" and own_exec == 0 and args.startswith(f'"{prog}"') and ret == "0":
                own_exec += 1  # strace starting the program itself
            else:
                faults.append("starts another process: " + line)
            continue
        if call in NETWORK:
            if "AF_INET" in args:
                faults.append("network: " + line)
            elif "AF_UNIX" in args and call == "connect":
                pm = peer_re.search(args)
                peer = (pm.group(1) + pm.group(2)) if pm else "?"
                why = peer_why(peer)
                if why:
                    peers[peer] = why
                else:
                    faults.append("talks to another process: " + line)
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

if own_exec != 1:
    faults.append("the trace does not start with the program itself")
print(f"strace_test: {label}: {len(files)} processes and threads traced; pictures opened: "
      + ", ".join(f"{os.path.basename(p)} x{n}" for p, n in sorted(picture_opens.items())))
print(f"strace_test: {label}: Qt plugin-folder probes next to the program: {plugin_probes}")
for peer, why in sorted(peers.items()):
    print(f"strace_test: {label}: connects to {peer}: {why}")
for why in sorted(used_writes):
    print(f"strace_test: {label}: allowed write: " + why)
if faults:
    for f in faults:
        print(f"strace_test: FAIL: {label}: " + f)
    sys.exit(1)
print(f"strace_test: {label}: all checks passed")
PY
}

run_traced "no session bus"

# A private session bus with no services to start: the program may connect to it.
cat >"$XS_TMP/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$XS_TMP</listen>
  <auth>EXTERNAL</auth>
  <policy context="default"><allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/></policy>
</busconfig>
EOF
: >"$XS_TMP/bus-address"
dbus-daemon --config-file="$XS_TMP/bus.conf" --nofork --print-address=3 3>"$XS_TMP/bus-address" \
  >"$XS_TMP/bus.log" 2>&1 &
BUS_PID=$!
bus_ready() { grep -q '^unix:' "$XS_TMP/bus-address"; }
xs_poll 10000 bus_ready || xs_die "dbus-daemon gave no address within 10 s: $(tail -n 3 "$XS_TMP/bus.log")"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$XS_TMP/bus-address")
run_traced "a private session bus"
