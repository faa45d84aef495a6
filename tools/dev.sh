#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a Debian 12 machine for CRESTAVERDE and builds, plays or tests it.
#   tools/dev.sh play       install what building and playing need, build, start the game
#   tools/dev.sh test       install what is missing, build with warnings as errors, run every test
#   tools/dev.sh sanitize   the tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer
#   tools/dev.sh fuzz [s]   the score file reader, numbers and the code page, then the clip reader,
#                           under libFuzzer for s seconds each (default 60)
#   tools/dev.sh package    build the Debian packages twice (they must be the same), check them with
#                           lintian, run autopkgtest, install the .deb and run the installed game
set -euo pipefail
cd "$(dirname "$0")/.."

# What building and playing need: the compiler, Qt, the display clients, the fonts, Qt's Spanish
# texts and its Wayland platform.
play_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev libxcb1-dev libwayland-dev
    fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra qt6-translations-l10n qt6-wayland
)
# What the tests, the checks, the measurements and the packages need besides.
test_packages=(
    googletest libgtest-dev libbenchmark-dev clang clang-format clang-tidy libclang-rt-14-dev
    xvfb xauth openbox x11-utils x11-xkb-utils imagemagick xdotool xclip
    dbus at-spi2-core python3-gi gir1.2-atspi-2.0
    orca speech-dispatcher speech-dispatcher-espeak-ng
    weston mutter libgl1-mesa-dri
    dpkg-dev file appstream desktop-file-utils lintian
    debhelper devscripts autopkgtest faketime diffoscope-minimal
)

install_missing() {  # packages
    local missing=()
    for p in "$@"; do
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

# The tree's own files as they stand, copied once, so that every build takes the same source.
snapshot() {  # folder
    mkdir -p "$1"
    git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
        tar --null -T - -cf - | tar -xf - -C "$1"
}

# The source and binary packages built the way Debian builds them: the source in a folder of its
# own under the given one, the packages beside it.
build_debian() {  # source, parent folder, then a command the build runs under (optional)
    local source=$1 tree
    tree="$2/crestaverde-$(dpkg-parsechangelog -l "$1/debian/changelog" -S Version)"
    shift 2
    mkdir -p "$tree"
    cp -a "$source"/. "$tree"/
    # Nothing from the caller's set-up: no compiler cache, no date of its own.
    (cd "$tree" && env -u CMAKE_CXX_COMPILER_LAUNCHER -u SOURCE_DATE_EPOCH CCACHE_DISABLE=1 \
        "$@" dpkg-buildpackage -us -uc -j"$(nproc)" >../build.log 2>&1) ||
        { tail -40 "$tree/../build.log"; return 1; }
}

# The two builds must give the same .deb files byte for byte; diffoscope shows where they do not.
same_packages() {  # folder, other folder
    local deb status=0
    for deb in "$1"/*.deb; do
        if ! cmp -s "$deb" "$2/$(basename "$deb")"; then
            echo "not reproducible: $(basename "$deb")" >&2
            diffoscope "$deb" "$2/$(basename "$deb")" >&2 || true
            status=1
        fi
    done
    return $status
}

run_tests() {  # build folder, then ctest options
    local dir=$1
    shift
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure --timeout 600 -j "$(nproc)" "$@"
}

case "${1:-}" in
    play)
        install_missing "${play_packages[@]}"
        build build -DCMAKE_BUILD_TYPE=Release -DCRESTAVERDE_TESTS=OFF
        exec build/crestaverde
        ;;
    test)
        install_missing "${play_packages[@]}" "${test_packages[@]}"
        check_format
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRESTAVERDE_WERROR=ON \
            -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
        check_tidy build
        run_tests build
        ;;
    sanitize)
        install_missing "${play_packages[@]}" "${test_packages[@]}"
        build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCRESTAVERDE_WERROR=ON -DCRESTAVERDE_SANITIZE=ON
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-sanitize
        ;;
    fuzz)
        install_missing "${play_packages[@]}" "${test_packages[@]}"
        build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCRESTAVERDE_FUZZ=ON \
            -DCRESTAVERDE_TESTS=OFF -DCRESTAVERDE_WINDOWS=OFF
        found=$(mktemp -d)
        trap 'rm -rf "$found"' EXIT
        # Inputs reach past the reader's line cap; what the runs find goes to a scratch folder,
        # the seeds in the tree are only read.
        for target in record_file numbers clip; do
            mkdir "$found/$target"
            build-fuzz/tests/fuzz/${target}_fuzz -max_total_time="${2:-60}" -max_len=16384 \
                -rss_limit_mb=2048 "$found/$target" "tests/fuzz/corpus/$target"
        done
        ;;
    package)
        install_missing "${play_packages[@]}" "${test_packages[@]}"
        work=$(mktemp -d)
        trap 'rm -rf "$work"' EXIT
        snapshot "$work/source"
        build_debian "$work/source" "$work/first"
        # The same source elsewhere (a longer path), later, a year and more ahead by the clock,
        # in another time zone and locale, with another umask.
        (umask 0002 && TZ=Pacific/Chatham LANG=C.UTF-8 LC_ALL=C.UTF-8 \
            build_debian "$work/source" "$work/second/in/another/folder" faketime -f +400d)
        same_packages "$work/first" "$work/second/in/another/folder"
        rm -rf build-package
        mkdir build-package
        find "$work/first" -maxdepth 1 -type f -exec mv -t build-package {} +
        deb=$(echo build-package/crestaverde_*_amd64.deb)
        autopkgtest build-package/crestaverde_*_amd64.changes -- null
        tests/e2e/installed_game.sh "$deb"
        ;;
    *)
        sed -n '3,10p' "$0"
        exit 2
        ;;
esac
