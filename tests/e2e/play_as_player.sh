#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program on a virtual X display with a window manager and plays it with the
# keyboard, as a player would: the menu, help and about, a game, abandon, a name for the record, Esc to quit.
# Then checks the exit status and the bytes of record.ini. Then a whole game with the keys alone,
# cards included, and one through the accessibility bus alone. Also checks that a missing picture
# stops the program before any window opens, with status 1.
# Usage: play_as_player.sh PROGRAM_FOLDER
set -euo pipefail
source_folder=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=journey.sh
. "$here/journey.sh"

if [ -z "${DISPLAY:-}" ] || [ -z "${CRESTAVERDE_E2E_INSIDE:-}" ]; then
    exec env CRESTAVERDE_E2E_INSIDE=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb  # a real X window, whatever the other tests use
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
# A Spanish keyboard has a key for ñ: typing it needs no key remapped on the fly, which races
# with the program reading the keyboard map.
setxkbmap es
openbox >/dev/null 2>&1 &
sleep 1

copy_program() {  # folder
    mkdir -p "$1"
    cp "$source_folder"/crestaverde "$source_folder"/*.gif \
        "$source_folder"/*.jpg "$source_folder"/*.svg "$source_folder"/*.avi "$1"/
}

wait_window() {  # title: waits until a visible window has exactly this title
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null
}

active_title() { xdotool getactivewindow getwindowname 2>/dev/null || true; }

wait_active() {  # title
    for _ in $(seq 1 200); do
        [ "$(active_title)" = "$1" ] && return 0
        sleep 0.05
    done
    echo "expected the active window '$1', found '$(active_title)'" >&2
    return 1
}

# Waits for a box of the game: an active window with the game's title, smaller than the board.
wait_box() {
    for _ in $(seq 1 400); do
        if [ "$(active_title)" = "CRESTAVERDE" ]; then
            local width
            width=$(xdotool getactivewindow getwindowgeometry --shell 2>/dev/null | sed -n 's/^WIDTH=//p' || true)
            [ "${width:-9999}" -lt 700 ] && return 0
        fi
        sleep 0.05
    done
    echo "no box came up; the active window is '$(active_title)'" >&2
    return 1
}

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits until the active window is a box of the game other than the last one it waited for, as
# boxes of one title follow each other; with "board", until the board is active again.
last_box=
next_box() {
    for _ in $(seq 1 400); do
        local id width
        id=$(xdotool getactivewindow 2>/dev/null || true)
        width=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p' || true)
        if [ "$id" != "$last_box" ] && [ -n "$width" ] && [ "$(active_title)" != "BIENVENIDO A CRESTAVERDE" ]; then
            [ "${1:-}" = board ] && [ "$width" -ge 700 ] && return 0
            [ -z "${1:-}" ] && [ "$width" -lt 700 ] && last_box=$id && return 0
        fi
        sleep 0.05
    done
    fail "no ${1:-box} came up; the active window is '$(active_title)'"
}

# The first two lines of a record.ini: the top name and score.
top_record() { head -n 2 "$1" | tr -d '\r' | paste -sd ' '; }

# --- A game from the menu to the record table ---
game="$work/game"
copy_program "$game"
"$game/crestaverde" &
pid=$!
wait_window "BIENVENIDO A CRESTAVERDE"
wait_active "BIENVENIDO A CRESTAVERDE"
xdotool key alt+u                       # Ayuda...
wait_active "Ayuda"
xdotool key alt+F4                      # the window's close command
wait_active "BIENVENIDO A CRESTAVERDE"
xdotool key alt+a                       # Acerca de...
wait_active "Acerca de CRESTAVERDE"
xdotool key Escape
wait_active "BIENVENIDO A CRESTAVERDE"
play_and_abandon
wait_box
xdotool key ctrl+a BackSpace
xdotool type --delay 50 "Peña"
xdotool key Return                      # the name for the record
wait_active "BIENVENIDO A CRESTAVERDE"
xdotool key Escape                      # quit
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Esc"
expected=$(printf 'Pe\xf1a\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$game/record.ini")
[ "$expected" = "$actual" ] || fail "record.ini holds:$actual"
echo "played a game, entered a record and quit with Esc"

# --- A whole game with the keys alone. Each round shows the highlight on the face-up card, then
# 24 times tries the nearest card above it (Enter plays it if it fits and the highlight follows it
# down) and draws; the 24th draw ends the round. ---
keys="$work/keys"
copy_program "$keys"
"$keys/crestaverde" &
pid=$!
wait_active "BIENVENIDO A CRESTAVERDE"
xdotool key Return                      # Jugar
for _ in 1 2; do
    next_box; xdotool key Return        # NIVEL 1
    next_box; xdotool key Return        # Empieza
    next_box board
    xdotool key Left
    for _ in $(seq 1 24); do xdotool key Up Return Down Return; done
    next_box; xdotool key Return        # No lo conseguistes
done
next_box
xdotool key ctrl+a BackSpace
xdotool type --delay 50 "Teclas"
xdotool key Return
wait_active "BIENVENIDO A CRESTAVERDE"
xdotool key Escape
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after a game with the keys"
top=$(top_record "$keys/record.ini")
[[ "$top" =~ ^Teclas\ [0-9]+$ ]] || fail "record.ini begins: $top"
echo "played a whole game with the keys alone: $top"

# --- A whole game through the accessibility bus alone, in a D-Bus session of its own ---
reader="$work/reader"
copy_program "$reader"
dbus-run-session -- /usr/bin/python3 "$here/play_by_screen_reader.py" "$reader/crestaverde" Lector ||
    fail "the game through the accessibility bus"
echo "played a whole game through the accessibility bus: $(top_record "$reader/record.ini")"

# --- A missing picture stops the program before any window opens ---
broken="$work/broken"
copy_program "$broken"
rm "$broken/atras.jpg"
"$broken/crestaverde" &
pid=$!
wait_window "CRESTAVERDE"
xdotool search --onlyvisible --name "^BIENVENIDO A CRESTAVERDE\$" >/dev/null && fail "the menu opened"
xdotool key Return
status=0
wait "$pid" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status with atras.jpg missing"
echo "a missing picture is reported and ends the program with status 1"
echo "4 passed, 0 failed"
