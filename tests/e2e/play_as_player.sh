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

# In a D-Bus session, as on a desktop. Without one, Qt's accessibility bridge has libdbus fork to
# launch a bus; in the sanitized build that child can hang for good in the sanitizer's allocator,
# locked by another thread at the fork, and the program waits for it before any window opens.
if [ -z "${DISPLAY:-}" ] || [ -z "${CRESTAVERDE_E2E_INSIDE:-}" ]; then
    exec env CRESTAVERDE_E2E_INSIDE=1 xvfb-run -a -s "-noreset -screen 0 1024x768x24" \
        dbus-run-session -- "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb  # a real X window, whatever the other tests use
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A Spanish keyboard has a key for ñ: typing it needs no key bound on the fly, which would race
# with the program reading the keyboard map. The server keeps the layout only because it does
# not reset when its last client leaves (-noreset above).
setxkbmap es
setxkbmap -query | grep -q '^layout: *es$' || fail "the Spanish layout did not take: $(setxkbmap -query)"
xkbcomp "$DISPLAY" - 2>/dev/null | grep -A3 'key <AC10>' | grep -q ntilde ||
    fail "no key for ñ in the keyboard map"
openbox >/dev/null 2>&1 &
wait_window_manager

copy_program() {  # folder
    mkdir -p "$1"
    cp "$source_folder"/crestaverde "$source_folder"/*.gif \
        "$source_folder"/*.jpg "$source_folder"/*.svg "$source_folder"/*.avi "$1"/
}

# The first two lines of a record.ini: the top name and score.
top_record() { head -n 2 "$1" | tr -d '\r' | paste -sd ' '; }

# --- A game from the menu to the record table ---
game="$work/game"
copy_program "$game"
"$game/crestaverde" &
pid=$!
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
enter_name "Peña"                       # the name for the record
wait_active "BIENVENIDO A CRESTAVERDE"
xdotool key Escape                      # quit
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Esc"
expected=$(printf 'Pe\xf1a\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$game/record.ini")
[ "$expected" = "$actual" ] || fail "record.ini holds:$actual"
echo "played a game, entered a record and quit with Esc (${SECONDS} s in)"

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
    # shellcheck disable=SC2046  # one key name a word
    xdotool key Left $(printf 'Up Return Down Return %.0s' $(seq 1 24))
    next_box; xdotool key Return        # No lo conseguistes
done
next_box
enter_name "Teclas"
wait_active "BIENVENIDO A CRESTAVERDE"
xdotool key Escape
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after a game with the keys"
top=$(top_record "$keys/record.ini")
[[ "$top" =~ ^Teclas\ [0-9]+$ ]] || fail "record.ini begins: $top"
echo "played a whole game with the keys alone: $top (${SECONDS} s in)"

# --- A whole game through the accessibility bus alone, in a D-Bus session of its own ---
reader="$work/reader"
copy_program "$reader"
dbus-run-session -- /usr/bin/python3 "$here/play_by_screen_reader.py" "$reader/crestaverde" Lector ||
    fail "the game through the accessibility bus"
echo "played a whole game through the accessibility bus: $(top_record "$reader/record.ini") (${SECONDS} s in)"

# --- A missing picture stops the program before any window opens ---
broken="$work/broken"
copy_program "$broken"
rm "$broken/atras.jpg"
"$broken/crestaverde" &
pid=$!
wait_active "CRESTAVERDE"
xdotool search --onlyvisible --name "^BIENVENIDO A CRESTAVERDE\$" >/dev/null && fail "the menu opened"
xdotool key Return
status=0
wait "$pid" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status with atras.jpg missing"
echo "a missing picture is reported and ends the program with status 1 (${SECONDS} s in)"
echo "4 passed, 0 failed"
