#!/usr/bin/env bash
# The real program, run from a copy of its folder whose resources/ holds a FIFO, a folder and a
# link to /dev/zero under three pictures' names, on a private Xvfb: both windows show, with blank
# areas where those pictures belong, each odd file is reported once, and the program ends normally.
#
# Usage: odd_pictures_test.sh PROGRAM
set -euo pipefail

PROG=$(realpath "$1")
XS_NAME=odd_pictures_test
. "$(dirname "$0")/../scripts/xsession.sh"

for tool in Xvfb xdotool xwininfo xdpyinfo python3; do
  command -v "$tool" >/dev/null || xs_die "$tool is missing"
done

APP=$XS_TMP/app
mkdir -p "$APP"
cp "$PROG" "$APP/zefa"
cp -r "$(dirname "$PROG")/resources" "$APP/resources"
rm -f "$APP/resources/ZEFAtitle.png" "$APP/resources/Ride64.png" "$APP/resources/Rest.png"
mkfifo "$APP/resources/ZEFAtitle.png"
mkdir "$APP/resources/Ride64.png"
ln -s /dev/zero "$APP/resources/Rest.png"

splash() { SPLASH=$(xs_visible_app_window) && [ -n "$SPLASH" ]; }
calculator() { WIN=$(xs_visible_named_window "ZEFA Calculator") && [ -n "$WIN" ]; }

xs_start_xvfb
xs_start_app odd "$APP/zefa"
xs_wait_for 30000 "splash window" splash
xs_geometry "$SPLASH"
xdotool mousemove $((GX + GW / 2)) $((GY + GH / 2)) click 1
xs_wait_for 30000 "calculator window" calculator
xs_close_window "$WIN" || xs_die "could not send the close request"
xs_poll 30000 xs_app_gone || xs_die "the program still runs 30 s after the close request"
xs_app_status
[ "$XS_APP_STATUS" -eq 0 ] || xs_die "the close request ended the program with status $XS_APP_STATUS, not 0"

for name in ZEFAtitle.png Ride64.png Rest.png; do
  n=$(grep -c "^zefa: picture \"$name\"" "$XS_APP_LOG" || true)
  [ "$n" -eq 1 ] || xs_die "$name is reported $n times on standard error, not once"
done
! grep -q "unhandled" "$XS_APP_LOG" || xs_die "an unhandled exception was reported: $(grep unhandled "$XS_APP_LOG")"
xs_log "all checks passed"
