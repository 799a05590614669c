#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, validates its desktop
# entry and AppStream metadata, unpacks it into a temporary directory and
# starts the unpacked program under Xvfb: its window must open (a missing
# nad/ would stop start-up at an error box instead), close on a window
# manager's close request with exit status 0, and have saved its settings on
# the way out; its window class must match the desktop entry.
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
test -f "$work/root/usr/lib/zelv-derarar/nad/BETA2007.gsb"
desktop=$work/root/usr/share/applications/zelv-derarar.desktop
metainfo=$work/root/usr/share/metainfo/org.example.zelv_derarar.metainfo.xml
test -f "$desktop"
test -f "$metainfo"

# The desktop entry and the AppStream metadata as software centres read them:
# any error, warning or hint fails (desktop-file-validate exits 0 on warnings,
# so its output must be empty; --strict fails appstreamcli on them).
report=$(desktop-file-validate "$desktop" 2>&1) || { echo "$report"; exit 1; }
[ -z "$report" ] || { echo "desktop-file-validate: $report"; exit 1; }
echo "desktop-file-validate: no findings"
appstreamcli validate --no-net --strict "$metainfo"
# The tree as installed: the metadata's launchable finds the desktop entry.
appstreamcli validate-tree --no-net --strict "$work/root/usr"
# The user guide where the window's link looks for it (two levels above the
# program's directory), German, with every picture it shows.
guide="$work/root/usr/lib/zelv-derarar/../../share/doc/zelv-derarar/zelv-derarar.html"
grep -q '<meta charset="utf-8">' "$guide"
grep -q '<html lang="de">' "$guide"
pictures=$(grep -o '<img src="[^"]*"' "$guide" | sed 's/^<img src="//; s/"$//')
[ "$(wc -l <<<"$pictures")" -ge 3 ] || { echo "the guide shows fewer than three pictures"; exit 1; }
while read -r picture; do
  [[ $(file --brief "$(dirname "$guide")/$picture") == "PNG image data"* ]] || {
    echo "guide picture $picture is not installed as a PNG"; exit 1; }
done <<<"$pictures"
# Both man pages with the German CSV, the German one with its own sections,
# where man looks for a German locale.
for page in man1 de/man1; do
  text=$(zcat "$work/root/usr/share/man/$page/zelv-derarar.1.gz")
  grep -q 'csv=de' <<<"$text" || { echo "man page $page without --csv=de"; exit 1; }
done
for section in BESCHREIBUNG OPTIONEN BEISPIELE DATEIEN; do
  grep -q "^\.SH $section\$" <<<"$(zcat "$work/root/usr/share/man/de/man1/zelv-derarar.1.gz")" || {
    echo "German man page without $section"; exit 1; }
done

cc -O2 -o "$work/x11-probe" tools/x11-probe.c -lX11
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1

# Through the bin/ link, as a user starts it: the program must find nad/ beside its real path.
env -u QT_QPA_PLATFORM DISPLAY="$display" XDG_CONFIG_HOME="$work/config" \
  "$work/x11-probe" ZELV-Derarar 500 -- "$work/root/usr/bin/zelv-derarar"

# Started by its real name too, the window's class must be the desktop
# entry's StartupWMClass, so that docks group the window with its launcher.
probe=$(env -u QT_QPA_PLATFORM DISPLAY="$display" XDG_CONFIG_HOME="$work/config" \
  "$work/x11-probe" ZELV-Derarar 0 -- "$work/root/usr/lib/zelv-derarar/ZELV_Derarar")
echo "$probe"
wm_class=$(sed -n 's/.* wm_class=[^,]*,//p' <<<"$probe")
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$startup_class" ] && [ "$wm_class" = "$startup_class" ] || {
  echo "window class '$wm_class' is not the desktop entry's StartupWMClass '$startup_class'"; exit 1; }
test -s "$work/config/ZELV_Derarar.INI"
grep -q '^FormVersion=0' "$work/config/ZELV_Derarar.INI"
echo "package test: unpacked program opened, found its nad/, saved its settings and closed cleanly"
