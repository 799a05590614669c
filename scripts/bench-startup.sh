#!/usr/bin/env bash
# Start-up time and idle memory of the program against a bare Qt window of
# the same size, under Xvfb, alternating the two.  Run by hand:
#   bash scripts/bench-startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}

bash scripts/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELV_BENCHMARKS=ON >/dev/null
cmake --build build/bench --target ZELV_Derarar bare_window
cc -O2 -o build/bench/x11-probe tools/x11-probe.c -lX11

work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb :97 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:97
sleep 1
# Settings go to a scratch directory, not the user's.
export XDG_CONFIG_HOME=$work/config
unset QT_QPA_PLATFORM

for ((i = 0; i < runs; i++)); do
  build/bench/x11-probe ZELV-Derarar 1500 -- build/bench/bench/bare_window >>"$work/bare" || true
  build/bench/x11-probe ZELV-Derarar 1500 -- build/bench/app/ZELV_Derarar >>"$work/app" || true
done

median() { # field file
  sed -n "s/.*$1=\([0-9.]*\).*/\1/p" "$2" | sort -n | awk '{a[NR]=$1} END {if (NR % 2) print a[(NR+1)/2]; else print (a[NR/2]+a[NR/2+1])/2}'
}
bare_ms=$(median mapped_ms "$work/bare"); app_ms=$(median mapped_ms "$work/app")
bare_kb=$(median rss_kb "$work/bare"); app_kb=$(median rss_kb "$work/app")
echo "runs: $(wc -l <"$work/app") program, $(wc -l <"$work/bare") bare window"
awk -v a="$app_ms" -v b="$bare_ms" 'BEGIN {printf "start-up to window mapped (median): program %.1f ms, bare window %.1f ms, ratio %.2f\n", a, b, a / b}'
awk -v a="$app_kb" -v b="$bare_kb" 'BEGIN {printf "resident memory when idle (median): program %d kB, bare window %d kB, ratio %.2f\n", a, b, a / b}'
