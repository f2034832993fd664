#!/usr/bin/env bash
# The real program in a virtual display (1280 x 1024, common.sh): "Full Screen" renders the
# picture at the screen's size; Enter saves it through the Qt save dialog as a bitmap under
# Graphics/ in the working folder, holding exactly the pixels shown, and a second save lands
# there too (the working folder was given back); any other key returns to the main window.
set -euo pipefail
. "$(dirname "$0")/common.sh"
run_in_virtual_display "$0" "$@"
begin_check "$@"

full_shown() { full=$(window_of_width "$screen_width"); [ -n "$full" ]; }
# The full-screen picture is drawn: more than one colour, and the same at two looks.
full_drawn() {
  [ "$(import -window "$full" miff:- | convert - -format %k info:)" -gt 1 ] && window_still "$full"
}
dialog_shown() { [ -n "$(visible_windows '^Save Picture$')" ]; }
dialog_gone() { ! dialog_shown; }

# Saves the full-screen picture under the typed name $1 through the save dialog.
save_as() {
  xdotool windowfocus --sync "$full"
  xdotool key Return
  wait_for 10 "Enter did not open the save dialog" dialog_shown
  local dialog
  dialog=$(visible_windows '^Save Picture$')
  xdotool windowfocus --sync "$dialog"
  xdotool key ctrl+a
  xdotool type --delay 30 "$1"
  import -window "$dialog" "$shots/dialog-$1.png"
  xdotool key Return
  wait_for 10 "the save dialog did not close" dialog_gone
  dismiss_message "saved-$1" "$main" "$full"
}

start_quadrivia "$program"
close_splash
pause_animation
type_scale 3

step "clicking Full Screen (at 8, 200) and dismissing the wait message"
click 52 212
dismiss_message wait-message "$main"

step "waiting for the full-screen picture"
wait_for 30 "no full-screen window appeared" full_shown
geometry "$full"
size=${screen_width}x$screen_height
[ "$X,$Y ${WIDTH}x$HEIGHT" = "0,0 $size" ] || fail "the window is at $X,$Y, ${WIDTH}x$HEIGHT"
wait_for 60 "the full-screen picture was not drawn" full_drawn
import -window "$full" "$shots/full-screen.png"

step "saving it with Enter as e2e-picture (no extension)"
save_as e2e-picture
bmp=Graphics/e2e-picture.bmp
[ -f "$bmp" ] || fail "no $bmp in the working folder: $(find . -name '*.bmp' | tr '\n' ' ')"
# ImageMagick calls a bitmap with the 40-byte header of Windows 3 and later BMP3.
[[ "$(identify -format '%m %wx%h' "$bmp")" =~ ^BMP3?\ $size$ ]] ||
  fail "$bmp is not a bitmap of $size: $(identify "$bmp" 2>&1)"
different=$(compare -metric AE "$bmp" "$shots/full-screen.png" null: 2>&1 || true)
[ "$different" = 0 ] || fail "$different pixels of $bmp differ from the picture shown"

step "saving again as again.bmp: the working folder was given back after the first save"
save_as again.bmp
[ -f Graphics/again.bmp ] ||
  fail "the second save is not Graphics/again.bmp: $(find . -name '*.bmp' | tr '\n' ' ')"

step "leaving the full-screen window with Escape"
xdotool windowfocus --sync "$full"
xdotool key Escape
wait_for 10 "the full-screen window did not close" window_gone "$full"
[ -n "$(window_of_width 427)" ] || fail "the main window is not shown"
echo "the full-screen picture saves as a bitmap under Graphics and the window closes"
