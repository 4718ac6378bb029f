#!/usr/bin/env bash
# Installs every Debian package Tagmora needs to build, test and run, then
# configures and builds it in ./build. Safe to run again: it installs only what
# is missing and rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-tools-dev libgl-dev
  # tagmora-cli serve (the HTTP server's CMake package needs the WebSockets one)
  qt6-httpserver-dev qt6-websockets-dev
  # the translations: lrelease at build time, lupdate for scripts/update-translations.sh and its test
  qt6-l10n-tools
  googletest libgtest-dev libbenchmark-dev
  # libraries the program uses
  libjpeg-dev libemf2svg-dev libwmf-dev libfreexl-dev mdbtools-dev libquazip1-qt6-dev
  # print jobs sent to the CUPS scheduler directly, so that a refused job is told
  libcups2-dev
  # tests: barcode decoding, an independent barcode encoder as referee, PDF pages to images, fonts for rendering,
  # the generator of hostile data files
  libzxing-dev libzint-dev glabels-data poppler-utils fonts-dejavu-core fonts-liberation2 python3
  # fonts of Windows metafile text (libwmf maps faces to these)
  fonts-urw-base35
  # printing through a real spooler
  cups cups-client printer-driver-cups-pdf
  # running the windows without a display
  xvfb xauth
  # installing like a desktop program: checks of the install tree and the package
  desktop-file-utils appstream libxml2-utils shared-mime-info xdg-utils libfile-mimeinfo-perl man-db lintian dpkg-dev
  # compiling the help pages (qhelpgenerator)
  qt6-documentation-tools
  # the print history in PostgreSQL: the Qt driver, and a server for its tests (scripts/with-postgres.sh)
  libqt6sql6-sqlite libqt6sql6-psql postgresql
  # the end-to-end test through the accessibility bus
  dbus-daemon at-spi2-core python3-pyatspi python3-xlib
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

BUILD_TYPE="${TAGMORA_BUILD_TYPE:-RelWithDebInfo}"
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE"
fi
cmake --build build --parallel "$(nproc)"
