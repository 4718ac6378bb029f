#!/usr/bin/env bash
# Prints the same sheets with tagmora-cli and with gLabels 3.4's glabels-3-batch
# and compares them: wall time over several runs (hyperfine) and peak memory
# (/usr/bin/time). 3 x 6 labels per A4 sheet, each a text and an EAN-13 from a
# CSV (bench/print/sheet.plan and its twin bench/print/sheet.glabels). gLabels
# and hyperfine are installed on demand; nothing else needs them.
#   scripts/compare-glabels.sh [LABELS (10000)] [RUNS (3)]
set -euo pipefail
cd "$(dirname "$0")/.."
labels=${1:-10000}
runs=${2:-3}

need=()
command -v glabels-3-batch >/dev/null || need+=(glabels)
command -v hyperfine >/dev/null || need+=(hyperfine)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
fi
[ -x build/tagmora-cli ] || scripts/setup.sh

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
awk -v n="$labels" 'BEGIN { print "Name,Code"; for (i = 1; i <= n; i++) printf "Item %d,590123%06d\n", i, i }' \
  > "$tmp/rows.csv"
scripts/make-label-file.sh bench/print/sheet.plan bench/print/sheet.datasheet "$tmp/sheet.blf"
cp bench/print/sheet.glabels "$tmp/"

tagmora=(build/tagmora-cli print "$tmp/sheet.blf" --data "$tmp/rows.csv" -o "$tmp/tagmora.pdf")
glabels=(glabels-3-batch -C -i "$tmp/rows.csv" -o "$tmp/glabels.pdf" "$tmp/sheet.glabels")

echo "== $labels labels, $runs runs each"
hyperfine --runs "$runs" --style basic -n tagmora "${tagmora[*]}" -n glabels "${glabels[*]} >/dev/null"

echo "== peak memory (maximum resident set size)"
for name in tagmora glabels; do
  if [ "$name" = tagmora ]; then cmd=("${tagmora[@]}"); else cmd=("${glabels[@]}"); fi
  /usr/bin/time -f "$name: %M kB, %e s" "${cmd[@]}" >/dev/null 2>"$tmp/time.txt" || true
  tail -n 1 "$tmp/time.txt"
done
small=$((labels / 10))
awk -v n="$small" 'BEGIN { print "Name,Code"; for (i = 1; i <= n; i++) printf "Item %d,590123%06d\n", i, i }' \
  > "$tmp/small.csv"
/usr/bin/time -f "tagmora with $small labels: %M kB, %e s" \
  build/tagmora-cli print "$tmp/sheet.blf" --data "$tmp/small.csv" -o "$tmp/small.pdf" 2>&1 | tail -n 1

echo "== output"
for f in tagmora glabels; do
  printf '%s.pdf: %s pages, %s bytes\n' "$f" "$(pdfinfo "$tmp/$f.pdf" | awk '/^Pages:/ { print $2 }')" \
    "$(stat -c %s "$tmp/$f.pdf")"
done
