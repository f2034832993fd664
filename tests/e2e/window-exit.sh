#!/usr/bin/env bash
# The real program in a virtual display, in an empty working folder: it creates ini.dat
# holding "0 1"; after Russian is chosen in the Language menu, "Exit" writes "1 1" and the
# program ends with status 0.
set -euo pipefail
. "$(dirname "$0")/common.sh"
run_in_virtual_display "$0" "$@"
begin_check "$@"

# The settings file holds exactly the two numbers, a blank between, no line end.
settings_read() { [ -f ini.dat ] && [ "$(cat ini.dat; echo .)" = "$1." ]; }
popup_shown() {
  popup=$(other_window '.*' "$root" "$main")
  [ -n "$popup" ]
}
popup_gone() { ! popup_shown; }

start_quadrivia "$program"
step "checking the ini.dat created at start-up"
settings_read "0 1" || fail "ini.dat reads '$(cat ini.dat 2>/dev/null)', not '0 1'"
close_splash

step "choosing Russian in the Language menu (menu item 3)"
click_menu 3
wait_for 10 "the Language menu did not open" popup_shown
import -window "$popup" "$shots/language-menu.png"
xdotool key Down Down Return  # the second item, Russian
wait_for 10 "the Language menu did not close" popup_gone
[ "$(cat ini.dat)" = "0 1" ] || fail "choosing a language rewrote ini.dat"

step "choosing Exit (menu item 5)"
click_menu 5
wait_for 10 "the program did not end after Exit" program_ended
status=$(program_status)
[ "$status" = 0 ] || fail "the program ended with status $status"
settings_read "1 1" || fail "after Exit ini.dat reads '$(cat ini.dat 2>/dev/null)', not '1 1'"
echo "Exit writes the chosen language to ini.dat and ends the program with status 0"
