#!/bin/sh
# What a screen reader learns of the window, asked through AT-SPI as Orca
# asks it: the program under Xvfb with its own session bus and the
# accessibility bus, then atspi_check.py.  Needs xvfb, dbus-x11,
# at-spi2-core and python3-pyatspi (scripts/install-deps.sh).  CTest runs it
# as screen_reader_check (ctest -L atspi); by hand:
#   tools/atspi-check.sh build/test/app/ZELV_Derarar
set -eu
program=$(readlink -f "${1:?usage: $0 path/to/ZELV_Derarar}")
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d)
trap 'kill $(cat "$work"/pids 2>/dev/null) 2>/dev/null || true; rm -rf "$work"' EXIT

# A display of our own: the first free number from 90.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
echo $! >>"$work/pids"
export DISPLAY=":$display"
for _ in 1 2 3 4 5 6 7 8 9 10; do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.5; done

# A session bus; the accessibility bus is started on it when Qt asks.
eval "$(dbus-launch --sh-syntax)"
echo "$DBUS_SESSION_BUS_PID" >>"$work/pids"

export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export LC_ALL="${ZELV_ATSPI_LOCALE:-de_DE.UTF-8}" NO_AT_BRIDGE=0
"$program" >"$work/program.log" 2>&1 &
echo $! >>"$work/pids"

/usr/bin/python3 "$here/atspi_check.py"
