#!/usr/bin/env bash
# Starts the real program in a virtual display, closes the splash with a key, and checks that
# the main picture changes between two screenshots (the animation runs).
set -euo pipefail
program=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$program" "$out" <<'INNER'
set -euo pipefail
program=$1
out=$2
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
# Wait for the splash and the main window.
for i in $(seq 1 300); do
  [ "$(xdotool search --onlyvisible --name '^Quadrivia$' 2>/dev/null | wc -l)" -ge 2 ] && break
  sleep 0.1
done
import -window root "$out/splash.png"
splash=$(xdotool search --onlyvisible --name '^Quadrivia$' | while read -r w; do
  [ "$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')" = 538 ] && echo "$w"; done | head -1)
main=$(xdotool search --onlyvisible --name '^Quadrivia$' | grep -v "^$splash$" | head -1)
[ -n "$splash" ] && [ -n "$main" ] || { echo "splash or main window not found"; exit 1; }
xdotool key --window "$splash" shift
for i in $(seq 1 100); do
  xdotool search --onlyvisible --name '^Quadrivia$' | grep -q "^$splash$" || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Quadrivia$' | grep -q "^$splash$" && { echo "splash still open"; exit 1; }
# The picture: 160 x 120 at the client's (8, 0), under the menu bar. It must change within a
# few seconds, however busy the machine is.
picture() { import -window "$main" "$1" && convert "$1" -crop 160x100+8+30 +repage rgb:- | md5sum; }
a=$(picture "$out/main-1.png")
for i in $(seq 1 30); do
  sleep 0.2
  b=$(picture "$out/main-2.png")
  [ "$a" != "$b" ] && { echo "the picture animates"; exit 0; }
done
echo "the picture did not change"
exit 1
INNER
