#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program's start where it can go wrong. With no display to open (none named, a display
# with nothing there, a platform Qt does not have, and a start only Qt itself sees fail) it says
# so in Spanish on standard error and ends with status 1, never an abort. And Qt looks for its
# plugins in its own folder alone, never in the program's, both while it starts and afterwards.
# Usage: start_up.sh PROGRAM
set -euo pipefail
program=$(readlink -f "$1")
folder=$(dirname "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
passed=0

# A display number that no X server on this machine has.
free_display=60000
while [ -e "/tmp/.X11-unix/X$free_display" ]; do free_display=$((free_display + 1)); done

no_window() {  # what stderr must hold, then the environment and the arguments
    local expected=$1 status=0
    shift
    (cd "$work" && ulimit -c unlimited &&
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "$@" \
            >"$work/out" 2>"$work/err") || status=$?
    [ "$status" -eq 1 ] || fail "status $status for $*: $(cat "$work/err")"
    grep -qF "$expected" "$work/err" || fail "no '$expected' for $*: $(cat "$work/err")"
    grep -qF "crestaverde: no se puede abrir ninguna ventana" "$work/err" ||
        fail "no Spanish message for $*"
    ! ls "$work" | grep -q '^core' || fail "a core file for $*"
    passed=$((passed + 1))
}
no_window "DISPLAY está vacía" "$program"
no_window "«:$free_display»" DISPLAY=":$free_display" "$program"
no_window "«nonesuch»" "$program" -platform nonesuch
no_window "«nonesuch»" QT_QPA_PLATFORM=nonesuch "$program"
# Qt alone looks into a plugin folder of the player's own: it finds nothing there and fails.
no_window "Qt no ha podido iniciar" QT_QPA_PLATFORM_PLUGIN_PATH="$work" "$program" -platform nonesuch
echo "no display, no such display and no such platform end with a message and status 1"

# Qt names every folder it searches for plugins. The program runs offscreen until it has loaded
# the picture decoders, which come after the QApplication is built.
QT_DEBUG_PLUGINS=1 QT_QPA_PLATFORM=offscreen "$program" 2>"$work/plugins" &
pid=$!
for _ in $(seq 1 600); do
    grep -q 'imageformats/libqjpeg.so" loaded library' "$work/plugins" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
grep -q 'imageformats/libqjpeg.so" loaded library' "$work/plugins" ||
    fail "the picture decoders never loaded: $(tail -5 "$work/plugins")"
grep -q 'checking directory path ".*/platforms"' "$work/plugins" || fail "no search for platforms"
! grep -F "checking directory path \"$folder" "$work/plugins" || fail "Qt searched the program's folder"
passed=$((passed + 1))
echo "Qt looks for plugins in its own folder alone"
echo "$passed passed, 0 failed"
