#!/usr/bin/env bash
# Starts the program. With a working X display it simply runs there. Without one it runs on a
# private Xvfb, takes a screenshot of the splash and of the calculator, then closes it.
set -euo pipefail

BUILD=${1:-build}
PROG=$BUILD/zefa
[ -x "$PROG" ] || { echo "run: no program at $PROG: build first" >&2; exit 1; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$PROG"
fi

XS_NAME=run
. "$(dirname "$0")/xsession.sh"

SHOTS=$BUILD/screenshots
mkdir -p "$SHOTS"
XS_FAIL_SHOT=$SHOTS/run-failure.png

xs_log "no X display here: running on a private Xvfb"
xs_start_xvfb
xs_start_app run "$PROG"

wait_window() { # BOUND_MS WHAT CMD: sets WIN from CMD's output
  local end=$(($(xs_now_ms) + $1))
  until WIN=$($3) && [ -n "$WIN" ]; do
    xs_app_alive || { xs_app_status; xs_die "the program ended with status $XS_APP_STATUS before its $2 showed"; }
    (($(xs_now_ms) < end)) || xs_die "no $2 within $1 ms"
    sleep 0.02
  done
}
calculator() { xs_visible_named_window "ZEFA Calculator"; }
# Mapped is not yet drawn: both windows show dark-red text and pictures once painted.
painted() {
  xs_shot_window "$WIN" "$XS_TMP/window.png" 2>/dev/null &&
    [ "$(xs_count_colour "$XS_TMP/window.png" '#800000')" -gt 1000 ]
}

wait_window 15000 "splash window" xs_visible_app_window
xs_poll 5000 painted || xs_die "the splash window stays blank"
xs_shot_root "$SHOTS/splash.png"
xs_geometry "$WIN"
# A click inside the splash hands over at once; the pointer then leaves so that no caption shows.
xdotool mousemove $((GX + GW / 2)) $((GY + GH / 2)) click 1 mousemove 0 0
wait_window 5000 "calculator window" calculator
xs_poll 5000 painted || xs_die "the calculator window stays blank"
xs_shot_root "$SHOTS/calculator.png"

xs_close_window "$WIN" || xs_die "could not ask the calculator window to close"
xs_poll 5000 xs_app_gone || xs_die "the program still runs 5 s after its window was asked to close"
xs_app_status
echo "run: screenshots: $SHOTS/splash.png $SHOTS/calculator.png"
echo "run: the program exited with status $XS_APP_STATUS"
exit "$XS_APP_STATUS"
