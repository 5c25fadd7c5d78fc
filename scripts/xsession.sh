# Shared by run.sh, e2e.sh and the tests that run the real program: a private Xvfb, bounded
# waits, the program's windows and layout, screenshots and pixel comparisons. Source it after
# setting XS_NAME: it makes the scratch folder XS_TMP and cleans up on exit.

XS_SCREEN_W=1280
XS_SCREEN_H=1024
XS_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The program must talk to the X server, whatever the caller's environment asks for.
unset QT_QPA_PLATFORM

xs_log() { echo "${XS_NAME:-x}: $*"; }

xs_die() {
  echo "${XS_NAME:-x}: FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ] && [ -n "${XS_FAIL_SHOT:-}" ] && [ -n "${XS_XVFB_PID:-}" ]; then
    import -window root "$XS_FAIL_SHOT" 2>/dev/null && echo "${XS_NAME:-x}: screen at the failure: $XS_FAIL_SHOT" >&2
  fi
  if [ -n "${XS_APP_LOG:-}" ] && [ -s "$XS_APP_LOG" ]; then
    echo "${XS_NAME:-x}: the program's output:" >&2
    tail -n 20 "$XS_APP_LOG" | sed 's/^/    /' >&2
  fi
  exit 1
}

xs_now_ms() {
  local t=${EPOCHREALTIME//[.,]/}
  echo $((t / 1000))
}

# xs_poll BOUND_MS CMD...: runs CMD until it succeeds; returns 1 once BOUND_MS have passed.
xs_poll() {
  local end=$(($(xs_now_ms) + $1))
  shift
  until "$@"; do
    (($(xs_now_ms) < end)) || return 1
    sleep 0.02
  done
}

# xs_wait_for BOUND_MS WHAT CMD...: runs CMD until it succeeds; stops the script when BOUND_MS pass
# or the program ends first. Bounds are generous so that a loaded machine passes: times are
# logged by the callers and measured in `make bench`.
xs_wait_for() {
  local bound=$1 what=$2
  shift 2
  local end=$(($(xs_now_ms) + bound))
  until "$@"; do
    if ! xs_app_alive; then
      xs_app_status
      xs_die "the program ended (status $XS_APP_STATUS) while waiting for $what"
    fi
    (($(xs_now_ms) < end)) || xs_die "no $what within $bound ms"
    sleep 0.02
  done
}

xs__display_ready() { [ -s "$1" ] && grep -q '^[0-9][0-9]*$' "$1"; }
xs__display_answers() { xdpyinfo >/dev/null 2>&1; }

# Starts Xvfb on a display number it picks itself (no clash with other sessions) and exports DISPLAY.
# An optional WIDTHxHEIGHT sets the screen's size (and XS_SCREEN_W, XS_SCREEN_H); 1280x1024 by default.
# An optional DEPTH after it sets the screen's colour depth in bits; 24 by default.
xs_start_xvfb() {
  local size=${1:-1280x1024} depth=${2:-24}
  XS_SCREEN_W=${size%x*} XS_SCREEN_H=${size#*x}
  local fd_file="$XS_TMP/display"
  : >"$fd_file"
  Xvfb -displayfd 3 -screen 0 "${XS_SCREEN_W}x${XS_SCREEN_H}x$depth" -nolisten tcp -noreset \
    3>"$fd_file" >"$XS_TMP/xvfb.log" 2>&1 &
  XS_XVFB_PID=$!
  xs_poll 10000 xs__display_ready "$fd_file" ||
    xs_die "Xvfb did not report a display within 10 s: $(tail -n 3 "$XS_TMP/xvfb.log")"
  export DISPLAY=":$(head -n 1 "$fd_file")"
  xs_poll 5000 xs__display_answers || xs_die "Xvfb on $DISPLAY does not answer"
}

# Starts the program (or the program under a wrapper: pass the whole command) in the background.
xs_start_app() {
  XS_APP_LOG="$XS_TMP/app-$1.log"
  shift
  "$@" >"$XS_APP_LOG" 2>&1 &
  XS_APP_PID=$!
}

# True while the started process lives (a zombie counts as gone).
xs_app_alive() {
  [ -n "${XS_APP_PID:-}" ] || return 1
  local state
  state=$(awk '{print $3}' "/proc/$XS_APP_PID/stat" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "$state" != Z ]
}
xs_app_gone() { ! xs_app_alive; }

# Collects the exit status of the process that has ended into XS_APP_STATUS (not in a subshell:
# only this shell can wait for its child).
xs_app_status() {
  XS_APP_STATUS=0
  wait "$XS_APP_PID" || XS_APP_STATUS=$?
  XS_APP_PID=
}

# Ends the started process by its id: politely, then for sure.
xs_stop_app() {
  xs_app_alive || { [ -n "${XS_APP_PID:-}" ] && wait "$XS_APP_PID" 2>/dev/null; XS_APP_PID=; return 0; }
  local child
  for child in $(cat "/proc/$XS_APP_PID/task/$XS_APP_PID/children" 2>/dev/null); do
    kill "$child" 2>/dev/null || true
  done
  kill "$XS_APP_PID" 2>/dev/null || true
  xs_poll 3000 xs_app_gone || kill -KILL "$XS_APP_PID" 2>/dev/null || true
  wait "$XS_APP_PID" 2>/dev/null || true
  XS_APP_PID=
}

xs_stop_xvfb() {
  if [ -n "${XS_XVFB_PID:-}" ]; then
    kill "$XS_XVFB_PID" 2>/dev/null || true
    wait "$XS_XVFB_PID" 2>/dev/null || true
    XS_XVFB_PID=
  fi
}

xs__wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Starts a light window manager (openbox) on the display and waits until it manages windows.
xs_start_wm() {
  xprop -root -remove _NET_SUPPORTING_WM_CHECK 2>/dev/null || true  # left by an earlier one
  XDG_CONFIG_HOME="$XS_TMP/wm-config" XDG_CACHE_HOME="$XS_TMP/wm-cache" \
    openbox --sm-disable >"$XS_TMP/wm.log" 2>&1 &
  XS_WM_PID=$!
  xs_poll 10000 xs__wm_ready || xs_die "the window manager did not start within 10 s: $(tail -n 3 "$XS_TMP/wm.log")"
}

xs_stop_wm() {
  if [ -n "${XS_WM_PID:-}" ]; then
    kill "$XS_WM_PID" 2>/dev/null || true
    wait "$XS_WM_PID" 2>/dev/null || true
    XS_WM_PID=
  fi
}

xs_cleanup() {
  xs_stop_app
  xs_stop_wm
  xs_stop_xvfb
  [ -n "${XS_TMP:-}" ] && rm -rf "$XS_TMP"
}

# Window lookups. Only the program runs on this display, so its class finds its windows.
xs_visible_app_window() { xdotool search --onlyvisible --class '^zefa$' 2>/dev/null | head -n 1; }
xs_named_window() { xdotool search --name "^$1\$" 2>/dev/null | head -n 1; }
xs_visible_named_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
xs_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# Sets GX GY GW GH to the window's position on the screen and its size.
xs_geometry() {
  local info
  info=$(xwininfo -id "$1") || xs_die "window $1 vanished"
  GX=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  GY=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
  GW=$(awk '/^ *Width:/ {print $2}' <<<"$info")
  GH=$(awk '/^ *Height:/ {print $2}' <<<"$info")
}

xs_shot_root() { import -window root "$1"; }
xs_shot_window() { import -window "$1" "$2"; }

# xs_crop IN X Y W H OUT
xs_crop() { convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$6"; }

# Number of pixels that differ between two pictures of one size (colours within FUZZ are equal).
xs_diff() {
  local out
  out=$(compare -metric AE -fuzz "${3:-0}" "$1" "$2" null: 2>&1) || true
  awk -v v="$out" 'BEGIN { if (v ~ /^[0-9.e+]+$/) printf "%d\n", v; else { print "compare: " v > "/dev/stderr"; print 999999999 } }'
}

# A project picture as it looks drawn on the white window background.
xs_on_white() { convert "$1" -background white -alpha remove -alpha off "$2"; }

# Pixels within 15% of the colour given.
xs_count_colour() {
  convert "$1" -alpha off -fuzz 15% -fill white +opaque "$2" -fill black -opaque "$2" \
    -format '%[fx:round((1-mean)*w*h)]' info:
}

# The windows' content areas and their controls' rectangles in content coordinates, as the program
# builds them from its layout records (`zefa_probe geometry`), kept in XS_RECT["WINDOW.CONTROL"].
declare -gA XS_RECT=()
xs_load_geometry() { # PROBE
  local out win name x y w h
  out=$(QT_QPA_PLATFORM=offscreen "$1" geometry 2>"$XS_TMP/geometry.err") ||
    xs_die "$1 geometry failed: $(tail -n 3 "$XS_TMP/geometry.err")"
  while read -r win name x y w h; do XS_RECT[$win.$name]="$x $y $w $h"; done <<<"$out"
}
xs__rect() { # WINDOW CONTROL: the rectangle into XS__RECT, or the run fails
  XS__RECT=${XS_RECT[$1.$2]:-}
  [ -n "$XS__RECT" ] || xs_die "zefa_probe geometry lists no $2 in $1"
}
# xs_rect VAR WINDOW CONTROL: VAR becomes the array (X Y W H); CONTROL "-" is the content area.
xs_rect() {
  local -n xs__var=$1
  xs__rect "$2" "$3"
  read -r -a xs__var <<<"$XS__RECT"
}
# xs_rects VAR WINDOW CONTROL...: VAR becomes an array of "X Y W H" texts, one per control.
xs_rects() {
  local -n xs__list=$1
  local win=$2 name
  shift 2
  xs__list=()
  for name; do
    xs__rect "$win" "$name"
    xs__list+=("$XS__RECT")
  done
}

# Sends the close request a window manager's close button sends.
xs_close_window() { python3 "$XS_HERE/wm_delete_window.py" "$1"; }

XS_TMP=$(mktemp -d)
trap xs_cleanup EXIT
trap 'exit 130' INT TERM
