#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the .deb as a Debian packager would (lintian, with the source package and its .dsc when
# the .changes lies beside it; the desktop entry and AppStream validators), installs it with apt,
# answers --help and --version without a display, plays a game as root and starts it as an
# ordinary player: each keeps scores in an own data folder and the installed files stay as
# shipped. Then removes the package.
# Usage: installed_game.sh PACKAGE.deb      (run as root)
set -euo pipefail
package=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")

if [ -z "${CRESTAVERDE_E2E_INSIDE:-}" ]; then
    exec env CRESTAVERDE_E2E_INSIDE=1 xvfb-run -a -s "-ac -screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=installed_player.sh
. "$here/installed_player.sh"
root_home=$(mktemp -d)
player_home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$root_home" "$player_home"
      apt-get remove -y -qq crestaverde >/dev/null 2>&1 || true' EXIT
passed=0
pass() { echo "$*"; passed=$((passed + 1)); }

# Information and pedantic tags are shown for the reader; errors and warnings fail.
checked=$package
changes=${package%_*.deb}_$(dpkg-deb -f "$package" Architecture).changes
[ -f "$changes" ] && checked=$changes
lintian -I -E --pedantic "$checked" >"$root_home/lintian" 2>&1 || true
sed 's/^/  lintian: /' "$root_home/lintian"
! grep -q '^[EW]: ' "$root_home/lintian" || fail "lintian reports errors or warnings"
pass "lintian finds no error or warning in $(basename "$checked")"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" >/dev/null
share=/usr/share/crestaverde
metainfo=/usr/share/metainfo/io.github.crestaverde.crestaverde.metainfo.xml
doc=/usr/share/doc/crestaverde
for path in /usr/games/crestaverde $share/atras.jpg $share/ayuda.avi $share/record.ini \
    /usr/share/man/man6/crestaverde.6.gz /usr/share/man/es/man6/crestaverde.6.gz $doc/copyright \
    $doc/changelog.gz $doc/README.md.gz /usr/share/applications/crestaverde.desktop \
    /usr/share/icons/hicolor/48x48/apps/crestaverde.png /usr/share/icons/hicolor/scalable/apps/crestaverde.svg \
    $metainfo; do
    [ -e "$path" ] || fail "$path is not installed"
done
# Qt, the C and C++ runtimes, the X and Wayland client libraries that the display check opens
# (Qt's own platforms use them too), fonts and Qt's translations: no codec library.
for dependency in $(dpkg-deb -f "$package" Depends | sed 's/([^)]*)//g; s/,/ /g'); do
    [[ $dependency =~ ^(libc6|libgcc-s1|libstdc\+\+6|libqt6[a-z]*6|libxcb1|libwayland-client0|fonts-[a-z0-9-]+|qt6-translations-l10n)$ ]] ||
        fail "the package depends on $dependency"
done
# Every screenshot the metadata names is in the package.
shots=$(grep -o '<image[^>]*>[^<]*</image>' $metainfo | sed 's|</image>||; s|.*/||')
[ -n "$shots" ] || fail "the metadata names no screenshot"
for shot in $shots; do
    [ -f "$share/screenshots/$shot" ] || fail "the screenshot $shot is not installed"
done
desktop-file-validate /usr/share/applications/crestaverde.desktop
appstreamcli validate --pedantic --no-net $metainfo
pass "the package installs the program, its data, the documents, the menu entry, icons and metadata"

"$here/options.sh" /usr/games/crestaverde "$(dpkg-deb -f "$package" Version)"
pass "the installed game answers --help and --version without a display"

openbox >/dev/null 2>&1 &
wait_window_manager

# Root opens help, whose clip plays: no box says it cannot. Then root plays a game to the end and
# enters a record: it goes to root's own table, never into the installed folders.
start_game root "$root_home"
xdotool key alt+u
wait_active Ayuda
# A clip that cannot play says so in a box over help, at once on an idle machine: the grace
# second can only let a late box pass unseen, never fail a clip that plays.
sleep 1
[ "$(active_title)" = Ayuda ] || fail "help's clip does not play"
xdotool key alt+F4
wait_active "$menu_title"
play_a_record Root
quit_game root
head -c 4 "$root_home/.local/share/crestaverde/record.ini" | grep -q '^Root' ||
    fail "root's record is not in root's own table"
[ -z "$(dpkg -V crestaverde)" ] || fail "dpkg -V: $(dpkg -V crestaverde)"
[ -z "$(find /usr/games /usr/share/crestaverde -newer "$root_home/lintian" -type f)" ] ||
    fail "the game wrote into its installed folders"
pass "root's scores go to root's own table; dpkg -V finds the installed files as shipped"

chown nobody "$player_home"
start_game nobody "$player_home"
quit_game nobody
own="$player_home/.local/share/crestaverde/record.ini"
[ -f "$own" ] || fail "no score table of the player's own"
cmp -s "$own" $share/record.ini || fail "the player's table was not seeded from the shipped one"
pass "a player gets an own score table, seeded from the shipped one"

apt-get remove -y -qq crestaverde >/dev/null
[ ! -e /usr/games/crestaverde ] && [ ! -e $share ] ||
    fail "files left after removal"
pass "the package uninstalls cleanly"
echo "$passed passed, 0 failed"
