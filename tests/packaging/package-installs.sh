#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into an empty folder tree as
# dpkg would install it, and checks the installed tree: the files a desktop looks for, the
# desktop entry, quadrivia-render --help from the installed path, and the installed window
# program starting (in a virtual display) in a per-user working folder with its help files.
# Usage: package-installs.sh <build folder> <scratch folder>
set -euo pipefail
. "$(dirname "$0")/../e2e/common.sh"
run_in_virtual_display "$0" "$@"
build=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/package" "$scratch/root" "$scratch/home"

fail() { echo "package: $*"; exit 1; }

(cd "$scratch/package" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >cpack.log 2>&1) ||
  { cat "$scratch/package/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/package/quadrivia_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no .deb was made"
dpkg-deb --info "$deb" >/dev/null || fail "$deb is not a Debian package"
[ "$(dpkg-deb -f "$deb" Package)" = quadrivia ] || fail "the package is not called quadrivia"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt's widgets"
dpkg-deb -x "$deb" "$scratch/root"
usr="$scratch/root/usr"

for f in bin/quadrivia bin/quadrivia-render libexec/quadrivia/quadrivia \
         share/applications/quadrivia.desktop share/icons/hicolor/256x256/apps/quadrivia.png \
         share/icons/hicolor/32x32/apps/quadrivia.png share/quadrivia/help/fractal.chm \
         share/quadrivia/help/fractal_rus.chm; do
  [ -e "$usr/$f" ] || fail "the package lacks /usr/$f"
done
[ -x "$usr/bin/quadrivia-render" ] || fail "quadrivia-render is not executable"
desktop-file-validate "$usr/share/applications/quadrivia.desktop" || fail "the desktop entry does not validate"
identify -format '%wx%h' "$usr/share/icons/hicolor/256x256/apps/quadrivia.png" | grep -qx 256x256 ||
  fail "the 256 x 256 icon is not 256 x 256"

help=$("$usr/bin/quadrivia-render" --help) || fail "the installed quadrivia-render --help failed"
echo "$help" | grep -q -- '--size' || fail "quadrivia-render --help does not show its options"

# The window program, through its launcher, in a working folder of the user's own.
data="$scratch/home/data"
work="$data/quadrivia"
export HOME="$scratch/home" XDG_DATA_HOME="$data"
start_quadrivia "$usr/bin/quadrivia"
[ "$(readlink "/proc/$pid/cwd")" = "$work" ] || fail "the program does not run in $work"
for f in fractal.chm fractal_rus.chm; do
  [ -e "$work/$f" ] || fail "the working folder has no $f"
done
[ -f "$work/ini.dat" ] || fail "the program made no ini.dat in its working folder"
echo "the package installs: $(basename "$deb")"
