#!/usr/bin/env bash
# Installs what is missing, builds and runs every test; exits non-zero on any failure.
#   1. the test suite (CTest), once as it is and once under German settings
#      (LANG and LC_ALL de_DE.UTF-8), window tests included
#   2. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
#      then the window soak in that build for about a minute
#   3. the fuzz harnesses, each for its bounded time
#   4. the Debian package: lintian, then the unpacked program started and closed
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Test suite"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test
ctest --test-dir build/test --output-on-failure -j "$jobs"

# Nothing the program writes may depend on the locale: the same suite again
# as a German user's desktop starts it.
echo "== Test suite under German settings"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== Test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELV_SANITIZE=ON
cmake --build build/asan
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"
echo "AddressSanitizer and UndefinedBehaviorSanitizer: no reports"

# The seeded random soak of the real window, about a minute, with a fresh
# seed that it prints (ZELV_SOAK_SEED and ZELV_SOAK_SECONDS override).
echo "== Window soak under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  build/asan/tests/window_soak

echo "== Fuzzing: the clipboard reader, the settings file, the number texts"
bash tests/fuzz/run-fuzz.sh

echo "== Debian package"
bash tests/package/test-package.sh
