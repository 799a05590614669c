#!/usr/bin/env bash
# Start-up time and idle memory of the program against two references, under
# Xvfb, alternating the three: the bare form (the same controls, fonts and
# pictures as stock widgets without logic, bench/BareForm.cpp) and the bare
# window (one empty window of the same size).  Run by hand:
#   bash scripts/bench-startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}

bash scripts/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELV_BENCHMARKS=ON >/dev/null
cmake --build build/bench --target ZELV_Derarar bare_window bare_form
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
  build/bench/x11-probe ZELV-Derarar 1500 -- build/bench/bench/bare_form >>"$work/form" || true
done

median() { # field file
  sed -n "s/.*$1=\([0-9.]*\).*/\1/p" "$2" | sort -n | awk '{a[NR]=$1} END {if (NR % 2) print a[(NR+1)/2]; else print (a[NR/2]+a[NR/2+1])/2}'
}
bare_ms=$(median mapped_ms "$work/bare"); app_ms=$(median mapped_ms "$work/app"); form_ms=$(median mapped_ms "$work/form")
bare_kb=$(median rss_kb "$work/bare"); app_kb=$(median rss_kb "$work/app"); form_kb=$(median rss_kb "$work/form")
echo "runs: $(wc -l <"$work/app") program, $(wc -l <"$work/form") bare form, $(wc -l <"$work/bare") bare window"
awk -v a="$app_ms" -v f="$form_ms" -v b="$bare_ms" 'BEGIN {printf "start-up to window mapped (median): program %.1f ms, bare form %.1f ms, bare window %.1f ms; ratio to the form %.2f, to the window %.2f\n", a, f, b, a / f, a / b}'
awk -v a="$app_kb" -v f="$form_kb" -v b="$bare_kb" 'BEGIN {printf "resident memory when idle (median): program %d kB, bare form %d kB, bare window %d kB; ratio to the form %.2f, to the window %.2f\n", a, f, b, a / f, a / b}'
