#!/usr/bin/env bash
# Runs e2e_atspi.py on a virtual display with its own session and
# accessibility bus: e2e_atspi.sh GUI CLI SCRIPT. Exits 77 (skipped) when a
# tool is missing.
exec "$(dirname "$0")/atspi-session.sh" "$3" "$1" "$2"
