#!/usr/bin/env bash
# Draws the program's icon (a globe with a graticule and a red place marker)
# with ImageMagick; the PNGs are committed, so the build needs no ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 256x256 xc:none \
  -fill '#2a6fdb' -stroke '#0b3d91' -strokewidth 8 -draw 'circle 128,128 128,14' \
  -fill none -stroke '#cfe3ff' -strokewidth 5 \
  -draw 'ellipse 128,128 56,112 0,360' -draw 'line 128,18 128,238' \
  -draw 'line 20,128 236,128' -draw 'ellipse 128,128 112,42 180,360' -draw 'ellipse 128,128 112,42 0,180' \
  -fill '#d62828' -stroke '#7a0f0f' -strokewidth 6 \
  -draw 'path "M 176,60 C 146,60 136,84 146,104 L 176,156 L 206,104 C 216,84 206,60 176,60 Z"' \
  -fill white -stroke none -draw 'circle 176,88 176,76' \
  PNG32:zelv-derarar-256.png
# 8 bits a channel: half the decoding time of 16, and no visible difference.
convert zelv-derarar-256.png -resize 48x48 PNG32:zelv-derarar-48.png
# The Windows build's icon resource "MAINICON".
convert zelv-derarar-256.png -define icon:auto-resize=256,48,32,16 zelv-derarar.ico
