#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer in
# ./build-sanitize and runs every test there (arguments go to ctest, e.g.
# -R Picture), then, without arguments, the monkey over more seeds. Run
# scripts/setup.sh once first for the packages.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-sanitize/CMakeCache.txt ]; then
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAGMORA_SANITIZE=ON -DTAGMORA_BUILD_BENCH=OFF
fi
cmake --build build-sanitize --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
# Leaks of Qt's and the font libraries' process-lifetime caches are not ours.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)" "$@"
# The suite's monkey (MainWindow.Monkey) ran above; a longer one over more
# seeds on the sanitizer build follows (TAGMORA_MONKEY_SEEDS, e.g. "1-20";
# "none" skips it).
seeds=${TAGMORA_MONKEY_SEEDS:-2-3}
if [ "$#" -eq 0 ] && [ "$seeds" != none ]; then
  scripts/monkey.sh "$seeds" "${TAGMORA_MONKEY_EVENTS:-2000}" build-sanitize
fi
