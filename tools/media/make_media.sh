#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates media/ from the drawing code: build the generator, draw, then keep each drawing as
# SVG beside its picture, convert the transparent pictures into GIFs with one-bit transparency
# (ImageMagick) and the help clip into an uncompressed 8-bit palette AVI (ffmpeg).
# The generator is built in the given build folder only for this (CRESTAVERDE_MEDIA_TOOLS); the
# folder's normal build leaves it out again afterwards.
# Usage: tools/media/make_media.sh BUILD_FOLDER [OUTPUT_FOLDER]    (output: media/)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
out=${2:-media}
work=$(mktemp -d)
trap 'rm -rf "$work"; cmake -S . -B "$build" -DCRESTAVERDE_MEDIA_TOOLS=OFF >/dev/null' EXIT
cmake -S . -B "$build" -DCRESTAVERDE_MEDIA_TOOLS=ON >/dev/null
cmake --build "$build" --target generate_media
QT_QPA_PLATFORM=offscreen "$build/tools/media/generate_media" "$work"

to_gif() {  # png, gif: keep colours, make half-transparent pixels fully clear or fully opaque
    /usr/bin/convert "$1" -channel A -threshold 50% +channel -background none "$2"
}
mkdir -p "$out/icons"
for png in "$work"/*.png; do
    to_gif "$png" "$out/$(basename "${png%.png}").gif"
done
cp "$work"/*.jpg "$work"/*.svg "$out"/
cp "$work"/icons/* "$out"/icons/
ffmpeg -loglevel error -y -framerate 8 -i "$work/clip/%02d.png" -vf palettegen=max_colors=256:reserve_transparent=0 "$work/palette.png"
ffmpeg -loglevel error -y -framerate 8 -i "$work/clip/%02d.png" -i "$work/palette.png" \
    -lavfi "paletteuse=dither=none" -c:v rawvideo -pix_fmt pal8 "$out/ayuda.avi"
ls -l "$out" | head -5
