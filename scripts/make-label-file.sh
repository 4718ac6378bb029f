#!/usr/bin/env bash
# Wraps a plan text and a datasheet stream, both plain text files, into a label
# file as they are (no normalisation): the header, zeros up to offset 513, and
# the two blocks after their lengths. Lines ending in LF get CR LF.
#   scripts/make-label-file.sh PLAN.txt DATASHEET.txt OUT.blf
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 PLAN.txt DATASHEET.txt OUT.blf" >&2; exit 2; }

crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1"; }
le32() {
  local n=$1
  printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((n & 255)) $(((n >> 8) & 255)) $(((n >> 16) & 255)) $(((n >> 24) & 255)))"
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
crlf "$1" > "$tmp/plan"
crlf "$2" > "$tmp/data"
{
  printf 'Tagmora Barcode Label File - (C) 2003 Tavix Software\r\nCreated by Tagmora 4.2\r\n'
} > "$tmp/header"
truncate -s 513 "$tmp/header"
{
  cat "$tmp/header"
  le32 "$(stat -c %s "$tmp/plan")"
  cat "$tmp/plan"
  le32 "$(stat -c %s "$tmp/data")"
  cat "$tmp/data"
} > "$3"
