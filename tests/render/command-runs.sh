#!/usr/bin/env bash
# The installed shape of quadrivia-render: the real binary, its exit statuses and a file.
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$program" --help | grep -q '^Usage: quadrivia-render'
"$program" --size 64x48 --aa 2 -o start.png >out.txt 2>err.txt
[ "$(cat out.txt)" = start.png ] || { echo "unexpected output: $(cat out.txt)"; exit 1; }
[ ! -s err.txt ] || { echo "unexpected errors: $(cat err.txt)"; exit 1; }
[ "$(head -c 8 start.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "not a PNG"; exit 1; }

status=0; "$program" --no-such-option 2>err.txt || status=$?
[ "$status" = 2 ] || { echo "usage error gave $status"; exit 1; }
status=0; "$program" --catalog missing.dat --theme 1 2>err.txt || status=$?
[ "$status" = 1 ] || { echo "missing catalogue gave $status"; exit 1; }
grep -q "^quadrivia-render: cannot read the catalogue 'missing.dat'" err.txt
[ "$(ls)" = "err.txt
out.txt
start.png" ] || { echo "stray files: $(ls)"; exit 1; }
# Interrupted while it writes: neither the picture, nor its temporary file, nor the windows'
# working folder stays.
mkdir interrupted scratch
TMPDIR="$work/scratch" "$program" --size 7680x4320 --aa 4 -q -o interrupted/big.png &
pid=$!
for _ in $(seq 200); do
  [ -n "$(ls -A interrupted)" ] && break
  sleep 0.05
done
kill -TERM "$pid"
status=0; wait "$pid" || status=$?
[ "$status" = 143 ] || { echo "interrupted run gave $status"; exit 1; }
left=$(find interrupted scratch -mindepth 1)
[ -z "$left" ] || { echo "left behind: $left"; exit 1; }
echo "quadrivia-render runs"
