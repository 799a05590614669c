#!/usr/bin/env bash
# Copies the picture of the window that the build draws for the user guide
# (docs/GuidePictures.cpp) over the README's docs/screenshot.png.  Run it
# after changing the window: the window tests fail while the two differ.
#
#   bash scripts/update-screenshot.sh [BUILD-FOLDER]    (default build/test)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
cmake --build "$build" --target zelv_user_guide
cp "$build/docs/bilder/fenster.png" docs/screenshot.png
echo "docs/screenshot.png updated from $build/docs/bilder/fenster.png"
