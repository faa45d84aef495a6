#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the .deb as a Debian packager would (lintian, the desktop entry and AppStream
# validators), installs it with apt, answers --help and --version without a display, plays a game
# as root and starts it as an ordinary player: each keeps scores in an own data folder and the
# installed files stay as shipped. Then removes the package.
# Usage: installed_game.sh PACKAGE.deb      (run as root)
set -euo pipefail
package=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
# shellcheck source=journey.sh
. "$here/journey.sh"

if [ -z "${CRESTAVERDE_E2E_INSIDE:-}" ]; then
    exec env CRESTAVERDE_E2E_INSIDE=1 xvfb-run -a -s "-ac -screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
fail() { echo "FAIL: $*" >&2; exit 1; }
root_home=$(mktemp -d)
player_home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$root_home" "$player_home"
      apt-get remove -y -qq crestaverde >/dev/null 2>&1 || true' EXIT
passed=0
pass() { echo "$*"; passed=$((passed + 1)); }

# Information and pedantic tags are shown for the reader; errors and warnings fail.
lintian -I -E --pedantic "$package" >"$root_home/lintian" 2>&1 || true
sed 's/^/  lintian: /' "$root_home/lintian"
! grep -q '^[EW]: ' "$root_home/lintian" || fail "lintian reports errors or warnings"
pass "lintian finds no error or warning in the package"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" >/dev/null
share=/usr/share/crestaverde
for path in /usr/games/crestaverde /usr/lib/games/crestaverde/libcrestaverde_clip.so $share/atras.jpg $share/ayuda.avi $share/record.ini \
    /usr/share/man/man6/crestaverde.6.gz /usr/share/doc/crestaverde/copyright \
    /usr/share/doc/crestaverde/changelog.gz /usr/share/applications/crestaverde.desktop \
    /usr/share/icons/hicolor/48x48/apps/crestaverde.png /usr/share/icons/hicolor/scalable/apps/crestaverde.svg \
    /usr/share/metainfo/io.github.crestaverde.Crestaverde.metainfo.xml; do
    [ -e "$path" ] || fail "$path is not installed"
done
dpkg-deb -f "$package" Depends | grep -q libavformat || fail "no dependency on FFmpeg's libraries"
desktop-file-validate /usr/share/applications/crestaverde.desktop
appstreamcli validate --pedantic --no-net /usr/share/metainfo/io.github.crestaverde.Crestaverde.metainfo.xml
pass "the package installs the program, its data, the documents, the menu entry, icons and metadata"

"$here/options.sh" /usr/games/crestaverde "$(dpkg-deb -f "$package" Version)"
pass "the installed game answers --help and --version without a display"

openbox >/dev/null 2>&1 &
sleep 1

start() {  # user, home: starts the game from the PATH as user and waits for the menu
    runuser -u "$1" -- env -u XDG_DATA_HOME HOME="$2" PATH=/usr/games:/usr/bin:/bin \
        DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb crestaverde >/dev/null 2>&1 &
    pid=$!
    timeout 20 xdotool search --sync --onlyvisible --name '^BIENVENIDO A CRESTAVERDE$' >/dev/null ||
        fail "no menu for $1"
    sleep 0.5
}

quit() {  # user: Esc in the menu ends the game with status 0
    local status=0
    xdotool key Escape
    wait "$pid" || status=$?
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

# Root opens help, whose clip decoder is loaded from the installed module folder: no box says it
# cannot play. Then root plays a game to the end and enters a record: it goes to root's own table,
# never into the installed folders.
start root "$root_home"
xdotool key alt+u
timeout 20 xdotool search --sync --onlyvisible --name '^Ayuda$' >/dev/null || fail "no help"
sleep 1
[ "$(xdotool getactivewindow getwindowname)" = Ayuda ] || fail "help's clip does not play"
xdotool key alt+F4
sleep 0.5
play_and_abandon
wait_box
xdotool key ctrl+a BackSpace
xdotool type --delay 50 "Root"
xdotool key Return
timeout 20 xdotool search --sync --onlyvisible --name '^BIENVENIDO A CRESTAVERDE$' >/dev/null
sleep 0.5
quit root
head -c 4 "$root_home/.local/share/crestaverde/record.ini" | grep -q '^Root' ||
    fail "root's record is not in root's own table"
[ -z "$(dpkg -V crestaverde)" ] || fail "dpkg -V: $(dpkg -V crestaverde)"
[ -z "$(find /usr/games /usr/share/crestaverde -newer "$root_home/lintian" -type f)" ] ||
    fail "the game wrote into its installed folders"
pass "root's scores go to root's own table; dpkg -V finds the installed files as shipped"

chown nobody "$player_home"
start nobody "$player_home"
quit nobody
own="$player_home/.local/share/crestaverde/record.ini"
[ -f "$own" ] || fail "no score table of the player's own"
cmp -s "$own" $share/record.ini || fail "the player's table was not seeded from the shipped one"
pass "a player gets an own score table, seeded from the shipped one"

apt-get remove -y -qq crestaverde >/dev/null
[ ! -e /usr/games/crestaverde ] && [ ! -e $share ] && [ ! -e /usr/lib/games/crestaverde ] ||
    fail "files left after removal"
pass "the package uninstalls cleanly"
echo "$passed passed, 0 failed"
