#!/usr/bin/env bash
# Runs every test of a build made by scripts/setup.sh, with a throwaway
# PostgreSQL server (scripts/with-postgres.sh) for the print history tests.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
exec scripts/with-postgres.sh ctest --test-dir build --output-on-failure --parallel "$(nproc)" "$@"
