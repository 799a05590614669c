#!/usr/bin/env bash
# Builds the fuzz harnesses with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (Debian's clang and libclang-rt-14-dev) in
# build/fuzz and runs each for its bounded time (tests/fuzz/CMakeLists.txt)
# from its seed corpus; exits non-zero on any finding.
#
# Usage: tests/fuzz/run-fuzz.sh    (ZELV_FUZZ_SECONDS=N: N seconds each)
set -euo pipefail
cd "$(dirname "$0")/../.."

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" -DZELV_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target fuzzers
# One at a time, so that each harness has the machine for its bounded time;
# the verbose output shows each harness's input count.
ctest --test-dir "$build" -L fuzz --verbose
