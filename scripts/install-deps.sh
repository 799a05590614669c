#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (as root).
# Does nothing when everything is there already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  libproj-dev proj-data
  libgeographiclib-dev geographiclib-tools
  libgtest-dev libbenchmark-dev
  libxml2-dev libxml2-utils
  cmark-gfm
  clang libclang-rt-14-dev
  fonts-dejavu-core xvfb xauth libx11-dev
  dbus-x11 at-spi2-core python3-pyatspi
  python3
  locales
  gpsbabel gdal-bin
  dpkg-dev file lintian
  appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The suite runs a second time under German settings; the list tests read
# our KML and GPX with gpsbabel and ogrinfo in that locale too.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8"
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
