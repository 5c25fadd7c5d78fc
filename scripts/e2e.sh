#!/usr/bin/env bash
# Runs the real program on a private Xvfb and checks with X tools what a person would see:
# the splash and its hand-over, a calculation, a hover caption, Clear, and every way to quit.
# Screenshots land in BUILD_DIR/screenshots for a person to look at.
set -euo pipefail

BUILD=${1:-build}
XS_NAME=e2e
. "$(dirname "$0")/xsession.sh"

for tool in Xvfb xdotool xwininfo xprop xdpyinfo xclip import convert compare python3; do
  command -v "$tool" >/dev/null || xs_die "$tool is missing (scripts/install-deps --test installs it)"
done
PROG=$(cd "$BUILD" && pwd)/zefa
RES=$(cd "$BUILD" && pwd)/resources
PROBE=$(cd "$BUILD" && pwd)/tests/zefa_probe
[ -x "$PROG" ] || xs_die "no program at $PROG: build first"
[ -x "$PROBE" ] || xs_die "no probe at $PROBE: build first"
SHOTS=$BUILD/screenshots
mkdir -p "$SHOTS"
XS_FAIL_SHOT=$SHOTS/e2e-failure.png
rm -f "$XS_FAIL_SHOT"
T=$XS_TMP

CALC_TITLE="ZEFA Calculator"
# Sizes of the content areas and rectangles (x y w h) of the controls in them, from the layout.
xs_load_geometry "$PROBE"
xs_rect AREA AboutWindow -
SPLASH_W=${AREA[2]} SPLASH_H=${AREA[3]}
xs_rect AREA Calc -
CALC_W=${AREA[2]} CALC_H=${AREA[3]}
xs_rect SPLASH_TITLE AboutWindow Canvas1
xs_rect SPLASH_ICON AboutWindow Canvas2
xs_rect CALC_TITLE_PICTURE Calc PgmName
xs_rect IQ_FIELD Calc IQFld
xs_rect CORR_FIELD Calc CorrFld
xs_rect CALCULATE Calc CalcBrn
xs_rect CLEAR Calc ClearBtn
xs_rect IQ_CAPTION Calc Text1
xs_rect IQ_PICTURE Calc IQlang
xs_rects RESULT_FIELDS Calc PAchFld SD1Fld SD15Fld SD10Fld SD05Fld
xs_rects CAPTIONS Calc Text1 Text2 Text3 Text7 Text4 Text5 Text6  # top to bottom
# Where the hover pictures show: the window's width, from the pictures' top down to the first row
# of fields.
BAND=(0 "${IQ_PICTURE[1]}" "$CALC_W" $((IQ_FIELD[1] - IQ_PICTURE[1])))
# A blank spot, no caption and no control: mid-window between the last result field and the buttons.
xs_rect AREA Calc SD05Fld
NEUTRAL=($((CALC_W / 2)) $(((AREA[1] + AREA[3] + CALCULATE[1]) / 2)))

now() { xs_now_ms; }

# Pointer and keyboard act on content coordinates of window $WIN (below its menu bar $MB).
click_at() { xdotool mousemove $((WX + $1)) $((WY + MB + $2)) click 1; }
point_at() { xdotool mousemove $((WX + $1)) $((WY + MB + $2)); }
click_centre() { click_at $(($1 + $3 / 2)) $(($2 + $4 / 2)); }

shot() { xs_shot_window "$WIN" "$1"; }
# crop SHOT X Y W H OUT, in content coordinates.
crop() { xs_crop "$1" "$2" $(($3 + MB)) "$4" "$5" "$6"; }

# --- the splash ---------------------------------------------------------------------------------

no_calculator_yet() {
  [ -z "$(xs_named_window "$CALC_TITLE")" ] ||
    xs_die "a window titled \"$CALC_TITLE\" exists before the hand-over"
}
splash_shown() {
  no_calculator_yet
  SPLASH=$(xs_visible_app_window)
  [ -n "$SPLASH" ]
}
centred() { # X Y W H
  local ex=$(((XS_SCREEN_W - $3) / 2)) ey=$(((XS_SCREEN_H - $4) / 2))
  (($1 >= ex - 1 && $1 <= ex + 1 && $2 >= ey - 1 && $2 <= ey + 1))
}

