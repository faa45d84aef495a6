# SPDX-License-Identifier: GPL-3.0-or-later
# A player at the installed game, shared by the end-to-end scripts that run the package: start it
# from the games PATH, wait for its boxes, play a game to its abandon, quit. Needs a display with
# a window manager; the caller defines fail.
# shellcheck source=journey.sh
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

menu_title='^BIENVENIDO A CRESTAVERDE$'

# Starts the game from the PATH as user and waits for the menu. Without a data folder the
# player's is the default one in the home folder.
start_game() {  # user, home [, data folder]
    local as=() data=(-u XDG_DATA_HOME)
    [ "$1" = "$(id -un)" ] || as=(runuser -u "$1" --)
    [ -z "${3:-}" ] || data=(XDG_DATA_HOME="$3")
    "${as[@]}" env "${data[@]}" HOME="$2" PATH=/usr/games:/usr/bin:/bin DISPLAY="$DISPLAY" \
        QT_QPA_PLATFORM=xcb crestaverde >/dev/null 2>&1 &
    game_pid=$!
    timeout 20 xdotool search --sync --onlyvisible --name "$menu_title" >/dev/null ||
        fail "no menu for $1"
    sleep 0.5
}

quit_game() {  # user: Esc in the menu ends the game with status 0
    local status=0
    xdotool key Escape
    wait "$game_pid" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status for $1"
}

# Waits for a box of the game: an active window with the game's title, smaller than the board.
wait_box() {
    for _ in $(seq 1 400); do
        if [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = CRESTAVERDE ]; then
            local width
            width=$(xdotool getactivewindow getwindowgeometry --shell 2>/dev/null | sed -n 's/^WIDTH=//p' || true)
            [ "${width:-9999}" -lt 700 ] && return 0
        fi
        sleep 0.05
    done
    fail "no box came up"
}

# A game dealt and abandoned; its score is a record in the shipped table, so the name box comes:
# the name typed goes to the table and the menu comes back.
play_a_record() {  # name
    play_and_abandon
    wait_box
    xdotool key ctrl+a BackSpace
    xdotool type --delay 50 "$1"
    xdotool key Return
    timeout 20 xdotool search --sync --onlyvisible --name "$menu_title" >/dev/null ||
        fail "no menu after the game"
    sleep 0.5
}
