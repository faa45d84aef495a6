#!/usr/bin/env bash
# CPU time the game uses in five idle seconds: at the menu, and with a game minimised (paused).
# Usage: bench/idle_cpu.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
if [ -z "${CRESTAVERDE_BENCH_INSIDE:-}" ]; then
    exec env CRESTAVERDE_BENCH_INSIDE=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
sleep 1
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
cp "$build"/crestaverde "$build"/*.gif "$build"/*.jpg "$build"/*.svg "$build"/*.avi "$work"/
"$work/crestaverde" >/dev/null 2>&1 &
pid=$!
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
idle() {  # label
    sleep 1
    local before after
    before=$(ticks)
    sleep 5
    after=$(ticks)
    echo "$1: $(( (after - before) * 10 )) ms of CPU in 5 s"
}
until xdotool search --onlyvisible --name "^BIENVENIDO A CRESTAVERDE\$" >/dev/null 2>&1; do sleep 0.05; done
idle "at the menu"
xdotool key Return; sleep 1.5; xdotool key Return; sleep 0.3; xdotool key Return; sleep 0.3
xdotool windowminimize "$(xdotool search --onlyvisible --name '^CRESTAVERDE$' | head -1)"
idle "minimised during play"
