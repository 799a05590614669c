#!/usr/bin/env bash
# Fuzzes the clipboard coordinate reader for a bounded time: builds the
# harness with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# (Debian's clang and libclang-rt-14-dev), starts from the seed corpus and
# exits non-zero on any finding.
#
# Usage: tests/fuzz/run-fuzz.sh [seconds]    (default 60)
# On a finding the work directory with the crashing input is kept and named.
set -euo pipefail

seconds="${1:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/zelv-fuzz.XXXXXX")"

CXX="${FUZZ_CXX:-clang++}"
"$CXX" -std=c++20 -g -O1 -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra \
  -I"$root/engine" \
  "$here/ClipboardReaderFuzz.cpp" \
  "$root/engine/RoutinenU.cpp" "$root/engine/CoordinateNotations.cpp" \
  "$root/engine/NumberText.cpp" "$root/engine/Windows1252.cpp" \
  -o "$work/clipboard-reader-fuzz"

# The fuzzer adds what it finds to its corpus directory: work on a copy.
mkdir "$work/corpus"
cp "$here"/corpus/* "$here"/corpus-notations/* "$work/corpus/"

status=0
"$work/clipboard-reader-fuzz" \
  -max_total_time="$seconds" -max_len=1024 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1 || status=$?

runs="$(sed -n 's/^Done \([0-9][0-9]*\) runs.*/\1/p' "$work/log" | tail -n 1)"
if [[ $status -ne 0 || -z "$runs" ]]; then
  tail -n 60 "$work/log" >&2
  echo "Fuzzing the clipboard reader FAILED (exit $status); input and log kept in $work" >&2
  exit 1
fi
tail -n 1 "$work/log"
echo "Fuzzing the clipboard reader: $runs inputs in $seconds s, no finding"
rm -rf "$work"
