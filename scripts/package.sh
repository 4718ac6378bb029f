#!/usr/bin/env bash
# Builds the Debian package build/tagmora_<version>_<arch>.deb from a release
# build (scripts/setup.sh installs what it needs). Install it with
#   sudo apt install ./build/tagmora_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build --parallel "$(nproc)" --target tagmora tagmora-cli tagmora_man
(cd build && cpack -G DEB)
ls build/tagmora_*.deb