# Waits for the splash, checks what it shows, leaves SPLASH and SMB set.
expect_splash() {
  xs_wait_for 15000 "splash window" splash_shown
  SPLASH_SEEN=$(now)  # the splash's timer counts from about here
  xs_geometry "$SPLASH"
  SX=$GX SY=$GY
  xs_log "splash ${GW}x${GH} at $GX,$GY"
  [ "$GW" -eq "$SPLASH_W" ] || xs_die "splash is $GW wide, not $SPLASH_W"
  ((GH >= SPLASH_H && GH <= SPLASH_H + 40)) || xs_die "splash is $GH high, not $SPLASH_H plus a menu bar"
  SMB=$((GH - SPLASH_H))
  centred "$GX" "$GY" "$GW" "$GH" || xs_die "splash at $GX,$GY is not centred on ${XS_SCREEN_W}x${XS_SCREEN_H}"
  # A frameless box asks the window manager for no decorations (Motif hints: flags bit 2, decorations 0).
  local motif
  motif=$(xprop -id "$SPLASH" _MOTIF_WM_HINTS | sed -n 's/.*= *//p' | tr -d ' ')
  IFS=, read -r mflags _ mdecor _ <<<"$motif"
  ((mflags & 2)) && ((mdecor == 0)) || xs_die "splash asks for a frame (Motif hints: ${motif:-none})"
}

# A canvas draws its picture at its top-left corner: crops the picture's size from there.
crop_picture() { # SHOT MENU_BAR X Y PICTURE OUT
  local size
  size=$(identify -format '%w %h' "$5")
  xs_crop "$1" "$3" $(($4 + $2)) ${size% *} ${size#* } "$6"
}

expect_splash_pictures() {
  local s=$T/splash.png
  xs_shot_window "$SPLASH" "$s"
  xs_on_white "$RES/ZEFAtitle.png" "$T/title-ref.png"
  crop_picture "$s" "$SMB" "${SPLASH_TITLE[0]}" "${SPLASH_TITLE[1]}" "$T/title-ref.png" "$T/title.png"
  expect_picture "$T/title.png" "$T/title-ref.png" "splash title picture"
  xs_on_white "$RES/Ride64.png" "$T/icon-ref.png"
  crop_picture "$s" "$SMB" "${SPLASH_ICON[0]}" "${SPLASH_ICON[1]}" "$T/icon-ref.png" "$T/icon.png"
  expect_picture "$T/icon.png" "$T/icon-ref.png" "splash icon picture"
}

# A drawn picture matches its file when at most 1% of its pixels differ by more than 5%
# (edges blended onto the background may round differently).
expect_picture() {
  local n total
  n=$(xs_diff "$1" "$2" 5%)
  total=$(identify -format '%[fx:w*h]' "$2")
  ((n * 100 <= total)) || xs_die "$3 does not match its file ($n of $total pixels differ)"
}

# --- the calculator -----------------------------------------------------------------------------

has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
calculator_shown() { WIN=$(xs_visible_named_window "$CALC_TITLE"); [ -n "$WIN" ]; }

# Sets WIN WX WY MB and checks the window's size, place and fixed size.
expect_calculator() {
  xs_geometry "$WIN"
  WX=$GX WY=$GY
  xs_log "calculator ${GW}x${GH} at $GX,$GY"
  [ "$GW" -eq $CALC_W ] || xs_die "calculator is $GW wide, not $CALC_W"
  ((GH > CALC_H && GH <= CALC_H + 40)) || xs_die "calculator is $GH high, not $CALC_H plus a menu bar"
  MB=$((GH - CALC_H))
  [ "$MB" -eq "$SMB" ] || xs_die "menu bars differ: splash $SMB, calculator $MB px high"
  centred "$GX" "$GY" "$GW" "$GH" || xs_die "calculator at $GX,$GY is not centred"
  local hints
  hints=$(xprop -id "$WIN" WM_NORMAL_HINTS)
  grep -q "minimum size: $GW by $GH" <<<"$hints" && grep -q "maximum size: $GW by $GH" <<<"$hints" ||
    xs_die "calculator is resizable: $(tr -s ' \n\t' ' ' <<<"$hints")"
  ! xs_viewable "$SPLASH" || xs_die "the splash is still shown after the hand-over"
  xs_poll 10000 has_focus "$WIN" || xs_die "the calculator does not have the keyboard focus"
}

# Pictures and colours of the calculator at rest: title picture, seven dark-red captions, empty band.
expect_calculator_look() {
  local s=$1 rect n i=0
  xs_on_white "$RES/ZEFAtitle.png" "$T/title-ref.png"
  crop_picture "$s" "$MB" "${CALC_TITLE_PICTURE[0]}" "${CALC_TITLE_PICTURE[1]}" "$T/title-ref.png" "$T/ctitle.png"
  expect_picture "$T/ctitle.png" "$T/title-ref.png" "calculator title picture"
  for rect in "${CAPTIONS[@]}"; do
    i=$((i + 1))
    crop "$s" $rect "$T/caption$i.png"
    n=$(xs_count_colour "$T/caption$i.png" '#800000')
    ((n >= 40)) || xs_die "caption $i ($rect) has $n dark-red pixels: not drawn in dark red"
  done
  crop "$s" "${BAND[@]}" "$T/band-rest.png"
  convert -size "${BAND[2]}x${BAND[3]}" xc:white "$T/white-band.png"
  n=$(xs_diff "$T/band-rest.png" "$T/white-band.png")
  [ "$n" -eq 0 ] || xs_die "the caption band is not empty at rest ($n pixels drawn)"
}

# The pointer on the calculator's blank spot leaves the caption band empty.
band_empty() {
  shot "$T/rest.png"
  crop "$T/rest.png" "${BAND[@]}" "$T/band-now.png"
  [ "$(xs_diff "$T/band-now.png" "$T/white-band.png")" -eq 0 ]
}

crop_results() { # SHOT PREFIX
  local i=0 rect
  for rect in "${RESULT_FIELDS[@]}"; do
    i=$((i + 1))
    crop "$1" $rect "$2$i.png"
  done
}
# Shoots the window, crops the five result fields as NAME1..5 and compares each with its look
# before the calculation: OP and LIMIT say how far they must differ (-gt 20) or not (-eq 0).
results_compare() { # NAME OP LIMIT
  shot "$T/$1.png"
  crop_results "$T/$1.png" "$T/res-$1"
  local i
  for i in 1 2 3 4 5; do
    [ "$(xs_diff "$T/res-before$i.png" "$T/res-$1$i.png")" "$2" "$3" ] || return 1
  done
}
results_shown() { results_compare after -gt 20; }
# Clear empties every field and puts the focus back in the IQ field, which then looks as it did at
# the start (polled: its caret blinks).
all_cleared() {
  results_compare cleared -eq 0 || return 1
  crop "$T/cleared.png" "${IQ_FIELD[@]}" "$T/iq-cleared.png"
  [ "$(xs_diff "$T/iq-cleared.png" "$T/iq-empty.png")" -eq 0 ]
}
band_differs() {
  shot "$T/hover.png"
  crop "$T/hover.png" "${BAND[@]}" "$T/band-hover.png"
  [ "$(xs_diff "$T/band-before.png" "$T/band-hover.png")" -gt 500 ]
}
band_as_before() {
  shot "$T/gone.png"
  crop "$T/gone.png" "${BAND[@]}" "$T/band-gone.png"
  [ "$(xs_diff "$T/band-before.png" "$T/band-gone.png")" -eq 0 ]
}

clipboard_is() { CLIPBOARD=$(timeout 2 xclip -o -selection clipboard 2>/dev/null) && [ "$CLIPBOARD" = "$1" ]; }
read_back() { # "X Y W H" EXPECTED
  click_centre $1
  xdotool key ctrl+a ctrl+c
  CLIPBOARD=
  xs_poll 10000 clipboard_is "$2" || xs_die "the field at ($1) reads \"$CLIPBOARD\", not \"$2\""
}

# Waits for the program to end within BOUND_MS of the request and expects status 0.
expect_exit_0() {
  local bound=$1 how=$2 t0=$3
  xs_poll "$bound" xs_app_gone || xs_die "the program still runs $bound ms after $how"
  xs_app_status
  [ "$XS_APP_STATUS" -eq 0 ] || xs_die "$how ended the program with status $XS_APP_STATUS, not 0"
  xs_log "$how ended the program with status 0 after $(($(now) - t0)) ms"
}

handover() { # HOW BOUND_MS: waits for the calculator after the splash was handed over by HOW
  local t0=$(now)
  case $1 in
    click) xdotool mousemove $((SX + SPLASH_W / 2)) $((SY + SMB + SPLASH_H / 2)) click 1 ;;
    key) xdotool key space ;;
    timer) t0=$APP_STARTED ;;
  esac
  xs_wait_for "$2" "calculator window after the hand-over by $1" calculator_shown
  HANDOVER_MS=$(($(now) - t0))
  xs_log "hand-over by $1: calculator mapped after $HANDOVER_MS ms"
}

