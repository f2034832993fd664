#!/usr/bin/env bash
# Starts the real program in a virtual display: the splash stands centred in front of the main
# window, whose picture is still empty; a click on the splash's picture closes it, and then
# the main picture animates.
set -euo pipefail
. "$(dirname "$0")/common.sh"
run_in_virtual_display "$0" "$@"
begin_check "$@"

start_quadrivia "$program"
import -window root "$shots/splash.png"

step "checking the splash's place and the empty picture behind it"
geometry "$splash"
[ "$WIDTH x $HEIGHT" = "538 x 346" ] || fail "the splash is $WIDTH x $HEIGHT, not 538 x 346"
[ "$X,$Y" = "$(((screen_width - 538) / 2)),$(((screen_height - 346) / 2))" ] ||
  fail "the splash at $X,$Y is not centred"
[ "$(colours_in 8 0 160 120)" = 1 ] || fail "a picture was drawn before the splash closed"

step "closing the splash with a click on its picture"
click 160 200 1 "$splash"
wait_for 10 "the splash did not close" splash_gone

step "watching the picture animate"
first=$(picture)
wait_for 10 "the picture did not change" picture_differs "$first"
shot animating
[ "$(colours_in 8 0 160 120)" -gt 1 ] || fail "the animated picture is one flat colour"
echo "the splash closes on a click and the picture animates"
