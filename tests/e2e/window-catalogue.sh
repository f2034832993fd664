#!/usr/bin/env bash
# The real program in a virtual display: a picture saved as a theme through the catalogue
# dialog is written to catalog.dat in the working folder, and loading it back after the scale
# and a coefficient have changed shows the saved picture again.
set -euo pipefail
. "$(dirname "$0")/common.sh"
run_in_virtual_display "$0" "$@"
begin_check "$@"

start_quadrivia "$program"
close_splash
pause_animation

type_scale 3

step "opening the catalogue (menu item 1) with no catalog.dat yet"
click_menu 1
dismiss_message no-catalogue "$main"
wait_for 10 "the catalogue dialog did not open" themes_shown

step "saving the picture as the theme e2e-spiral"
type_into "$themes" e2e-spiral "${themes_name[@]}"
import -window "$themes" "$shots/saving.png"
click "${themes_save[@]}" 1 "$themes"
wait_for 10 "the dialog did not close after Save" window_gone "$themes"
wait_for 10 "the picture did not settle" picture_still
saved=$(picture)
shot saved

step "checking the record in catalog.dat"
[ -f catalog.dat ] || fail "no catalog.dat in the working folder"
lines=$(wc -l < catalog.dat)
[ "$lines" = 9 ] || fail "catalog.dat holds $lines lines, not one record of 9"
expect_line() {
  local got
  got=$(sed -n "$1p" catalog.dat)
  [ "$got" = "$2"$'\r' ] || fail "line $1 of catalog.dat reads '${got%$'\r'}', not '$2'"
}
expect_line 1 "e2e-spiral "
expect_line 2 "1.800000 -1.800000 0.000000 0.000000 0.000000 0.000000"
expect_line 3 "0.000000 0.000000 3.600000 0.000000 0.000000 0.360000"
expect_line 6 "3.000000 -1 0.100000"
expect_line 7 "0.000000 6.000000 0 "
expect_line 8 "200 0 1 "
expect_line 9 "0.000000 0.000000"

type_scale 5
step "changing the picture more: 0.437 for the panel's fourth x coefficient"
click_menu 2
wait_for 10 "the coefficients panel did not open" panel_shown
type_into "$panel" 0.437 270 32
shot changed

step "loading e2e-spiral back"
click_menu 1
wait_for 10 "the catalogue dialog did not open" themes_shown
xdotool windowfocus --sync "$themes"
click "${themes_list[@]}" 1 "$themes"
xdotool key Down  # chooses the first entry of the list
import -window "$themes" "$shots/loading.png"
click "${themes_load[@]}" 1 "$themes"
wait_for 10 "the dialog did not close after Load" window_gone "$themes"
wait_for 10 "the loaded picture is not the saved one" picture_equals "$saved"
shot loaded
import -window "$panel" "$shots/loaded-panel.png"
echo "a theme saved through the catalogue is in catalog.dat and loads back as saved"