start=$(now)
xs_start_xvfb
xs_log "Xvfb on $DISPLAY"

# --- run 1: click hand-over, a calculation, the hover caption, Clear, Ctrl+Q ------------------------
xs_log "run 1: splash, click, calculation, hover, Clear, Ctrl+Q"
xs_start_app 1 "$PROG"
expect_splash
xs_shot_root "$SHOTS/e2e-splash.png"
expect_splash_pictures
no_calculator_yet
handover click 10000
expect_calculator
point_at "${NEUTRAL[@]}"
convert -size "${BAND[2]}x${BAND[3]}" xc:white "$T/white-band.png"
xs_wait_for 10000 "empty caption band with the pointer on a blank spot" band_empty
cp "$T/rest.png" "$SHOTS/e2e-calculator.png"
expect_calculator_look "$T/rest.png"
crop_results "$T/rest.png" "$T/res-before"
crop "$T/rest.png" "${IQ_FIELD[@]}" "$T/iq-empty.png"

click_centre "${IQ_FIELD[@]}"
xdotool type --delay 20 "100"
click_centre "${CORR_FIELD[@]}"
xdotool key ctrl+a
xdotool type --delay 20 ".60"
click_centre "${CALCULATE[@]}"
xs_wait_for 10000 "results in all five result fields" results_shown
cp "$T/after.png" "$SHOTS/e2e-results.png"
# Reading back: with IQ 100 the predicted score is 100 too, so its field must look exactly like
# the (unfocused) IQ field, drawn alike in a field of the same size.
crop "$T/after.png" "${IQ_FIELD[@]}" "$T/iq-100.png"
[ "$(xs_diff "$T/iq-100.png" "$T/iq-empty.png")" -gt 20 ] || xs_die "the IQ field does not show what was typed"
n=$(xs_diff "$T/iq-100.png" "$T/res-after1.png")
[ "$n" -eq 0 ] || xs_die "the predicted score does not read like the IQ typed, 100 ($n pixels differ)"

