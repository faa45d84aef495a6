#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program as a native Wayland client under Weston and under Mutter, each nested in
# a virtual X display with a D-Bus session of its own, and minimises the board during play
# (minimise_on_wayland.py says what is checked).
# Usage: minimise_on_wayland.sh PROGRAM_FOLDER DESKTOP_ID
set -euo pipefail
source_folder=$1
desktop_id=$2
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DISPLAY:-}" ] || [ -z "${CRESTAVERDE_E2E_INSIDE:-}" ]; then
    exec env CRESTAVERDE_E2E_INSIDE=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
mkdir -m 700 "$XDG_RUNTIME_DIR"

game=$work/game
mkdir "$game"
cp "$source_folder"/crestaverde "$source_folder"/*.gif \
    "$source_folder"/*.jpg "$source_folder"/*.svg "$source_folder"/*.avi "$game"/

fail() { echo "FAIL: $*" >&2; exit 1; }

# Each compositor's output fills the X display, so both draw their windows from its top left.
size=$(xdotool getdisplaygeometry | tr ' ' x)
player=("$here/minimise_on_wayland.py" "$game/crestaverde" "$desktop_id")

# --- Weston: the panel at the bottom, so that the board's title bar is at the top; no locking ---
cat >"$work/weston.ini" <<EOF
[shell]
panel-position=bottom
locking=false
animation=none
close-animation=none
startup-animation=none
focus-animation=none
[input-method]
path=
EOF
weston --backend=x11-backend.so --use-pixman --width="${size%x*}" --height="${size#*x}" \
    --socket=crestaverde-weston --idle-time=0 --config="$work/weston.ini" >"$work/weston.log" 2>&1 &
started+=($!)
for _ in $(seq 1 600); do
    [ -S "$XDG_RUNTIME_DIR/crestaverde-weston" ] && break
    kill -0 "${started[-1]}" 2>/dev/null || { cat "$work/weston.log" >&2; fail "Weston did not start"; }
    sleep 0.05
done
# Weston's own keys bring a minimised window back: Super+Tab.
WAYLAND_DISPLAY=crestaverde-weston dbus-run-session -- /usr/bin/python3 "${player[@]}" \
    "$work/weston-client.log" "$work/weston.result" button:super+Tab:0 ||
    { tail -n 20 "$work/weston-client.log" >&2; fail "under Weston"; }
[ -f "$work/weston.result" ] || fail "under Weston: no result"
kill "${started[-1]}"
wait "${started[-1]}" 2>/dev/null || true
echo "under Weston: minimised with the title bar's button and brought back"

# --- Mutter, GNOME's compositor: its own key first, then the title bar's button ---
# Mutter runs the player once it is up and stops when the player ends.
dbus-run-session -- env MUTTER_DEBUG_DUMMY_MODE_SPECS="$size" \
    mutter --nested --wayland --no-x11 --wayland-display=crestaverde-mutter -- \
    /usr/bin/python3 "${player[@]}" "$work/mutter-client.log" "$work/mutter.result" \
    super+h:alt+Tab:0 button:alt+Tab:6 >"$work/mutter.log" 2>&1 || true
grep -v -E 'WARNING|Message|^$|dbus-daemon|Window manager warning' "$work/mutter.log" || true
[ -f "$work/mutter.result" ] || { tail -n 20 "$work/mutter-client.log" >&2; fail "under Mutter"; }
echo "under Mutter: minimised with its key and with the title bar's button, and brought back"
echo "2 passed, 0 failed"
