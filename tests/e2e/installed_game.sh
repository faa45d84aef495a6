#!/usr/bin/env bash
# Installs the .deb with apt, checks what it put in place, runs the installed game as root and as
# an ordinary player (whose scores go to their own data folder), then removes the package.
# Usage: installed_game.sh PACKAGE.deb      (run as root)
set -euo pipefail
package=$(readlink -f "$1")

if [ -z "${CRESTAVERDE_E2E_INSIDE:-}" ]; then
    exec env CRESTAVERDE_E2E_INSIDE=1 xvfb-run -a -s "-ac -screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
fail() { echo "FAIL: $*" >&2; exit 1; }
player_home=$(mktemp -d)
root_home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$player_home" "$root_home"; apt-get remove -y -qq crestaverde >/dev/null 2>&1 || true' EXIT
openbox >/dev/null 2>&1 &
sleep 1

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" >/dev/null
for path in /usr/games/crestaverde /usr/share/crestaverde/atras.jpg \
    /usr/share/crestaverde/ayuda.avi /usr/share/crestaverde/record.ini /usr/share/applications/crestaverde.desktop \
    /usr/share/icons/hicolor/48x48/apps/crestaverde.png /usr/share/icons/hicolor/scalable/apps/crestaverde.svg \
    /usr/share/metainfo/io.github.crestaverde.Crestaverde.metainfo.xml; do
    [ -e "$path" ] || fail "$path is not installed"
done
desktop-file-validate /usr/share/applications/crestaverde.desktop
appstreamcli validate --no-net /usr/share/metainfo/io.github.crestaverde.Crestaverde.metainfo.xml >/dev/null
echo "the package installs the program, its data, the menu entry, icons and metadata"

run_until_menu() {  # user: starts the game from the PATH, waits for the menu, quits with Esc
    local pid status=0
    if [ "$1" = root ]; then
        HOME="$root_home" XDG_DATA_HOME='' PATH=/usr/games:$PATH crestaverde >/dev/null 2>&1 &
    else
        runuser -u "$1" -- env HOME="$player_home" XDG_DATA_HOME= PATH=/usr/games:/usr/bin:/bin \
            DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb crestaverde >/dev/null 2>&1 &
    fi
    pid=$!
    timeout 20 xdotool search --sync --onlyvisible --name '^BIENVENIDO A CRESTAVERDE$' >/dev/null ||
        fail "no menu for $1"
    sleep 0.5
    xdotool key Escape
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status for $1"
}

run_until_menu root
echo "the installed game starts from the PATH, shows its menu and quits with Esc"

chown nobody "$player_home"
run_until_menu nobody
own="$player_home/.local/share/crestaverde/record.ini"
[ -f "$own" ] || fail "no score table of the player's own"
cmp -s "$own" /usr/share/crestaverde/record.ini || fail "the player's table was not seeded from the shipped one"
echo "every player, root included, gets an own score table"

apt-get remove -y -qq crestaverde >/dev/null
[ ! -e /usr/games/crestaverde ] && [ ! -e /usr/share/crestaverde ] || fail "files left after removal"
echo "the package uninstalls cleanly"
echo "4 passed, 0 failed"
