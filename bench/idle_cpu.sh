#!/usr/bin/env bash
# CPU time the game uses on a 1920x1080 screen: idle at the menu, while a level-1 clock runs (a
# tick every 2 s), and with the game minimised (paused).
# Usage: bench/idle_cpu.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
if [ -z "${CRESTAVERDE_BENCH_INSIDE:-}" ]; then
    exec env CRESTAVERDE_BENCH_INSIDE=1 xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
sleep 1
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
cp "$build"/crestaverde "$build"/*.gif "$build"/*.jpg "$build"/*.svg "$build"/*.avi "$work"/
cp "$build"/*.so "$work"/ 2>/dev/null || true
"$work/crestaverde" >/dev/null 2>&1 &
pid=$!
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
measure() {  # label, seconds
    sleep 1
    local before after
    before=$(ticks)
    sleep "$2"
    after=$(ticks)
    local ms=$(((after - before) * 10))
    echo "$1: $ms ms of CPU in $2 s, $(awk -v ms="$ms" -v s="$2" 'BEGIN {printf "%.2f", ms / (10 * s)}')% of one core"
}
"$build/bench/map_wait" "BIENVENIDO A CRESTAVERDE" >/dev/null
measure "idle at the menu" 5
xdotool key Return; sleep 1.5; xdotool key Return; sleep 0.3; xdotool key Return
measure "a level-1 clock running" 20
xdotool windowminimize "$(xdotool search --onlyvisible --name '^CRESTAVERDE$' | head -1)"
measure "minimised during play" 5
