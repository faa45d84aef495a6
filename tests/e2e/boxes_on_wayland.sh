#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opens and closes boxes of the game's kinds on Mutter, GNOME's compositor, nested in a virtual X
# display, with Qt's frame thread slowed: a box that hides while a frame of it is being delivered
# makes the program abort (boxes_on_wayland.cpp says what is checked).
# Usage: boxes_on_wayland.sh PROGRAM SLOWING_LIBRARY ROUNDS
set -euo pipefail
program=$1
slowing=$2
rounds=$3

if [ -z "${DISPLAY:-}" ] || [ -z "${CRESTAVERDE_E2E_INSIDE:-}" ]; then
    exec env CRESTAVERDE_E2E_INSIDE=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
mkdir -m 700 "$XDG_RUNTIME_DIR"

size=$(xdotool getdisplaygeometry | tr ' ' x)
# In a sanitized build the slowing library comes before the sanitizer's runtime, which the
# sanitizer would otherwise refuse.
# Mutter runs the program once it is up and stops when the program ends.
dbus-run-session -- env MUTTER_DEBUG_DUMMY_MODE_SPECS="$size" \
    mutter --nested --wayland --no-x11 --wayland-display=crestaverde-boxes -- \
    env QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client LD_PRELOAD="$slowing" \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
    "$program" "$rounds" "$work/result" >"$work/mutter.log" 2>"$work/client.log" || true
if [ ! -f "$work/result" ]; then
    grep -a -v -E '^\[' "$work/client.log" | tail -n 20 >&2
    grep -a -E 'terminated|status' "$work/mutter.log" >&2 || true
    echo "FAIL: the boxes did not all close under Mutter" >&2
    exit 1
fi
echo "$rounds boxes opened and closed under Mutter, with the frame thread slowed"
