#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program saving scores while something else holds the table's lock, and on a table two
# accounts share. Two copies finish games while a third process holds the lock: each shows its
# menu again at once, and both rows reach the file once the lock comes free. A copy that quits
# meanwhile waits for the lock and then saves; told to stop waiting, it says the score is lost.
# As root, a player and root share one table beside another account's unreadable lock file, and
# each keeps the other's row. Every box is read (copied to the clipboard, as Qt's boxes allow)
# before it is answered.
# Usage: shared_table.sh PROGRAM_FOLDER
set -euo pipefail
source_folder=$(readlink -f "$1")

if [ -z "${DISPLAY:-}" ] || [ -z "${CRESTAVERDE_E2E_INSIDE:-}" ]; then
    # -ac: the player's copy, of another account, may use the display too.
    exec env CRESTAVERDE_E2E_INSIDE=1 xvfb-run -a -s "-ac -screen 0 1024x768x24" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
chmod 755 "$work"
player=
cleanup() {
    kill $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
    [ -z "$player" ] || userdel "$player" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
passed=0
pass() { echo "$*"; passed=$((passed + 1)); }

until_true() {  # seconds, command...: polls the command until it succeeds
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.05
    done
}

openbox >/dev/null 2>&1 &
until_true 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "no window manager"

copy_program() {  # folder
    mkdir -p "$1"
    cp "$source_folder"/crestaverde "$source_folder"/libcrestaverde_clip.so "$source_folder"/*.gif \
        "$source_folder"/*.jpg "$source_folder"/*.svg "$source_folder"/*.avi "$1"/
}

lock_held() { ! flock -n "$1" true; }

hold_lock() {  # folder: another process takes the table's lock and keeps it until killed
    flock --no-fork "$1" sleep 600 &
    locker=$!
    until_true 20 lock_held "$1" || fail "the lock was not taken"
}

free_lock() {
    kill "$locker"
    wait "$locker" 2>/dev/null || true
}

# The game's visible windows by their process.
window_of() {  # pid, title
    xdotool search --pid "$1" --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1
}
narrow_window_of() {  # pid: a box of the game, narrower than the board
    local id width
    for id in $(xdotool search --pid "$1" --onlyvisible --name '^CRESTAVERDE$' 2>/dev/null); do
        width=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')
        [ "${width:-9999}" -lt 700 ] && echo "$id" && return 0
    done
    return 1
}

# What the window copies to the clipboard for keys (a message box copies its title, text and
# buttons for Ctrl+C).
copied() {  # window, keys...
    local window=$1
    shift
    printf '' | xclip -selection clipboard
    xdotool windowactivate --sync "$window" key --clearmodifiers "$@" 2>/dev/null || return 1
    for _ in $(seq 1 20); do
        local text
        text=$(xclip -o -selection clipboard 2>/dev/null || true)
        [ -n "$text" ] && printf '%s' "$text" && return 0
        sleep 0.05
    done
    return 1
}

box_says() {  # pid, text: a box of the game shows the text
    local box
    box=$(narrow_window_of "$1") || return 1
    copied "$box" ctrl+c | grep -qF "$2" || return 1
    echo "$box"
}

answer() {  # pid, text, keys: waits for the box that says the text, then presses the keys
    local pid=$1 text=$2 box
    shift 2
    until_true 30 box_says "$pid" "$text" >/dev/null || fail "no box saying '$text' from $pid"
    box=$(box_says "$pid" "$text") || fail "the box saying '$text' went away"
    xdotool windowactivate --sync "$box" key --clearmodifiers "$@"
}

name_box() {  # pid: the name box is up, its field prefilled
    local box
    box=$(narrow_window_of "$1") || return 1
    [ "$(copied "$box" ctrl+a ctrl+c)" = "Introduzca su nombre" ] || return 1
    echo "$box"
}

menu_back() {  # pid: the menu is the active window again
    local menu
    menu=$(window_of "$1" "BIENVENIDO A CRESTAVERDE") && [ -n "$menu" ] &&
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$menu" ]
}

# From the menu: a game abandoned at once, its score of 0 entered under the name.
play_and_enter() {  # pid, name
    local pid=$1 menu board box
    until_true 30 menu_back "$pid" || fail "no menu from $pid"
    menu=$(window_of "$pid" "BIENVENIDO A CRESTAVERDE")
    xdotool windowactivate --sync "$menu" key Return
    answer "$pid" "NIVEL 1" Return
    answer "$pid" "Empieza" Return
    until_true 30 sh -c "xdotool search --pid $pid --onlyvisible --name '^CRESTAVERDE\$' | grep -qx \"\$(xdotool getactivewindow)\"" ||
        fail "the board of $pid never came back"
    board=$(xdotool getactivewindow)
    xdotool windowactivate --sync "$board" key --clearmodifiers alt+a
    answer "$pid" "¿Desea abandonar la partida?" Return
    until_true 30 name_box "$pid" >/dev/null || fail "no name box from $pid"
    box=$(name_box "$pid")
    xdotool windowactivate --sync "$box" key --clearmodifiers ctrl+a BackSpace
    xdotool type --delay 50 "$2"
    xdotool key Return
    until_true 30 menu_back "$pid" || fail "no menu from $pid after the name"
}

quit() {  # pid: Esc on the menu, and the program ends with status 0
    local status=0
    xdotool windowactivate --sync "$(window_of "$1" "BIENVENIDO A CRESTAVERDE")" key Escape
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
}

names() { tr -d '\r' <"$1" | sed -n '1p;3p;5p;7p;9p' | grep -v '^$' | sort | paste -sd ' '; }

# --- Two copies finish games while another process holds the lock ---
shared="$work/shared"
copy_program "$shared"
hold_lock "$shared"
"$shared/crestaverde" &
ana=$!
"$shared/crestaverde" &
bea=$!
play_and_enter "$ana" Ana
play_and_enter "$bea" Bea
[ ! -e "$shared/record.ini" ] || fail "a save went past the lock"
kill -0 "$ana" && kill -0 "$bea" || fail "a copy ended"
free_lock
until_true 30 sh -c "[ \"\$(tr -d '\r' <'$shared/record.ini' 2>/dev/null | sed -n '1p;3p' | sort | paste -sd ' ')\" = 'Ana Bea' ]" ||
    fail "record.ini holds: $(cat -A "$shared/record.ini" 2>/dev/null)"
quit "$ana"
quit "$bea"
pass "two copies went on while the lock was held, and both rows were saved once it was free"

# --- A copy that quits while the lock is held waits for it, then saves ---
waits="$work/waits"
copy_program "$waits"
hold_lock "$waits"
"$waits/crestaverde" &
carla=$!
play_and_enter "$carla" Carla
xdotool windowactivate --sync "$(window_of "$carla" "BIENVENIDO A CRESTAVERDE")" key Escape
until_true 30 narrow_window_of "$carla" >/dev/null || fail "no box while waiting for the lock"
kill -0 "$carla" || fail "the copy ended without its score"
[ ! -e "$waits/record.ini" ] || fail "a save went past the lock"
free_lock
status=0
wait "$carla" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after waiting"
[ "$(names "$waits/record.ini")" = "Carla" ] || fail "record.ini holds: $(cat -A "$waits/record.ini")"
pass "quitting waited for the lock and then saved"

# --- Told to stop waiting, it says the score could not be saved ---
gives_up="$work/gives_up"
copy_program "$gives_up"
hold_lock "$gives_up"
"$gives_up/crestaverde" &
dora=$!
play_and_enter "$dora" Dora
xdotool windowactivate --sync "$(window_of "$dora" "BIENVENIDO A CRESTAVERDE")" key Escape
until_true 30 narrow_window_of "$dora" >/dev/null || fail "no box while waiting for the lock"
xdotool windowactivate --sync "$(narrow_window_of "$dora")" key Escape  # Salir sin guardar
answer "$dora" "No se han podido guardar las puntuaciones" Return
status=0
wait "$dora" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after giving up"
[ ! -e "$gives_up/record.ini" ] || fail "record.ini was written"
free_lock
pass "giving up on the lock told the player the score was not saved"

# --- Two accounts on one table, beside a lock file the player cannot open ---
accounts="$work/accounts"
copy_program "$accounts"
printf 'Viejo\r\n100\r\n' >"$accounts/record.ini"
if [ "$(id -u)" -eq 0 ]; then
    player="cv-e2e-$$"
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$player"
    mkdir "$work/home"
    chown "$player" "$work/home"
    chmod 0777 "$accounts"
    chmod 0666 "$accounts/record.ini"
    : >"$accounts/record.ini.lock"
    chown nobody "$accounts/record.ini.lock"
    chmod 0600 "$accounts/record.ini.lock"
    runuser -u "$player" -- env HOME="$work/home" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb \
        "$accounts/crestaverde" &
    runner=$!
    until_true 20 pgrep -u "$player" -x crestaverde >/dev/null || fail "the player's copy did not start"
    pepe=$(pgrep -u "$player" -x crestaverde)
    "$accounts/crestaverde" &
    rosa=$!
    play_and_enter "$pepe" Pepe
    play_and_enter "$rosa" Rosa
    until_true 30 sh -c "[ \"\$(tr -d '\r' <'$accounts/record.ini' | sed -n '1p;3p;5p' | sort | paste -sd ' ')\" = 'Pepe Rosa Viejo' ]" ||
        fail "record.ini holds: $(cat -A "$accounts/record.ini")"
    xdotool windowactivate --sync "$(window_of "$pepe" "BIENVENIDO A CRESTAVERDE")" key Escape
    status=0
    wait "$runner" || status=$?
    [ "$status" -eq 0 ] || fail "the player's copy ended with status $status"
    quit "$rosa"
    pass "a player and root kept each other's rows beside another account's lock file"
else
    # One account: a lock file that is a link to nowhere stops nothing.
    ln -s /nonexistent/lock "$accounts/record.ini.lock"
    "$accounts/crestaverde" &
    pepe=$!
    play_and_enter "$pepe" Pepe
    until_true 30 grep -q Pepe "$accounts/record.ini" || fail "record.ini holds: $(cat -A "$accounts/record.ini")"
    quit "$pepe"
    pass "a lock file that is a link to nowhere stopped nothing (two accounts need root)"
fi
echo "$passed passed, 0 failed"
