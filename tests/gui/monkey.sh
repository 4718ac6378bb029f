#!/usr/bin/env bash
# Runs monkey.py (random input for the real program) on a virtual display
# with its own session and accessibility bus:
#   monkey.sh GUI CLI [--seed N] [--events N] [--label FILE|new ...]
# Exits 77 (skipped) when a tool is missing.
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/atspi-session.sh" "$here/monkey.py" "$@"
