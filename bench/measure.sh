#!/usr/bin/env bash
# Every measurement of what the game costs, in one run: start-up against its floor on a 1280x800
# and a 1920x1080 screen; the work of one tick and the end-of-level count-down's pace on a
# 1920x1080 X display (medians of five repetitions); the CPU used idle at the menu, while a
# level-1 clock runs, and paused.
# Usage: bench/measure.sh BUILD_FOLDER [RUNS]    (a Release build with -DCRESTAVERDE_BENCH=ON)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
"$here/startup.sh" "$build" "${2:-5}"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bench/window_bench" \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>&1 |
    grep -E '^(Benchmark|BM_.*_median)'
"$here/idle_cpu.sh" "$build"
