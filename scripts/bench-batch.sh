#!/usr/bin/env bash
# The batch mode against cs2cs: the same points (decimal latitude/longitude
# pairs inside UTM zone 32), the program with --csv, cs2cs into zone 32 on
# GRS80, both reading a file and writing to a file, alternating the two.
# Prints the median wall-clock times, their ratio, and the program's peak
# resident memory for the list and for a ten times longer one.  Run by hand:
#   bash scripts/bench-batch.sh [LINES] [RUNS]      (defaults 100000 and 9)
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-100000}
runs=${2:-9}

bash scripts/install-deps.sh
if ! command -v cs2cs >/dev/null; then
  apt-get install -y proj-bin >/dev/null
fi
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench --target ZELV_Derarar
program=build/bench/app/ZELV_Derarar

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Fixed seed: every run converts the same points.  cs2cs takes longitude first.
awk -v n="$lines" -v pairs="$work/pairs.txt" -v lonlat="$work/lonlat.txt" 'BEGIN {
  srand(1)
  for (i = 0; i < n; i++) {
    lat = 47 + 8 * rand(); lon = 6 + 6 * rand()
    printf "%.6f, %.6f\n", lat, lon > pairs
    printf "%.6f %.6f\n", lon, lat > lonlat
  }
}'

seconds() { # command...: wall-clock seconds of one run
  local start end
  start=$(date +%s.%N)
  "$@"
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN {printf "%.4f\n", e - s}'
}
run_program() { "$program" --convert --csv "$work/pairs.txt" >"$work/program.csv"; }
run_cs2cs() { cs2cs +proj=longlat +ellps=GRS80 +to +proj=utm +zone=32 +ellps=GRS80 -f %.0f <"$work/lonlat.txt" >"$work/cs2cs.txt"; }

for ((i = 0; i < runs; i++)); do
  seconds run_program >>"$work/program.times"
  seconds run_cs2cs >>"$work/cs2cs.times"
done

# The two agree on every easting and northing.
if ! paste -d' ' <(tail -n +2 "$work/program.csv" | cut -d, -f4,5 | tr , ' ') \
    <(awk '{print $1, $2}' "$work/cs2cs.txt") | awk '$1 != $3 || $2 != $4 {bad++} END {exit bad > 0}'; then
  echo "the program's UTM values differ from cs2cs" >&2
  exit 1
fi

median() { sort -n "$1" | awk '{a[NR]=$1} END {if (NR % 2) print a[(NR+1)/2]; else print (a[NR/2]+a[NR/2+1])/2}'; }
program_s=$(median "$work/program.times")
cs2cs_s=$(median "$work/cs2cs.times")
echo "$lines lines, $runs runs each (median wall-clock time)"
awk -v p="$program_s" -v c="$cs2cs_s" 'BEGIN {printf "zelv-derarar --convert --csv: %.3f s, cs2cs: %.3f s, ratio %.2f\n", p, c, p / c}'

# Flat memory: a list ten times as long needs no more.
for ((i = 0; i < 10; i++)); do cat "$work/pairs.txt"; done >"$work/long.txt"
peak() { /usr/bin/time -f %M "$program" --convert --csv "$1" 2>&1 >/dev/null | tail -n 1; }
echo "peak resident memory: $(peak "$work/pairs.txt") kB for $lines lines, $(peak "$work/long.txt") kB for $((10 * lines))"
