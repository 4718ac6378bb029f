#!/usr/bin/env bash
# The long random-input run: the monkey (tests/gui/monkey.py) on every
# example label and on a new one, once per seed.
#   scripts/monkey.sh [SEEDS] [EVENTS] [BUILD]
# SEEDS is a list ("1 2 3") or a range ("1-20", default 1-10); EVENTS are
# events per label and seed (default 5000); BUILD is the build folder
# (default build; build-sanitize for the sanitizer build). Prints each
# failing seed with its replay command and ends with the totals.
set -u
cd "$(dirname "$0")/.."
seeds=${1:-1-10}
events=${2:-5000}
build=${3:-build}
if [[ $seeds =~ ^([0-9]+)-([0-9]+)$ ]]; then
  seeds=$(seq "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}")
fi
[ -x "$build/tagmora" ] && [ -x "$build/tagmora-cli" ] || { echo "no program in $build: build it first"; exit 2; }
# The sanitizer build stops at the first fault and names it.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
labels=()
for f in examples/*.blf; do labels+=(--label "$f"); done
labels+=(--label new)
passed=0 failed=0 total=0
for seed in $seeds; do
  out=$(tests/gui/monkey.sh "$build/tagmora" "$build/tagmora-cli" --seed "$seed" --events "$events" "${labels[@]}")
  status=$?
  echo "$out" | grep -v "passed, .* failed$"
  [ $status -eq 77 ] && { echo "$out"; exit 77; }
  p=$(echo "$out" | sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1/p')
  f=$(echo "$out" | sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\2/p')
  passed=$((passed + ${p:-0}))
  failed=$((failed + ${f:-1}))
  total=$((total + events * (${p:-0} + ${f:-1})))
done
echo "monkey: $total events over seeds $(echo $seeds | tr '\n' ' ')"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
