#!/usr/bin/env bash
# The real program in a virtual display, driven with the mouse and keyboard: a right click on
# the picture shows a count and a left click recentres it; dragging a wheel marker changes the
# palette strip; "New" with "Auto" checked ends on a new picture with at
# least Min Colors colours; the coefficients panel docks under the main window and a typed
# coefficient changes the picture; a typed iteration limit changes the picture and its palette.
set -euo pipefail
. "$(dirname "$0")/common.sh"
run_in_virtual_display "$0" "$@"
begin_check "$@"

start_quadrivia "$program"
close_splash
pause_animation

type_scale 3

step "right-clicking the picture: the point's escape count shows in Edit4 (at 8, 168)"
count=$(region 8 168 81 26)
click 88 60 3
count_shown() { [ "$(region 8 168 81 26)" != "$count" ]; }
wait_for 10 "a right click did not show a count" count_shown

step "left-clicking the picture: the view is centred on the point"
before=$(picture)
click 40 30
wait_for 10 "a left click did not recentre the picture" picture_differs "$before"
shot after-clicks

step "dragging the start marker (ring point 83, 45 of the wheel at 200, 16) down the ring"
strip=$(region 200 112 97 17)
xdotool mousemove $((cx + 283)) $((cy + 61)) mousedown 1
for i in 1 2 3 4 5; do xdotool mousemove $((cx + 283 - 8 * i)) $((cy + 61 + 8 * i)); done
xdotool mousemove $((cx + 245)) $((cy + 99)) mouseup 1
strip_differs() { [ "$(region 200 112 97 17)" != "$strip" ]; }
wait_for 10 "dragging the marker did not change the palette strip" strip_differs
shot after-drag

# The coefficient is typed on the start map, whose picture it is known to change; the iteration
# limit on the generated map, whose many colours 9 iterations cannot all keep (on a generated
# map the typed coefficient may leave a picture of one colour, which no limit changes).
step "docking the coefficients panel (menu item 2, Coefficients) under the main window"
click_menu 2
panel_docked() {
  panel_shown || return 1
  geometry "$panel"
  seen="a window at $X,$Y of ${WIDTH}x$HEIGHT"
  [ "$X,$Y ${WIDTH}x$HEIGHT" = "$mainX,$((mainY + mainH)) ${mainW}x119" ]
}
wait_for 10 "the panel is not docked under the main window" panel_docked
import -window root "$shots/panel.png"

step "typing 0.437 into the panel's fourth x coefficient (at 242, 20)"
before=$(picture)
type_into "$panel" 0.437 270 32
wait_for 10 "the typed coefficient did not change the picture" picture_differs "$before"
import -window "$panel" "$shots/panel-typed.png"

step "asking for 40 colours (Min Colors at 96, 272) and clicking New (at 16, 256) with Auto checked"
type_into "$main" 40 124 287
before=$(picture)
click 44 268
wait_for 60 "New did not change the picture" picture_differs "$before"
wait_for 10 "the picture did not settle after New" picture_still
shot after-new
entries=$(strip_entries)
echo "  the palette strip shows $entries entries; the picture $(colours_in 8 0 160 120) colours"
[ "$entries" -ge 40 ] || fail "the new picture has $entries real colours, fewer than 40"
# With Auto checked a render with fewer colours than asked for paints nothing: uncheck it
# (at 16, 288) so that the edits below always show.
step "unchecking Auto"
# The pointer rests on the box before its look is taken, so that only the click can change it.
xdotool mousemove $((cx + 24)) $((cy + 296))
sleep 0.3
box=$(region 16 288 49 17)
click 24 296
box_changed() { [ "$(region 16 288 49 17)" != "$box" ]; }
wait_for 10 "the Auto check box did not change" box_changed

step "typing an iteration limit of 9 (the field at 304, 48)"
before=$(picture)
type_into "$main" 9 324 64
wait_for 10 "the typed iteration limit did not change the picture" picture_differs "$before"
wait_for 10 "the picture did not settle" picture_still
shot after-iteration
entries=$(strip_entries)
[ "$entries" -ge 1 ] && [ "$entries" -le 8 ] ||
  fail "with 9 iterations the palette strip shows $entries entries, not 1 to 8"
echo "picture clicks, marker drag, New with Auto, the panel's coefficients and the iteration field work"
