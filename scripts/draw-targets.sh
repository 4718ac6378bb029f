#!/usr/bin/env bash
# Draws the program's libraries and programs and what each links
# (cmake --graphviz) into doc/targets.dot and, with graphviz' dot, into
# doc/targets.svg. Configures into a scratch folder; nothing is built.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Only the project's own targets: no tests, benchmarks or outside libraries.
cat > "$tmp/CMakeGraphVizOptions.cmake" <<'OPTIONS'
set(GRAPHVIZ_GRAPH_NAME "Tagmora")
set(GRAPHVIZ_EXTERNAL_LIBS OFF)
set(GRAPHVIZ_GENERATE_PER_TARGET OFF)
set(GRAPHVIZ_GENERATE_DEPENDERS OFF)
set(GRAPHVIZ_CUSTOM_TARGETS OFF)
OPTIONS
cmake -S . -B "$tmp" -G Ninja -DTAGMORA_BUILD_TESTS=OFF -DTAGMORA_BUILD_BENCH=OFF \
  --graphviz="$tmp/targets.dot" > /dev/null
# The file names the scratch folder nowhere, so the drawing is the same on
# every machine.
cp "$tmp/targets.dot" doc/targets.dot
if command -v dot > /dev/null; then
  dot -Tsvg doc/targets.dot -o doc/targets.svg
else
  echo "graphviz (dot) is not installed: doc/targets.svg is not redrawn" >&2
fi
