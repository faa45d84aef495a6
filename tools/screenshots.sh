#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the AppStream screenshots again (packaging/screenshots/): the program of a build folder
# runs on a virtual 1280 x 720 screen with a window manager, over a table of made-up records, and
# ImageMagick's import grabs the start menu over the board, then a game on the board.
# Usage: tools/screenshots.sh BUILD_FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(readlink -f "${1:-build}")
if [ -z "${CRESTAVERDE_SHOTS_INSIDE:-}" ]; then
    exec env CRESTAVERDE_SHOTS_INSIDE=1 xvfb-run -a -s "-screen 0 1280x720x24" "$0" "$build"
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=../tests/e2e/installed_player.sh
. tests/e2e/installed_player.sh
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

cp "$build"/crestaverde "$build"/*.gif "$build"/*.jpg "$build"/*.svg "$build"/*.avi "$work"/
# Names in the table's own code page (Windows-1252), best first.
printf 'Luc\xeda\r\n152300\r\nAndr\xe9s\r\n98700\r\nMarta\r\n61200\r\nIker\r\n35400\r\nNoa\r\n12900\r\n' \
    >"$work/record.ini"
openbox >/dev/null 2>&1 &
sleep 1
QT_QPA_PLATFORM=xcb "$work/crestaverde" >/dev/null 2>&1 &
timeout 20 xdotool search --sync --onlyvisible --name "$menu_title" >/dev/null || fail "no menu"
sleep 1

grab() {  # file: the whole screen, without the time it was taken
    import -window root -strip -define png:exclude-chunks=date,time "packaging/screenshots/$1"
}
grab menu.png
xdotool key Return  # Jugar
wait_box
xdotool key Return  # NIVEL 1
sleep 0.3
wait_box
xdotool key Return  # Empieza
sleep 2
grab board.png
ls -l packaging/screenshots
