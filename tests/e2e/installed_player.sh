# SPDX-License-Identifier: GPL-3.0-or-later
# A player at the installed game, shared by the end-to-end scripts that run the package: start it
# from the games PATH, wait for its boxes, play a game to its abandon, quit. Needs a display with
# a window manager; the caller defines fail.
# shellcheck source=journey.sh
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

menu_title='BIENVENIDO A CRESTAVERDE'

# Starts the game from the PATH as user and waits for the menu. Without a data folder the
# player's is the default one in the home folder.
start_game() {  # user, home [, data folder]
    local as=() data=(-u XDG_DATA_HOME)
    [ "$1" = "$(id -un)" ] || as=(runuser -u "$1" --)
    [ -z "${3:-}" ] || data=(XDG_DATA_HOME="$3")
    "${as[@]}" env "${data[@]}" HOME="$2" PATH=/usr/games:/usr/bin:/bin DISPLAY="$DISPLAY" \
        QT_QPA_PLATFORM=xcb crestaverde >/dev/null 2>&1 &
    game_pid=$!
    wait_active "$menu_title"
}

quit_game() {  # user: Esc in the menu ends the game with status 0
    local status=0
    xdotool key Escape
    wait "$game_pid" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status for $1"
}

# A game dealt and abandoned; its score is a record in the shipped table, so the name box comes:
# the name typed goes to the table and the menu comes back.
play_a_record() {  # name
    play_and_abandon
    enter_name "$1"
    wait_active "$menu_title"
}
