#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, unpacks it into a
# temporary directory and starts the unpacked program under Xvfb: its window
# must open (a missing nad/ would stop start-up at an error box instead),
# close on a window manager's close request with exit status 0, and have
# saved its settings on the way out.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build"
(cd "$build" && rm -f ./*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/zelv-derarar_*.deb)
echo "package: $deb"

# lintian exits non-zero on errors; warnings are shown but allowed.
lintian --fail-on error "$deb"

work=$(mktemp -d)
xvfb=
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
test -L "$work/root/usr/bin/zelv-derarar"
test -f "$work/root/usr/lib/zelv-derarar/nad/proj_def.dat"
test -f "$work/root/usr/share/applications/zelv-derarar.desktop"
# The user guide where the window's link looks for it (two levels above the
# program's directory), with the picture it shows.
guide="$work/root/usr/lib/zelv-derarar/../../share/doc/zelv-derarar/zelv-derarar.html"
grep -q '<meta charset="utf-8">' "$guide"
test -f "$(dirname "$guide")/docs/screenshot.png"

cc -O2 -o "$work/x11-probe" tools/x11-probe.c -lX11
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1

# Through the bin/ link, as a user starts it: the program must find nad/ beside its real path.
env -u QT_QPA_PLATFORM DISPLAY="$display" XDG_CONFIG_HOME="$work/config" \
  "$work/x11-probe" ZELV-Derarar 500 -- "$work/root/usr/bin/zelv-derarar"
test -s "$work/config/ZELV_Derarar.INI"
grep -q '^FormVersion=0' "$work/config/ZELV_Derarar.INI"
echo "package test: unpacked program opened, found its nad/, saved its settings and closed cleanly"
