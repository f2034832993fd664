#!/usr/bin/env bash
# The real program in a virtual display, driven with the mouse and keyboard: dragging a wheel
# marker changes the palette strip, typing into the iteration field changes the picture, and
# the coefficients panel docks under the main window.
set -euo pipefail
. "$(dirname "$0")/common.sh"
run_in_virtual_display "$0" "$@"
program=$1
out=$2

start_quadrivia "$program"
main=$(window_of_width 427)
[ -n "$main" ] || { echo "main window not found"; exit 1; }
xdotool key shift
sleep 1
geometry "$main"
mainX=$X mainY=$Y mainW=$WIDTH mainH=$HEIGHT
menu=$((HEIGHT - 326))  # the menu bar stands above the 427 x 326 client area
cx=$X cy=$((Y + menu))    # the client area's origin on the screen
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.5; }
region() { import -window "$main" -crop "$3x$4+$1+$(($2 + menu))" +repage rgb:- | md5sum; }

click $((cx + 217)) $((cy + 225))  # "Pause": the picture holds still
sleep 0.5

# Drag the start marker (ring point 83, 45 of the wheel at 200, 16) down to the bottom.
strip1=$(region 200 112 97 17)
xdotool mousemove $((cx + 283)) $((cy + 61)) mousedown 1
for step in 1 2 3 4 5; do
  xdotool mousemove $((cx + 283 - 8 * step)) $((cy + 61 + 8 * step)); sleep 0.1
done
xdotool mousemove $((cx + 245)) $((cy + 99)) mouseup 1
sleep 1
strip2=$(region 200 112 97 17)
import -window "$main" "$out/after-drag.png"
[ "$strip1" != "$strip2" ] || { echo "dragging the marker did not change the palette strip"; exit 1; }

# A view with detail: type a scale of 3 into the scale field (Edit3 at 256, 248).
xdotool mousemove $((cx + 292)) $((cy + 263)) click --repeat 3 1
sleep 0.3
xdotool type --delay 100 "3"
sleep 1
# Type a new iteration limit (the field at 304, 48).
picture1=$(region 8 0 160 120)
xdotool mousemove $((cx + 324)) $((cy + 64)) click --repeat 3 1
sleep 0.3
xdotool type --delay 100 "9"
sleep 1
picture2=$(region 8 0 160 120)
import -window "$main" "$out/after-iteration.png"
[ "$picture1" != "$picture2" ] || { echo "typing the iteration limit did not change the picture"; exit 1; }

# "Coefficients" on the menu bar docks the panel under the main window.
click $((mainX + 140)) $((mainY + menu / 2))
sleep 1
docked=""
for w in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
  geometry "$w"
  echo "window $w at $X,$Y size ${WIDTH}x$HEIGHT" >> "$out/windows.txt"
  [ "$HEIGHT" = 119 ] && [ "$X" = "$mainX" ] && [ "$Y" = $((mainY + mainH)) ] && docked=$w
done
import -window root "$out/panel.png"
[ -n "$docked" ] || { echo "the panel is not docked under the main window"; exit 1; }
echo "marker drag, iteration field and panel docking work"
