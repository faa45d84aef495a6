#!/usr/bin/env bash
# Whole-process start-up of the game against its floor, a minimal Qt program that does the same
# kind of work (52 pictures in a maximised window, a dialog over them), on a 1280x800 and a
# 1920x1080 screen with a window manager. The floor runs twice: with an empty dialog, and with a
# line of text in it, as a real dialog has (see bench/startup_floor.cpp). Game and floors take
# turns, so each run pairs them.
# For each start: the time from launch until the menu (the floor's dialog) is viewable, and the CPU
# the process has used by then (every thread, to the microsecond); from /usr/bin/time -v, the CPU
# and the peak resident memory of the run, which ends 0.3 s after that; and the shared libraries
# mapped while the menu is shown. Medians of the values and of the paired ratios close each screen.
# With CRESTAVERDE_BENCH_COLD=1 (as root) every start is cold: the kernel drops its page cache
# first, so that the libraries, fonts and pictures come from the disk again.
# Usage: bench/startup.sh BUILD_FOLDER [RUNS]      (a build with -DCRESTAVERDE_BENCH=ON)
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
if [ -z "${CRESTAVERDE_BENCH_SCREEN:-}" ]; then
    for screen in 1280x800 1920x1080; do
        CRESTAVERDE_BENCH_SCREEN=$screen xvfb-run -a -s "-screen 0 ${screen}x24" "$0" "$@"
    done
    exit 0
fi
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
openbox >/dev/null 2>&1 &
manager=$!
trap 'kill "$manager" 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
cp "$build"/crestaverde "$build"/*.gif "$build"/*.jpg "$build"/*.svg "$build"/*.avi "$work"/
cp "$build"/*.so "$work"/ 2>/dev/null || true

# Prints: milliseconds to the window, CPU milliseconds by then, CPU milliseconds of the whole run
# (every thread, to the 10 ms that /usr/bin/time shows), peak KiB, libraries.
start() {  # title, program...
    local title=$1
    shift
    rm -f "$work/pid"
    if [ "${CRESTAVERDE_BENCH_COLD:-0}" = 1 ]; then
        sync
        echo 3 >/proc/sys/vm/drop_caches
    fi
    local begin mapped mapcpu pid libs rss cpu
    begin=$(date +%s%N)
    # The shell writes its PID and becomes the program, so the program is ended by its own PID.
    /usr/bin/time -v -o "$work/time" sh -c 'echo $$ >"$0"; exec "$@"' "$work/pid" "$@" \
        >/dev/null 2>&1 &
    local timer=$!
    if ! read -r mapped mapcpu < <("$build/bench/map_wait" "$title" 20 "$work/pid") ||
        [ -z "$mapcpu" ]; then
        [ -s "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null
        wait "$timer" || true
        echo "no window titled '$title'" >&2
        exit 1
    fi
    pid=$(cat "$work/pid")
    sleep 0.3
    libs=$(awk '$6 ~ /\.so/ {print $6}' /proc/"$pid"/maps | sort -u | wc -l)
    kill "$pid"
    wait "$timer" || true
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
    cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {printf "%d", s * 1000}' "$work/time")
    echo "$(((mapped - begin) / 1000000)) $(awk -v n="$mapcpu" 'BEGIN {printf "%.1f", n / 1e6}') $cpu $rss $libs"
}

echo "screen $CRESTAVERDE_BENCH_SCREEN: ms to the menu, CPU ms to it, CPU ms, peak KiB, libraries of game, floor, floor with text"
for run in $(seq 1 "$runs"); do
    game=$(start "BIENVENIDO A CRESTAVERDE" "$work/crestaverde")
    floor=$(start "floor dialog" "$build/bench/startup_floor" "$work")
    text=$(start "floor dialog" "$build/bench/startup_floor" --text "$work")
    echo "$run game $game floor $floor text $text" | tee -a "$work/runs"
done
awk -v screen="$CRESTAVERDE_BENCH_SCREEN" '
    function median(a, n,   i, j, t) {
        for (i = 2; i <= n; ++i) for (j = i; j > 1 && a[j - 1] > a[j]; --j) {
            t = a[j]; a[j] = a[j - 1]; a[j - 1] = t
        }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    {
        ++n
        for (k = 0; k < 5; ++k) {
            g[k, n] = $(3 + k); f[k, n] = $(9 + k); t[k, n] = $(15 + k)
        }
    }
    END {
        split("ms CPU-ms-to-it CPU-ms peak-KiB libraries", names, " ")
        for (k = 0; k < 5; ++k) {
            delete a; delete b; delete c; delete r; delete q
            for (i = 1; i <= n; ++i) {
                a[i] = g[k, i]; b[i] = f[k, i]; c[i] = t[k, i]
                r[i] = g[k, i] / f[k, i]; q[i] = g[k, i] / t[k, i]
            }
            printf "%s median %-14s game %8.1f  floor %8.1f  with text %8.1f  " \
                   "paired ratios %.2f  %.2f\n", screen, names[k + 1], median(a, n), median(b, n),
                   median(c, n), median(r, n), median(q, n)
        }
    }' "$work/runs"
