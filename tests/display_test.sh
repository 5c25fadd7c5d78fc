#!/usr/bin/env bash
# The program without a display, and when its display goes away: one line on standard error
# (Qt's own where the display is lost), exit status 1, no core file, never a crash.
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

# --- no display: DISPLAY unset, empty, or naming a display that nobody serves ---------------------
free_display=97
while [ -e "/tmp/.X11-unix/X$free_display" ] || [ -e "/tmp/.X$free_display-lock" ]; do
  free_display=$((free_display + 1))
done
for how in unset empty ":$free_display"; do
  new_cwd
  status=0
  case $how in
    unset) (cd "$CWD" && env -u DISPLAY timeout 20 "$PROG" >"$XS_TMP/out" 2>"$XS_TMP/err") || status=$? ;;
    empty) (cd "$CWD" && DISPLAY= timeout 20 "$PROG" >"$XS_TMP/out" 2>"$XS_TMP/err") || status=$? ;;
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
xs_log "all checks passed"
