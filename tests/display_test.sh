#!/usr/bin/env bash
# The program without a display it can use (none, Wayland with no X server, an 8-bit screen), and
# when its display goes away: one line on standard error (Qt's own where the display is lost),
# exit status 1, no core file, never a crash. On a misbehaving desktop (services that take a
# connection and never answer, standard error closed) its window still comes, and it ends with 0.
#   display_test.sh PROGRAM
set -euo pipefail

PROG=$(realpath "$1")
XS_NAME=display_test
. "$(dirname "$0")/../scripts/xsession.sh"

# Core files land in the working folder, so each run gets an empty one.
ulimit -c unlimited 2>/dev/null || true
RUN=0
new_cwd() {
  RUN=$((RUN + 1))
  CWD=$XS_TMP/run$RUN
  mkdir -p "$CWD"
}
no_core() { # WHAT
  [ -z "$(ls -A "$CWD")" ] || xs_die "$1 left files in its working folder: $(ls -A "$CWD" | tr '\n' ' ')"
}

# --- no display: DISPLAY unset, empty, or naming a display that nobody serves; a Wayland session
# with no X server ----------------------------------------------------------------------------------
free_display=97
while [ -e "/tmp/.X11-unix/X$free_display" ] || [ -e "/tmp/.X$free_display-lock" ]; do
  free_display=$((free_display + 1))
done
for how in unset empty ":$free_display" wayland; do
  new_cwd
  status=0
  case $how in
    unset) (cd "$CWD" && env -u DISPLAY timeout 20 "$PROG" >"$XS_TMP/out" 2>"$XS_TMP/err") || status=$? ;;
    empty) (cd "$CWD" && DISPLAY= timeout 20 "$PROG" >"$XS_TMP/out" 2>"$XS_TMP/err") || status=$? ;;
    wayland) (cd "$CWD" && env -u DISPLAY XDG_SESSION_TYPE=wayland timeout 20 "$PROG" >"$XS_TMP/out" 2>"$XS_TMP/err") ||
      status=$? ;;
    *) (cd "$CWD" && DISPLAY=$how timeout 20 "$PROG" >"$XS_TMP/out" 2>"$XS_TMP/err") || status=$? ;;
  esac
  err=$(cat "$XS_TMP/err")
  xs_log "DISPLAY $how: status $status, standard error: $err"
  [ "$status" -eq 1 ] || xs_die "DISPLAY $how: exit status $status, not 1"
  [ "$(wc -l <"$XS_TMP/err")" -eq 1 ] || xs_die "DISPLAY $how: not one line on standard error"
  case $how in
    :*) grep -qF "\"$how\"" "$XS_TMP/err" || xs_die "DISPLAY $how: the line does not name the display" ;;
    *) grep -q "DISPLAY" "$XS_TMP/err" || xs_die "DISPLAY $how: the line does not say that DISPLAY names none" ;;
  esac
  [ ! -s "$XS_TMP/out" ] || xs_die "DISPLAY $how: wrote to standard output"
  no_core "DISPLAY $how"
done

# --- the display lost: during the splash, and after the hand-over to the calculator --------------
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  xs_log "skip the lost display: Xvfb or xdotool is missing"
  exit 0
fi

splash() { SPLASH=$(xs_visible_app_window) && [ -n "$SPLASH" ]; }
calculator() { [ -n "$(xs_visible_named_window "ZEFA Calculator")" ]; }

for when in splash calculator; do
  new_cwd
  xs_start_xvfb
  (cd "$CWD" && exec "$PROG") >"$XS_TMP/app-$when.log" 2>&1 &
  XS_APP_PID=$! XS_APP_LOG=$XS_TMP/app-$when.log
  xs_wait_for 15000 "splash window" splash
  if [ "$when" = calculator ]; then
    xs_geometry "$SPLASH"
    xdotool mousemove $((GX + GW / 2)) $((GY + GH / 2)) click 1
    xs_wait_for 10000 "calculator window" calculator
  fi
  kill "$XS_XVFB_PID"
  wait "$XS_XVFB_PID" 2>/dev/null || true
  XS_XVFB_PID=
  xs_poll 10000 xs_app_gone || xs_die "the program still runs 10 s after its display went away ($when)"
  xs_app_status
  xs_log "display lost with the $when shown: status $XS_APP_STATUS"
  [ "$XS_APP_STATUS" -eq 1 ] || xs_die "display lost with the $when shown: exit status $XS_APP_STATUS, not 1"
  ! grep -qiE 'segmentation|abort|core dumped' "$XS_APP_LOG" || xs_die "display lost with the $when shown: a crash"
  no_core "the program that lost its display ($when)"
