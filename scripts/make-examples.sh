#!/usr/bin/env bash
# Rebuilds the label files in examples/ from their sources in examples/sources
# (plan text and datasheet stream): wraps them into a label file and saves that
# with tagmora-cli, so each example is exactly what the program writes.
set -euo pipefail
cd "$(dirname "$0")/.."
CLI=${TAGMORA_CLI:-build/tagmora-cli}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for plan in examples/sources/*.plan; do
  name=$(basename "$plan" .plan)
  data=examples/sources/$name.datasheet
  [ -f "$data" ] || data=/dev/null
  scripts/make-label-file.sh "$plan" "$data" "$tmp/$name.blf"
  TAGMORA_PRINTERS="" "$CLI" convert "$tmp/$name.blf" "examples/$name.blf"
  echo "examples/$name.blf"
done
