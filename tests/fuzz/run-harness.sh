#!/usr/bin/env bash
# Runs one fuzz harness for a bounded time from a copy of its seed corpus and
# exits non-zero on a finding, keeping the crashing input and the log.
#
# Usage: run-harness.sh HARNESS CORPUS SECONDS MAX_LEN
# ZELV_FUZZ_SECONDS, when set, replaces SECONDS.
set -euo pipefail

harness="$1"
corpus="$2"
seconds="${ZELV_FUZZ_SECONDS:-$3}"
max_len="$4"
name="$(basename "$harness")"
work="$(mktemp -d "${TMPDIR:-/tmp}/zelv-$name.XXXXXX")"

# The fuzzer adds what it finds to its corpus directory: work on a copy.
mkdir "$work/corpus"
cp "$corpus"/* "$work/corpus/"

status=0
"$harness" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1 || status=$?

runs="$(sed -n 's/^Done \([0-9][0-9]*\) runs.*/\1/p' "$work/log" | tail -n 1)"
if [[ $status -ne 0 || -z "$runs" ]]; then
  tail -n 60 "$work/log" >&2
  echo "$name FAILED (exit $status); input and log kept in $work" >&2
  exit 1
fi
tail -n 1 "$work/log"
echo "$name: $runs inputs in $seconds s, no finding"
rm -rf "$work"
