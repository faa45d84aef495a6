#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a Debian 12 machine for CRESTAVERDE and builds, plays or tests it.
#   tools/dev.sh play       install what is missing, build, start the game
#   tools/dev.sh test       install what is missing, build with warnings as errors, run every test
#   tools/dev.sh sanitize   the tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer
#   tools/dev.sh fuzz [s]   the score file reader, then numbers and the code page, under libFuzzer
#                           for s seconds each (default 60)
#   tools/dev.sh package    build the .deb, check it with lintian, install it, run the installed game
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev
    libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
    fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra
    googletest libgtest-dev libbenchmark-dev libxcb1-dev clang clang-format clang-tidy libclang-rt-14-dev
    xvfb xauth openbox x11-utils x11-xkb-utils imagemagick xdotool xclip
    dbus at-spi2-core python3-gi gir1.2-atspi-2.0
    dpkg-dev file appstream desktop-file-utils lintian qt6-translations-l10n
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {  # build folder, then cmake options
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}

check_format() {
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
}

check_tidy() {  # build folder with compile_commands.json
    git ls-files -z 'board/*.cpp' 'menu/*.cpp' 'windows/*.cpp' 'about/*.cpp' 'app/*.cpp' |
        xargs -0 -P "$(nproc)" -n 4 clang-tidy -p "$1" --quiet \
            --extra-arg=-Wno-unknown-warning-option 2>/dev/null
}

run_tests() {  # build folder
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure --timeout 600 -j "$(nproc)"
}

case "${1:-}" in
    play)
        install_missing
        build build -DCMAKE_BUILD_TYPE=Release -DCRESTAVERDE_TESTS=OFF
        exec build/crestaverde
        ;;
    test)
        install_missing
        check_format
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRESTAVERDE_WERROR=ON \
            -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
        check_tidy build
        run_tests build
        ;;
    sanitize)
        install_missing
        build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCRESTAVERDE_WERROR=ON -DCRESTAVERDE_SANITIZE=ON
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-sanitize
        ;;
    fuzz)
        install_missing
        build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCRESTAVERDE_FUZZ=ON \
            -DCRESTAVERDE_TESTS=OFF -DCRESTAVERDE_WINDOWS=OFF
        found=$(mktemp -d)
        trap 'rm -rf "$found"' EXIT
        # Inputs reach past the reader's line cap; what the runs find goes to a scratch folder,
        # the seeds in the tree are only read.
        for target in record_file numbers; do
            mkdir "$found/$target"
            build-fuzz/tests/fuzz/${target}_fuzz -max_total_time="${2:-60}" -max_len=16384 \
                -rss_limit_mb=2048 "$found/$target" "tests/fuzz/corpus/$target"
        done
        ;;
    package)
        install_missing
        build build-package -DCMAKE_BUILD_TYPE=Release -DCRESTAVERDE_TESTS=OFF
        (cd build-package && cpack)
        tests/e2e/installed_game.sh build-package/crestaverde_*_amd64.deb
        ;;
    *)
        sed -n '3,9p' "$0"
        exit 2
        ;;
esac