done

# --- a screen of 8-bit colour: one line naming the depth, status 1 --------------------------------
new_cwd
xs_start_xvfb 1280x1024 8
status=0
(cd "$CWD" && timeout 20 "$PROG" >"$XS_TMP/out" 2>"$XS_TMP/err") || status=$?
xs_log "8-bit screen: status $status, standard error: $(cat "$XS_TMP/err")"
[ "$status" -eq 1 ] || xs_die "8-bit screen: exit status $status, not 1"
[ "$(wc -l <"$XS_TMP/err")" -eq 1 ] || xs_die "8-bit screen: not one line on standard error"
grep -q "8-bit" "$XS_TMP/err" || xs_die "8-bit screen: the line does not name the depth"
no_core "the program on an 8-bit screen"
xs_stop_xvfb

# --- a misbehaving desktop: the window comes within a bound all the same, and Ctrl+Q ends the
# program with 0 ------------------------------------------------------------------------------------
for tool in python3 dbus-daemon xprop; do
  command -v "$tool" >/dev/null || xs_die "$tool is missing"
done
/usr/bin/python3 -c 'import dbus' 2>/dev/null || xs_die "the system python3's dbus module (python3-dbus) is missing"
HELPERS=()
cleanup() {
  local pid
  for pid in "${HELPERS[@]}"; do
    kill -CONT "$pid" 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
  done
  xs_cleanup
}
trap cleanup EXIT
ready() { grep -q '^ready$' "$1"; }
started() { # LOG WHAT: waits for a helper's "ready"
  xs_poll 10000 ready "$1" || xs_die "$2 did not start within 10 s: $(tail -n 3 "$1")"
}

xs_start_xvfb
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS SESSION_MANAGER
export XDG_RUNTIME_DIR=$XS_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A socket that takes every connection and never answers, under a path and an abstract name.
SILENT=$XS_TMP/silent ABSTRACT=zefa-display-test-$$
python3 -c '
import select, socket, sys
listening = []
for name in (sys.argv[1], "\0" + sys.argv[2]):
    s = socket.socket(socket.AF_UNIX)
    s.bind(name)
    s.listen(64)
    listening.append(s)
print("ready", flush=True)
held = []
while True:
    for s in select.select(listening, [], [])[0]:
        held.append(s.accept()[0])
' "$SILENT" "$ABSTRACT" >"$XS_TMP/silent.log" 2>&1 &
HELPERS+=($!)
started "$XS_TMP/silent.log" "the silent socket"

# A private session bus with no services to start.
printf '%s\n' '<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"' \
  ' "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">' \
  "<busconfig><type>session</type><listen>unix:dir=$XS_TMP</listen><auth>EXTERNAL</auth>" \
  '<policy context="default"><allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/></policy>' \
  '</busconfig>' >"$XS_TMP/bus.conf"
dbus-daemon --config-file="$XS_TMP/bus.conf" --nofork --print-address=3 3>"$XS_TMP/bus-address" \
  >"$XS_TMP/bus.log" 2>&1 &
BUS_PID=$!
HELPERS+=($BUS_PID)
bus_ready() { grep -q '^unix:' "$XS_TMP/bus-address"; }
xs_poll 10000 bus_ready || xs_die "dbus-daemon gave no address within 10 s: $(tail -n 3 "$XS_TMP/bus.log")"
BUS=$(head -n 1 "$XS_TMP/bus-address")

