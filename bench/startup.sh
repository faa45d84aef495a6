#!/usr/bin/env bash
# Whole-process start-up: time from launch until the menu is on screen over the board, and peak
# resident memory, for the game and for a minimal Qt program that does the same kind of work.
# Usage: bench/startup.sh BUILD_FOLDER [RUNS]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
if [ -z "${CRESTAVERDE_BENCH_INSIDE:-}" ]; then
    exec env CRESTAVERDE_BENCH_INSIDE=1 xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
sleep 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build"/crestaverde "$build"/*.gif "$build"/*.jpg "$build"/*.svg "$build"/*.avi "$work"/

measure() {  # name, window title, program...
    local name=$1 title=$2
    shift 2
    for _ in $(seq 1 "$runs"); do
        local start end
        start=$(date +%s%N)
        /usr/bin/time -f "%M" -o "$work/rss" "$@" >/dev/null 2>&1 &
        local timer=$!
        # xdotool's own --sync waits half a second between looks: look more often.
        until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.01; done
        end=$(date +%s%N)
        pkill -f "^$1" || true
        wait "$timer" 2>/dev/null || true
        echo "$name $(( (end - start) / 1000000 )) ms $(tail -1 "$work/rss") KiB"
    done
}

measure game "BIENVENIDO A CRESTAVERDE" "$work/crestaverde"
measure floor "floor dialog" "$build/bench/startup_floor" "$work"
