#!/usr/bin/env bash
# Starts the real program in a virtual display, closes the splash with a key, and checks that
# the main picture changes between two screenshots (the animation runs).
set -euo pipefail
. "$(dirname "$0")/common.sh"
run_in_virtual_display "$0" "$@"
program=$1
out=$2

start_quadrivia "$program"
import -window root "$out/splash.png"
splash=$(window_of_width 538)
main=$(window_of_width 427)
[ -n "$splash" ] && [ -n "$main" ] || { echo "splash or main window not found"; exit 1; }
xdotool key --window "$splash" shift
for _ in $(seq 1 100); do
  [ -z "$(window_of_width 538)" ] && break
  sleep 0.1
done
[ -z "$(window_of_width 538)" ] || { echo "splash still open"; exit 1; }
# The picture: 160 x 120 at the client's (8, 0), under the menu bar. It must change within a
# few seconds, however busy the machine is.
picture() { import -window "$main" "$1" && convert "$1" -crop 160x100+8+30 +repage rgb:- | md5sum; }
a=$(picture "$out/main-1.png")
for _ in $(seq 1 30); do
  sleep 0.2
  b=$(picture "$out/main-2.png")
  [ "$a" != "$b" ] && { echo "the picture animates"; exit 0; }
done
echo "the picture did not change"
exit 1
