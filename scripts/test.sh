#!/usr/bin/env bash
# Installs what is missing, builds and runs every test; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test
ctest --test-dir build/test --output-on-failure