crop "$T/after.png" "${BAND[@]}" "$T/band-before.png"
point_at $((IQ_CAPTION[0] + IQ_CAPTION[2] / 2)) $((IQ_CAPTION[1] + IQ_CAPTION[3] / 2))
xs_wait_for 10000 "help picture with the pointer on \"IQ Score\"" band_differs
cp "$T/hover.png" "$SHOTS/e2e-hover.png"
xs_on_white "$RES/IQlangPix..png" "$T/iq-picture-ref.png"
crop "$T/hover.png" "${IQ_PICTURE[@]}" "$T/iq-picture.png"
expect_picture "$T/iq-picture.png" "$T/iq-picture-ref.png" "IQ Score help picture"
point_at "${NEUTRAL[@]}"
xs_wait_for 10000 "caption band as before once the pointer left \"IQ Score\"" band_as_before
cp "$T/gone.png" "$SHOTS/e2e-hover-gone.png"

# Reading back as a person would: select a field's text and copy it. The predicted score's field
# takes no focus, and neither do the last two range fields. Ranges are right-aligned to 3 digits.
read_back "${IQ_FIELD[*]}" "100"
read_back "${CORR_FIELD[*]}" ".60"
read_back "${RESULT_FIELDS[1]}" "  88 - 112"
read_back "${RESULT_FIELDS[2]}" "  82 - 118"

click_centre "${CLEAR[@]}"
xs_wait_for 10000 "empty result fields and an empty, focused IQ field after Clear" all_cleared
cp "$T/cleared.png" "$SHOTS/e2e-cleared.png"

t0=$(now)
xdotool key ctrl+q
expect_exit_0 10000 "Ctrl+Q" "$t0"

# --- run 2: key-press hand-over, then the window's close request --------------------------------
xs_log "run 2: key press hands over, close request quits"
xs_start_app 2 "$PROG"
expect_splash
handover key 10000
expect_calculator
xprop -id "$WIN" WM_PROTOCOLS | grep -q WM_DELETE_WINDOW || xs_die "the calculator does not take close requests"
t0=$(now)
xs_close_window "$WIN" || xs_die "could not send the close request"
expect_exit_0 10000 "the close request" "$t0"

# --- run 3: the splash hands over by itself after 4 s; File > Quit with the mouse -----------------
xs_log "run 3: timed hand-over, File > Quit"
APP_STARTED=$(now)
xs_start_app 3 "$PROG"
expect_splash
# Timed from the program's start, so the splash's 4 s cannot show as less; the upper bound is
# only there to end a hung run.
handover timer 20000
((HANDOVER_MS >= 3500)) || xs_die "the splash handed over after $HANDOVER_MS ms, before its 4000"
expect_calculator
xdotool mousemove $((WX + 20)) $((WY + MB / 2)) click 1
menu_shown() { POPUP=$(xdotool search --onlyvisible --class '^zefa$' 2>/dev/null | grep -vx "$WIN" | head -n 1); [ -n "$POPUP" ]; }
xs_wait_for 10000 "File menu" menu_shown
xs_geometry "$POPUP"
xs_shot_root "$SHOTS/e2e-file-menu.png"
t0=$(now)
xdotool mousemove $((GX + GW / 2)) $((GY + 12)) click 1
expect_exit_0 10000 "File > Quit" "$t0"

# --- run 3b: Ctrl+Q while the splash shows quits; the Ctrl alone is no key press -------------------
xs_log "run 3b: Ctrl+Q on the splash"
xs_start_app 3b "$PROG"
expect_splash
splash_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$SPLASH" ]; }
xs_wait_for 5000 "keyboard focus on the splash" splash_focused
t0=$(now)
xdotool keydown ctrl
xdotool key q
xdotool keyup ctrl
expect_exit_0 5000 "Ctrl+Q on the splash" "$t0"

