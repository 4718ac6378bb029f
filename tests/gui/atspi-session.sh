#!/usr/bin/env bash
# Runs a Python script on a virtual display with its own session and
# accessibility bus (the scripts that drive the program as a user would):
#   atspi-session.sh SCRIPT ARGS...
# Exits 77 (skipped) when a tool is missing.
set -u
skip() { echo "skipped: $1"; exit 77; }
command -v xvfb-run >/dev/null || skip "xvfb-run missing (package xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session missing (package dbus-daemon)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi-bus-launcher missing (package at-spi2-core)"
# Debian's own Python carries python3-pyatspi (a python3 earlier on PATH may not).
py=/usr/bin/python3
[ -x "$py" ] || py=python3
"$py" -c "import pyatspi" 2>/dev/null || skip "pyatspi missing (package python3-pyatspi)"
"$py" -c "import Xlib.ext.xtest" 2>/dev/null || skip "python-xlib missing (package python3-xlib)"
script=$1
shift
# The session bus starts inside the display, so the accessibility registry
# it launches can synthesise mouse events there. A display number of its
# own: runs started at the same moment do not race for one.
exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24" dbus-run-session -- "$py" "$script" "$@" \
  2> >(grep -v -e "dbus-daemon" -e "SpiRegistry" -e "XDG_RUNTIME_DIR" >&2)