splash() { SPLASH=$(xs_visible_app_window) && [ -n "$SPLASH" ]; }
# starts_despite WHAT EXPECTED CMD...: CMD runs the program; its splash must show, its output be
# EXPECTED (a line, or nothing), and Ctrl+Q end it with 0.
starts_despite() {
  local what=$1 expected=$2 t0
  shift 2
  new_cwd
  t0=$(xs_now_ms)
  XS_APP_LOG=$XS_TMP/app-$RUN.log
  (cd "$CWD" && exec "$@") >"$XS_APP_LOG" 2>&1 &
  XS_APP_PID=$!
  xs_wait_for 10000 "splash window with $what" splash
  xs_log "$what: splash after $(($(xs_now_ms) - t0)) ms, output: $(cat "$XS_APP_LOG")"
  [ "$(cat "$XS_APP_LOG")" = "$expected" ] || xs_die "$what: the output is not \"$expected\""
  xs_geometry "$SPLASH"
  xdotool mousemove $((GX + GW / 2)) $((GY + GH / 2)) key ctrl+q
  xs_poll 10000 xs_app_gone || xs_die "$what: the program still runs 10 s after Ctrl+Q"
  xs_app_status
  [ "$XS_APP_STATUS" -eq 0 ] || xs_die "$what: Ctrl+Q ended the program with status $XS_APP_STATUS"
  no_core "the program with $what"
}
silent_line() { echo "zefa: $1 does not answer; running without it"; }

starts_despite "a session bus that never answers" "$(silent_line "the session bus at unix:path=$SILENT")" \
  env DBUS_SESSION_BUS_ADDRESS="unix:path=$SILENT" "$PROG"
starts_despite "an accessibility bus that never answers" \
  "$(silent_line "the accessibility bus at unix:abstract=$ABSTRACT")" \
  env AT_SPI_BUS_ADDRESS="unix:abstract=$ABSTRACT" "$PROG"
# The program keeps no session state: it leaves the session manager out always, and says nothing.
starts_despite "a session manager that never answers" "" \
  env SESSION_MANAGER="local/$(hostname):$SILENT,unix/$(hostname):$SILENT" "$PROG"
# With a session bus, the toolkit also takes an accessibility bus from the X root window, and asks
# the accessibility service on the session bus for one.
xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "unix:path=$SILENT"
starts_despite "the root window naming an accessibility bus that never answers" \
  "$(silent_line "the accessibility bus at unix:path=$SILENT")" env DBUS_SESSION_BUS_ADDRESS="$BUS" "$PROG"
xprop -root -remove AT_SPI_BUS
# The system's python3, for which python3-dbus is installed.
/usr/bin/python3 -c '
import signal, sys, dbus
bus = dbus.bus.BusConnection(sys.argv[1])
bus.request_name("org.a11y.Bus")
print("ready", flush=True)
signal.pause()  # holds the name and answers nothing
' "$BUS" >"$XS_TMP/service.log" 2>&1 &
SERVICE_PID=$!
HELPERS+=($SERVICE_PID)
started "$XS_TMP/service.log" "the silent accessibility service"
starts_despite "an accessibility service that never answers" \
  "$(silent_line "the accessibility bus service on the session bus")" env DBUS_SESSION_BUS_ADDRESS="$BUS" "$PROG"
kill "$SERVICE_PID"
kill -STOP "$BUS_PID"
starts_despite "a stopped session bus" "$(silent_line "the session bus at $BUS")" \
  env DBUS_SESSION_BUS_ADDRESS="$BUS" "$PROG"
kill -CONT "$BUS_PID"

# Standard error closed: nothing Qt or the program writes there may reach the X connection (Qt
# warns without XDG_RUNTIME_DIR; the program reports a missing picture).
starts_despite "standard error closed" "" bash -c 'exec 2>&-; exec env -u XDG_RUNTIME_DIR "$1"' _ "$PROG"
APP=$XS_TMP/app
mkdir -p "$APP"
cp "$PROG" "$APP/zefa"
cp -r "$(dirname "$PROG")/resources" "$APP/resources"
rm "$APP/resources/ZEFAtitle.png"
starts_despite "standard error closed and a picture missing" "" bash -c 'exec 2>&-; exec "$1"' _ "$APP/zefa"
xs_log "all checks passed"