# --- run 3c: keys that only change what other keys do hand nothing over ----------------------------
# Compose, the layout-group switch, the fifth-level shift and Scroll Lock alone are no key press,
# like Shift or Caps Lock. Xvfb's keyboard lacks the first three: they go on free keys for the run.
xs_log "run 3c: lone modifier, lock and layout keys on the splash"
command -v xmodmap >/dev/null || xs_die "xmodmap is missing (scripts/install-deps --test installs it)"
mapfile -t FREE_KEYS < <(xmodmap -pke | awk 'NF == 3 && $2 > 8 { print $2 }' | head -n 3)
((${#FREE_KEYS[@]} == 3)) || xs_die "the display's keyboard has no three free keys"
xmodmap -e "keycode ${FREE_KEYS[0]} = Multi_key" -e "keycode ${FREE_KEYS[1]} = ISO_Next_Group" \
  -e "keycode ${FREE_KEYS[2]} = ISO_Level5_Shift"
APP_STARTED=$(now)
xs_start_app 3c "$PROG"
xs_wait_for 15000 "splash window" splash_shown
xs_wait_for 5000 "keyboard focus on the splash" splash_focused
xdotool key Shift_L Control_L Super_L Caps_Lock Caps_Lock Num_Lock Num_Lock \
  Multi_key ISO_Next_Group ISO_Level5_Shift Scroll_Lock Scroll_Lock
# The menu opens once the program has taken every key sent before Alt+F.
popup_shown() { POPUP=$(xdotool search --onlyvisible --class '^zefa$' 2>/dev/null | grep -vx "$SPLASH" | head -n 1); [ -n "$POPUP" ]; }
xdotool key alt+f
xs_wait_for 5000 "File menu after Alt+F on the splash" popup_shown
if [ -n "$(xs_named_window "$CALC_TITLE")" ]; then
  (($(now) >= APP_STARTED + 4000)) || xs_die "a lone modifier, lock or layout key handed the splash over"
  xs_die "the splash's timer was due before the keys could be checked: too slow to tell"
fi
xs_shot_root "$SHOTS/e2e-splash-lone-keys.png"
xmodmap -e "keycode ${FREE_KEYS[0]} =" -e "keycode ${FREE_KEYS[1]} =" -e "keycode ${FREE_KEYS[2]} ="
xdotool key Escape
t0=$(now)
xdotool key ctrl+q
expect_exit_0 5000 "Ctrl+Q on the splash after the lone keys" "$t0"

# --- run 4: the timer's second hand-over takes the focus from no one -----------------------------
# After an early hand-over the timer shows the calculator once more: neither another program's
# window nor the program's own open message box may lose the keyboard focus or be covered.
# Each check waits for a reaction of the program to input sent after the timer was due: by then
# its event loop has run the timer (a coarse timer may fire up to 5% late).
timer_due() { (($(now) >= SPLASH_SEEN + 4250)); }
click_handover() { # X Y on the screen
  xdotool mousemove "$1" "$2" click 1
  xs_wait_for 15000 "calculator window after the click on the splash" calculator_shown
}
helper_window() { HELPER=$(xs_named_window xmessage); [ -n "$HELPER" ] && xs_viewable "$HELPER"; }
helper_focused() { [ "$(xdotool getwindowfocus)" = "$HELPER" ]; }
box_shown() { BOX=$(xdotool search --onlyvisible --class '^zefa$' 2>/dev/null | grep -vx "$WIN" | head -n 1); [ -n "$BOX" ]; }
box_focused() { [ "$(xdotool getwindowfocus)" = "$BOX" ]; }
box_gone() { ! xs_viewable "$BOX"; }
# Space held on the box's button draws it pressed: a reaction that leaves focus and stacking alone.
box_looks_changed() {
  xs_shot_window "$BOX" "$T/box-down.png"
  [ "$(xs_diff "$T/box-up.png" "$T/box-down.png")" -gt 0 ]
}
# xwininfo lists the root's children from the top of the stack down.
stack_index() { xwininfo -root -children | awk -v id="$(printf '0x%x' "$1")" '$1 == id { print NR; exit }'; }

xs_log "run 4: the timer's second hand-over leaves the focus in another program"
command -v xmessage >/dev/null || xs_die "xmessage is missing (scripts/install-deps --test installs it)"
xs_start_app 4 "$PROG"
expect_splash
click_handover $((SX + SPLASH_W / 2)) $((SY + SMB + SPLASH_H / 2))
expect_calculator
xmessage -geometry +0+0 "another program" >/dev/null 2>&1 &
HELPER_PID=$!
xs_wait_for 5000 "another program's window" helper_window
xdotool windowfocus "$HELPER"
xs_wait_for 2000 "the keyboard focus in another program's window" helper_focused
point_at "${NEUTRAL[@]}"
convert -size "${BAND[2]}x${BAND[3]}" xc:white "$T/white-band.png"
xs_wait_for 2000 "empty caption band with the pointer on a blank spot" band_empty
cp "$T/white-band.png" "$T/band-before.png"
xs_wait_for 10000 "the splash's timer to be due" timer_due
point_at $((IQ_CAPTION[0] + IQ_CAPTION[2] / 2)) $((IQ_CAPTION[1] + IQ_CAPTION[3] / 2))
xs_wait_for 2000 "help picture with the pointer on \"IQ Score\"" band_differs
helper_focused || xs_die "the timer's hand-over took the keyboard focus from another program"
kill "$HELPER_PID" 2>/dev/null || true
wait "$HELPER_PID" 2>/dev/null || true
t0=$(now)
xs_close_window "$WIN" || xs_die "could not send the close request"
expect_exit_0 10000 "the close request" "$t0"

xs_log "run 4: the timer's second hand-over leaves an open message box on top"
xs_start_app 4b "$PROG"
expect_splash
click_handover $((SX + SPLASH_W / 2)) $((SY + SMB + SPLASH_H / 2))
expect_calculator
click_centre "${CALCULATE[@]}" # no IQ score: the program says what it needs
xs_wait_for 5000 "message box" box_shown
xs_wait_for 2000 "the keyboard focus in the message box" box_focused
xs_wait_for 10000 "the splash's timer to be due" timer_due
xs_shot_window "$BOX" "$T/box-up.png"
xdotool keydown space
pressed=0
xs_poll 2000 box_looks_changed && pressed=1
xs_shot_root "$SHOTS/e2e-box-after-timer.png"
box_focused || xs_die "the timer's hand-over took the keyboard focus from the open message box"
b=$(stack_index "$BOX") c=$(stack_index "$WIN")
[ -n "$b" ] && [ -n "$c" ] || xs_die "the message box or the calculator is missing from the stacking order"
((b < c)) || xs_die "the timer's hand-over put the calculator above the open message box"
((pressed)) || xs_die "the message box's button did not look pressed within 2000 ms of Space"
xdotool keyup space
xs_wait_for 2000 "the message box to close when Space is let go" box_gone
t0=$(now)
xs_close_window "$WIN" || xs_die "could not send the close request"
expect_exit_0 10000 "the close request" "$t0"

# --- run 4c: a message box, once dismissed, hands the keyboard back to its window ------------------
# With no window manager to do it, the program itself must make the calculator active again when
# its message box closes: Alt+E and Ctrl+Q work at once, with no click into the window first.
xs_log "run 4c: menus and shortcuts work right after a message box is dismissed with Escape or Return"
xs_start_app 4c "$PROG"
expect_splash
click_handover $((SX + SPLASH_W / 2)) $((SY + SMB + SPLASH_H / 2))
expect_calculator
open_range_message() {
  click_centre "${CALCULATE[@]}"
  xs_wait_for 5000 "message box" box_shown
  xs_wait_for 2000 "the keyboard focus in the message box" box_focused
}
click_centre "${IQ_FIELD[@]}"
xdotool type --delay 20 "30"
open_range_message
xdotool key Escape
xs_wait_for 2000 "the message box to close on Escape" box_gone
xdotool key alt+e
xs_wait_for 5000 "Edit menu after Alt+E" menu_shown
xs_geometry "$POPUP"
((GX > WX + 10)) || xs_die "Alt+E opened the menu at x $GX, the File menu's place, not the Edit menu's"
xs_shot_root "$SHOTS/e2e-edit-menu-after-box.png"
xdotool key Escape Escape
open_range_message
xdotool key Return
xs_wait_for 2000 "the message box to close on Return" box_gone
t0=$(now)
xdotool key ctrl+q
expect_exit_0 5000 "Ctrl+Q right after the message box" "$t0"

# --- run 4d: the first hand-over takes the focus only from the program itself ----------------------
# The calculator takes the focus when the program had it (a click or a key on the splash), and,
# under a window manager, appears without it when the user went to another program before the
# splash's timer ran out.
xs_log "run 4d: the hand-over takes the focus only from the program itself"
calculator_focused() { has_focus "$WIN"; }
start_with_another_program() { # RUN
  APP_STARTED=$(now)
  xs_start_app "$1" "$PROG"
  xs_wait_for 15000 "splash window" splash_shown
  xmessage -geometry +0+0 "another program" >/dev/null 2>&1 &
  HELPER_PID=$!
  xs_wait_for 5000 "another program's window" helper_window
  if [ -n "${XS_WM_PID:-}" ]; then xdotool windowactivate "$HELPER"; else xdotool windowfocus "$HELPER"; fi
  xs_wait_for 3000 "the keyboard focus in another program's window" helper_focused
  # The program may count itself active a little after losing the focus: well before the timer.
  (($(now) < APP_STARTED + 3000)) || xs_die "the other program took the focus too late to tell"
}
stop_another_program() {
  kill "$HELPER_PID" 2>/dev/null || true
  wait "$HELPER_PID" 2>/dev/null || true
}
# No window manager: a click on the splash brings the user back, though the X focus is still with
# the other program; the calculator takes it.
start_with_another_program 4d
xs_geometry "$SPLASH"
xdotool mousemove $((GX + GW / 2)) $((GY + GH / 2)) click 1
xs_wait_for 10000 "calculator window after a click on the splash" calculator_shown
xs_wait_for 5000 "keyboard focus in the calculator handed over by a click" calculator_focused
stop_another_program
t0=$(now)
xdotool key ctrl+q
expect_exit_0 5000 "Ctrl+Q" "$t0"

command -v openbox >/dev/null || xs_die "openbox is missing (scripts/install-deps --test installs it)"
xs_start_wm
xs_start_app 4d2 "$PROG"
xs_wait_for 15000 "splash window" splash_shown
xs_wait_for 5000 "keyboard focus on the splash" splash_focused
xdotool key space
xs_wait_for 10000 "calculator window after a key on the splash" calculator_shown
xs_wait_for 5000 "keyboard focus in the calculator handed over by a key" calculator_focused
t0=$(now)
xdotool key ctrl+q
expect_exit_0 5000 "Ctrl+Q" "$t0"

# The window manager handles requests in order: once it has taken a later one of ours (a number
# of desktops), it has handled whatever the program asked before.
wm_caught_up() { xprop -root _NET_NUMBER_OF_DESKTOPS | grep -q "= $WM_MARK\$"; }
start_with_another_program 4d3
xs_wait_for 15000 "calculator window after the splash's timer" calculator_shown
xs_geometry "$WIN"
WX=$GX WY=$GY MB=$((GH - CALC_H))
# The program has run its hand-over to the end once it redraws on input sent after the map.
point_at "${NEUTRAL[@]}"
convert -size "${BAND[2]}x${BAND[3]}" xc:white "$T/white-band.png"
xs_wait_for 5000 "empty caption band with the pointer on a blank spot" band_empty
cp "$T/white-band.png" "$T/band-before.png"
point_at $((IQ_CAPTION[0] + IQ_CAPTION[2] / 2)) $((IQ_CAPTION[1] + IQ_CAPTION[3] / 2))
xs_wait_for 5000 "help picture with the pointer on \"IQ Score\"" band_differs
WM_MARK=$(($(xprop -root _NET_NUMBER_OF_DESKTOPS | sed 's/.*= *//') + 1))
xdotool set_num_desktops "$WM_MARK"
xs_wait_for 5000 "the window manager to take a request" wm_caught_up
xs_shot_root "$SHOTS/e2e-wm-timer-handover.png"
helper_focused || xs_die "the timer's hand-over took the keyboard focus from another program"
stop_another_program
t0=$(now)
xs_close_window "$WIN" || xs_die "could not send the close request"
expect_exit_0 10000 "the close request" "$t0"
xs_stop_wm

# --- run 5: small screens and a scale factor --------------------------------------------------
# Each window opens at its record's size times the scale, centred along each side of the screen
# where it fits and at the screen's edge where it does not: its top-left corner is on the screen.
placed() { # WHAT X Y W H
  local what=$1 x=$2 y=$3 w=$4 h=$5
  ((x >= 0 && y >= 0 && x < XS_SCREEN_W && y < XS_SCREEN_H)) ||
    xs_die "$what at $x,$y: its top-left corner is off the ${XS_SCREEN_W}x${XS_SCREEN_H} screen"
  if ((w <= XS_SCREEN_W)); then
    ((x >= (XS_SCREEN_W - w) / 2 - 1 && x <= (XS_SCREEN_W - w) / 2 + 1)) || xs_die "$what at x $x is not centred"
  else
    ((x == 0)) || xs_die "$what is wider than the screen but starts at x $x, not 0"
  fi
  if ((h <= XS_SCREEN_H)); then
    ((y >= (XS_SCREEN_H - h) / 2 - 1 && y <= (XS_SCREEN_H - h) / 2 + 1)) || xs_die "$what at y $y is not centred"
  else
    ((y == 0)) || xs_die "$what is higher than the screen but starts at y $y, not 0"
  fi
}

small_screen_run() { # WxH SCALE
  local name="$1-x$2" k=$2
  xs_log "run 5: screen $1, scale $k"
  xs_stop_xvfb
  xs_start_xvfb "$1"
  xs_start_app "5-$name" env QT_SCALE_FACTOR="$k" "$PROG"
  xs_wait_for 15000 "splash window" splash_shown
  xs_geometry "$SPLASH"
  SX=$GX SY=$GY SMB=$((GH - SPLASH_H * k))
  xs_log "splash ${GW}x${GH} at $GX,$GY"
  [ "$GW" -eq $((SPLASH_W * k)) ] || xs_die "splash is $GW wide, not $((SPLASH_W * k))"
  ((SMB >= 0)) || xs_die "splash is $GH high, less than $((SPLASH_H * k))"
  placed splash "$GX" "$GY" "$GW" "$GH"
  xs_shot_root "$SHOTS/e2e-small-$name-splash.png"
  # The title picture, where the screen shows all of it, is drawn whole at its place.
  local tx=$((SPLASH_TITLE[0] * k)) ty=$((SPLASH_TITLE[1] * k)) tw=$((SPLASH_TITLE[2] * k)) th=$((SPLASH_TITLE[3] * k))
  if ((GX + tx + tw <= XS_SCREEN_W && GY + SMB + ty + th <= XS_SCREEN_H)); then
    xs_shot_window "$SPLASH" "$T/small-splash.png"
    xs_on_white "$RES/ZEFAtitle.png" "$T/small-title-ref1.png"
    convert "$T/small-title-ref1.png" -scale "$((100 * k))%" "$T/small-title-ref.png"
    xs_crop "$T/small-splash.png" "$tx" $((SMB + ty)) "$tw" "$th" "$T/small-title.png"
    expect_picture "$T/small-title.png" "$T/small-title-ref.png" "splash title picture on $1 at scale $k"
  fi
  click_handover $((SX + 20 * k)) $((SY + SMB + 20 * k))
  xs_geometry "$WIN"
  xs_log "calculator ${GW}x${GH} at $GX,$GY"
  [ "$GW" -eq $((CALC_W * k)) ] || xs_die "calculator is $GW wide, not $((CALC_W * k))"
  ((GH > CALC_H * k)) || xs_die "calculator is $GH high, not more than $((CALC_H * k))"
  placed calculator "$GX" "$GY" "$GW" "$GH"
  xs_shot_root "$SHOTS/e2e-small-$name-calculator.png"
  [ "$(xdotool getwindowfocus)" = "$WIN" ] || xs_die "the calculator does not have the keyboard focus"
  local t0=$(now)
  xdotool key ctrl+q
  expect_exit_0 10000 "Ctrl+Q" "$t0"
}
small_screen_run 640x480 1
small_screen_run 1280x1024 2
small_screen_run 640x480 2

# --- run 6: another program owns the clipboard and does not answer --------------------------------
# Opening the Edit menu asks the clipboard nothing, so a hung owner cannot freeze it: Alt+E shows the
# menu at once (a read of the clipboard would wait seconds for the owner), and Ctrl+Q then quits.
xs_log "run 6: a clipboard owner that does not answer, Alt+E, Ctrl+Q"
xs_stop_xvfb
xs_start_xvfb
printf 'their text' >"$T/their-text"
xclip -selection clipboard -quiet "$T/their-text" >/dev/null 2>&1 &
OWNER_PID=$!
trap 'kill -KILL "$OWNER_PID" 2>/dev/null; xs_cleanup' EXIT  # a stopped owner would outlive the run
xs_poll 5000 clipboard_is "their text" || xs_die "xclip did not take the clipboard"
kill -STOP "$OWNER_PID"
xs_start_app 6 "$PROG"
expect_splash
handover key 10000
expect_calculator
click_centre "${IQ_FIELD[@]}"  # an editable field, where Paste is judged
edit_menu_shown() { POPUP=$(xdotool search --onlyvisible --class '^zefa$' 2>/dev/null | grep -vx "$WIN" | head -n 1); [ -n "$POPUP" ]; }
t0=$(now)
xdotool key alt+e
xs_wait_for 1500 "Edit menu after Alt+E while the clipboard's owner does not answer" edit_menu_shown
xs_log "Edit menu shown $(($(now) - t0)) ms after Alt+E"
xs_shot_root "$SHOTS/e2e-edit-menu-hung-clipboard.png"
t0=$(now)
xdotool key Escape ctrl+q  # an open menu keeps the keys to itself: Escape closes it
expect_exit_0 5000 "Ctrl+Q after the Edit menu" "$t0"
{ kill -KILL "$OWNER_PID" && wait "$OWNER_PID"; } 2>/dev/null || true
trap xs_cleanup EXIT

xs_log "all checks passed in $(($(now) - start)) ms; screenshots in $SHOTS"
