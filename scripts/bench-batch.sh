#!/usr/bin/env bash
# The batch mode against its anchors: the same points (decimal
# latitude/longitude pairs inside UTM zone 32) through the program with
# --csv, through the bare C loop over PROJ (bench/BareLoop.c) and through
# cs2cs into zone 32 on GRS80; each fed three ways: as a named file, as
# standard input redirected from the file, and through a pipe.  All nine
# commands alternate in every round.  Prints the median wall-clock times,
# the program's ratios against the loop and cs2cs, and its peak resident
# memory for the list and for a ten times longer one.  Run by hand:
#   bash scripts/bench-batch.sh [LINES] [RUNS]      (defaults 100000 and 9)
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-100000}
runs=${2:-9}

bash scripts/install-deps.sh
if ! command -v cs2cs >/dev/null; then
  apt-get install -y proj-bin >/dev/null
fi
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELV_BENCHMARKS=ON >/dev/null
cmake --build build/bench --target ZELV_Derarar bare_loop
program=build/bench/app/ZELV_Derarar
loop=build/bench/bench/bare_loop

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
cs2cs_utm() { cs2cs +proj=longlat +ellps=GRS80 +to +proj=utm +zone=32 +ellps=GRS80 -f %.0f "$@"; }
program_file() { "$program" --convert --csv "$work/pairs.txt" >"$work/program.csv"; }
program_stdin() { "$program" --convert --csv <"$work/pairs.txt" >"$work/program-stdin.csv"; }
program_pipe() { cat "$work/pairs.txt" | "$program" --convert --csv >"$work/program-pipe.csv"; }
loop_file() { "$loop" "$work/pairs.txt" >"$work/loop.csv"; }
loop_stdin() { "$loop" <"$work/pairs.txt" >"$work/loop.csv"; }
loop_pipe() { cat "$work/pairs.txt" | "$loop" >"$work/loop.csv"; }
cs2cs_file() { cs2cs_utm "$work/lonlat.txt" >"$work/cs2cs.txt"; }
cs2cs_stdin() { cs2cs_utm <"$work/lonlat.txt" >"$work/cs2cs.txt"; }
cs2cs_pipe() { cat "$work/lonlat.txt" | cs2cs_utm >"$work/cs2cs.txt"; }

tools=(program loop cs2cs)
modes=(file stdin pipe)
for ((i = 0; i < runs; i++)); do
  for tool in "${tools[@]}"; do
    for mode in "${modes[@]}"; do
      seconds "${tool}_$mode" >>"$work/$tool-$mode.times"
    done
  done
done

# The three readings give the same rows, and the program agrees with cs2cs
# on every easting and northing.
cmp -s "$work/program.csv" "$work/program-stdin.csv" && cmp -s "$work/program.csv" "$work/program-pipe.csv" || {
  echo "the program's rows differ between file, standard input and pipe" >&2
  exit 1
}
if ! paste -d' ' <(tail -n +2 "$work/program.csv" | cut -d, -f4,5 | tr , ' ') \
    <(awk '{print $1, $2}' "$work/cs2cs.txt") | awk '$1 != $3 || $2 != $4 {bad++} END {exit bad > 0}'; then
  echo "the program's UTM values differ from cs2cs" >&2
  exit 1
fi

median() { sort -n "$1" | awk '{a[NR]=$1} END {if (NR % 2) print a[(NR+1)/2]; else print (a[NR/2]+a[NR/2+1])/2}'; }
declare -A s
for tool in "${tools[@]}"; do
  for mode in "${modes[@]}"; do
    s[$tool-$mode]=$(median "$work/$tool-$mode.times")
  done
done
echo "$lines lines, $runs alternating runs of each (median wall-clock seconds)"
printf '%-30s %8s %8s %8s\n' "" "file" "< file" "pipe"
row() { # label value...
  local label=$1
  shift
  printf '%-30s' "$label"
  printf ' %8s' "$@"
  printf '\n'
}
row "zelv-derarar --convert --csv" "${s[program-file]}" "${s[program-stdin]}" "${s[program-pipe]}"
row "bare loop (fgets, proj_trans)" "${s[loop-file]}" "${s[loop-stdin]}" "${s[loop-pipe]}"
row "cs2cs" "${s[cs2cs-file]}" "${s[cs2cs-stdin]}" "${s[cs2cs-pipe]}"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
ratios=()
for against in loop cs2cs; do
  ratios=()
  for mode in "${modes[@]}"; do
    ratios+=("$(ratio "${s[program-$mode]}" "${s[$against-$mode]}")")
  done
  row "ratio program / $against" "${ratios[@]}"
done

# Flat memory: a list ten times as long needs no more.
for ((i = 0; i < 10; i++)); do cat "$work/pairs.txt"; done >"$work/long.txt"
peak() { /usr/bin/time -f %M "$program" --convert --csv "$1" 2>&1 >/dev/null | tail -n 1; }
echo "peak resident memory: $(peak "$work/pairs.txt") kB for $lines lines, $(peak "$work/long.txt") kB for $((10 * lines))"
