#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ in ./build-fuzz (clang with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs them at low
# priority, one after the other.
#   scripts/fuzz.sh TARGET|all [SECONDS] [libFuzzer options...]
# TARGET: plan_text label_file datasheet_stream delimited_text xls xlsx ods mdb
# picture serve_request. Each runs SECONDS (default 600) on its corpus build-fuzz/corpus/TARGET,
# seeded from the examples, the test fixtures and fuzz/make-seeds.py. A run
# goes on after a finding; inputs that crash, leak, run out of memory or hang
# land in build-fuzz/findings/TARGET (slow ones as slow-unit-*), the log in
# build-fuzz/logs/TARGET.log; the exit status is 1 when anything was found.
set -euo pipefail
cd "$(dirname "$0")/.."
ALL=(plan_text label_file datasheet_stream delimited_text xls xlsx ods mdb picture serve_request)
[ $# -ge 1 ] || { echo "usage: $0 TARGET|all [SECONDS] [libFuzzer options...]  (targets: ${ALL[*]})" >&2; exit 2; }
target=$1
seconds=${2:-600}
shift $(( $# >= 2 ? 2 : 1 ))
if [ "$target" = all ]; then targets=("${ALL[@]}"); else targets=("$target"); fi
for t in "${targets[@]}"; do
  [[ " ${ALL[*]} " == *" $t "* ]] || { echo "$0: no fuzz target $t (targets: ${ALL[*]})" >&2; exit 2; }
done

B=build-fuzz
if [ ! -f $B/CMakeCache.txt ]; then
  command -v clang++ >/dev/null && [ -n "$(find /usr/lib/llvm-*/lib/clang -name 'libclang_rt.fuzzer-x86_64.a' 2>/dev/null)" ] ||
    { echo "$0: needs clang and libFuzzer (apt-get install clang libclang-rt-14-dev)" >&2; exit 2; }
  CC=clang CXX=clang++ cmake -S . -B $B -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAGMORA_FUZZ=ON \
    -DTAGMORA_BUILD_TESTS=OFF -DTAGMORA_BUILD_BENCH=OFF
fi
nice -n 19 cmake --build $B --target "${targets[@]/#/fuzz_}"
fixtures=$(sed -n 's/^TAGMORA_FIXTURES_DIR:[A-Z]*=//p' $B/CMakeCache.txt)

# The seeds of each target (copied into its corpus, which keeps what runs add).
seed() {
  local t=$1 corpus=$B/corpus/$1
  mkdir -p "$corpus"
  case $t in
    plan_text) cp examples/sources/*.plan "$corpus/" ;;
    label_file) cp examples/*.blf "$corpus/" ;;
    datasheet_stream) cp examples/sources/*.datasheet "$corpus/" ;;
    delimited_text) cp "$fixtures"/import/text/*.csv "$fixtures"/import/text/*.txt "$corpus/" 2>/dev/null || true ;;
    xls) cp "$fixtures"/import/xls/*.xls "$corpus/" 2>/dev/null || true ;;
    mdb) cp "$fixtures"/import/mdb/*.mdb "$corpus/" 2>/dev/null || true ;;
    xlsx | ods | picture) python3 fuzz/make-seeds.py $B/corpus ;;
    serve_request)
      # The first byte picks the reader: 0 framing, 1 CSV rows, 2 JSON rows.
      printf '\0\7POST /print HTTP/1.1\r\nContent-Length: 4\r\n\r\n{}{}GET /health HTTP/1.1\r\n\r\n' > "$corpus/framing"
      printf '\1\0Name,City\r\n"A, B",C\r\n"x""y",\r\n' > "$corpus/csv"
      printf '\2\0[{"Name":"A","N":1,"B":true},{"City":"C"}]' > "$corpus/json" ;;
  esac
}

export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='*=false'
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
# The font library's caches live as long as the process; every other leak is a finding.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}
status=0
for t in "${targets[@]}"; do
  seed "$t"
  mkdir -p $B/findings/$t $B/logs
  dict=()
  case $t in plan_text | label_file) dict=(-dict=fuzz/plan_text.dict) ;; esac
  log=$B/logs/$t.log
  # One worker process that goes on after a finding, so every target runs
  # its full time; what it finds is kept in findings/TARGET.
  start=$SECONDS
  touch $B/logs/$t.start
  set +e
  nice -n 19 $B/fuzz/fuzz_$t $B/corpus/$t "${dict[@]}" -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=3072 -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -artifact_prefix=$B/findings/$t/ "$@" > "$log" 2>&1
  rc=$?
  set -e
  runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
  found=$(find $B/findings/$t -type f -newer $B/logs/$t.start ! -name 'slow-unit-*' | wc -l)
  slow=$(find $B/findings/$t -type f -newer $B/logs/$t.start -name 'slow-unit-*' | wc -l)
  echo "$t: $((SECONDS - start)) s, ${runs:-?} runs, corpus $(ls $B/corpus/$t | wc -l)," \
    "findings $found, slow inputs $slow (exit $rc, log $log)"
  [ "$rc" -eq 0 ] && [ "$found" -eq 0 ] || status=1
done
exit $status
