# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end scripts share: waiting for what the screen shows rather than for a time,
# a name typed and seen in its box before Enter, and the keys of a game from the menu to the
# abandon question's Yes. The caller defines fail.

active_title() { xdotool getactivewindow getwindowname 2>/dev/null || true; }

# Runs a command every 50 ms until it succeeds; fails with the message after a minute, a bound
# for a hang only: a busy machine may take long.
wait_until() {  # message, command...
    local message=$1
    shift
    for _ in $(seq 1 1200); do
        "$@" && return 0
        sleep 0.05
    done
    fail "$message (waited at $(call_sites)); the active window is '$(active_title)'," \
        "the windows shown: $(shown_titles)"
}

# Where the script stands: each caller's file and line, innermost first. A script's steps wait in
# the same few helpers, so the helper's own line alone would not tell which step it was.
call_sites() {
    local frame=1 sites=() line
    while line=$(caller "$frame"); do
        read -r number _ file <<<"$line"
        sites+=("$(basename "$file"):$number")
        frame=$((frame + 1))
    done
    echo "${sites[*]}"
}

# The titles of the windows on screen, "|" between them: none when the program never got to open
# one.
shown_titles() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        xdotool getwindowname "$id" 2>/dev/null || true
    done | paste -sd '|'
}

# The window manager names the active window before the program has taken the input focus it
# hands over: a key pressed in between goes to the window that still holds the focus. So a window
# counts as active once it holds the focus too.
focused_active_window() {
    local id
    id=$(xdotool getactivewindow 2>/dev/null) || return 1
    [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$id" ] && echo "$id"
}

is_active() {  # title
    local id
    id=$(focused_active_window) && [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]
}

wait_active() {  # title
    wait_until "expected the active window '$1'" is_active "$1"
}

# The window manager is up once it names its check window on the root window.
wait_window_manager() {
    wait_until "no window manager came up" \
        sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}

# The active window's id when it is a window of the game other than the menu: a box (a dialog)
# or the board (a normal window). The window's type tells them apart whatever size the window
# has for the moment.
active_game_window() {  # box | board
    local id props
    id=$(focused_active_window) || return 1
    props=$(xprop -id "$id" _NET_WM_WINDOW_TYPE WM_NAME 2>/dev/null) || return 1
    case "$props" in *'"BIENVENIDO A CRESTAVERDE"'*) return 1 ;; esac
    case "$1:$props" in
        box:*_NET_WM_WINDOW_TYPE_DIALOG*) ;;
        board:*_NET_WM_WINDOW_TYPE_NORMAL*) ;;
        *) return 1 ;;
    esac
    echo "$id"
}

# Waits until a box of the game other than the last one waited for is active (boxes of one title
# follow each other); with "board", until the board is active.
last_box=
board_active() { active_game_window board >/dev/null; }
new_box_active() {
    local id
    id=$(active_game_window box) && [ "$id" != "$last_box" ] && last_box=$id
}
next_box() {  # [board]
    if [ "${1:-}" = board ]; then
        wait_until "the board did not come back" board_active
    else
        wait_until "no new box came up" new_box_active
    fi
}

# What the focused text field holds, read through the clipboard: select all, copy.
field_holds() {  # text
    xdotool key ctrl+a ctrl+c
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]
}

# Replaces what the focused field holds with the name, and presses Enter only once the field
# holds it whole.
enter_name() {  # name
    xdotool key ctrl+a BackSpace
    xdotool type --delay 50 "$1"
    wait_until "the name box does not hold '$1'" field_holds "$1"
    xdotool key Return
}

# From the menu to the abandon question's Yes; returns once the box that follows is up.
play_and_abandon() {
    xdotool key Return                  # Jugar
    next_box
    xdotool key Return                  # NIVEL 1
    next_box
    xdotool key Return                  # Empieza
    next_box board
    xdotool key alt+a                   # Abandonar
    next_box
    xdotool key Return                  # Sí, the default answer
    next_box
}
