#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A player's first game with the installed package, as autopkgtest runs it: from a fresh home
# folder the menu appears, a game is dealt and abandoned, the record goes to the player's own
# table, and Esc quits with status 0. Runs on a display of its own (Xvfb, openbox).
# Usage: first_game.sh      (the package installed; any account)
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
if [ -z "${CRESTAVERDE_E2E_INSIDE:-}" ]; then
    exec env CRESTAVERDE_E2E_INSIDE=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=installed_player.sh
. "$here/installed_player.sh"
home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$home"' EXIT
openbox >/dev/null 2>&1 &
wait_window_manager

start_game "$(id -un)" "$home" "$home/data"
play_a_record "Jugador"
quit_game "$(id -un)"
table="$home/data/crestaverde/record.ini"
[ -f "$table" ] || fail "no score table in the player's data folder"
head -c 9 "$table" | grep -q '^Jugador' || fail "the record is not in the player's own table"
echo "PASS: menu, a game abandoned, the record in $table, Esc ends with status 0"
