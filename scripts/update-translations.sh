#!/usr/bin/env bash
# Brings translations/tagmora_<language>.ts up to date with the texts of src/:
# new texts come in unfinished, texts no longer in the code go. The files carry
# no line numbers or paths, so moving code between files and folders leaves
# them as they are.
#
#   scripts/update-translations.sh            update the shipped files
#   scripts/update-translations.sh DIR        update the tagmora_*.ts found in DIR instead
#
# The texts of the Qt Designer forms (src/**/*.ui) are read too, in the
# context of the form's class.
#
# lupdate comes from $LUPDATE, else Qt's tool folder, else the PATH. Tr(context,
# text) of src/document/Tr.h is read like QCoreApplication::translate.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$root/translations}"

lupdate="${LUPDATE:-}"
if [ -z "$lupdate" ]; then
  bins="$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || true)"
  if [ -n "$bins" ] && [ -x "$bins/lupdate" ]; then
    lupdate="$bins/lupdate"
  else
    lupdate="$(command -v lupdate6 || command -v lupdate)"
  fi
fi

shopt -s nullglob
ts=("$dir"/tagmora_*.ts)
if [ ${#ts[@]} -eq 0 ]; then
  echo "update-translations: no tagmora_*.ts in $dir" >&2
  exit 1
fi
cd "$root"
"$lupdate" -silent -no-obsolete -locations none -tr-function-alias translate+=Tr \
  -extensions cpp,h,ui src -ts "${ts[@]}"
