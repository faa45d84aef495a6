#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates media/ from the drawing code: build the generator, draw, then keep each drawing as
# SVG beside its picture, convert the transparent pictures into GIFs with one-bit transparency
# (ImageMagick) and the help clip into an uncompressed 8-bit palette AVI (ffmpeg).
# Usage: tools/media/make_media.sh BUILD_FOLDER
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake --build "$build" --target generate_media
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$build/tools/media/generate_media" "$work"

to_gif() {  # png, gif: keep colours, make half-transparent pixels fully clear or fully opaque
    /usr/bin/convert "$1" -channel A -threshold 50% +channel -background none "$2"
}
for png in "$work"/*.png; do
    to_gif "$png" "media/$(basename "${png%.png}").gif"
done
cp "$work"/*.jpg "$work"/*.svg media/
mkdir -p media/icons
cp "$work"/icons/* media/icons/
ffmpeg -loglevel error -y -framerate 8 -i "$work/clip/%02d.png" -vf palettegen=max_colors=256:reserve_transparent=0 "$work/palette.png"
ffmpeg -loglevel error -y -framerate 8 -i "$work/clip/%02d.png" -i "$work/palette.png" \
    -lavfi "paletteuse=dither=none" -c:v rawvideo -pix_fmt pal8 media/ayuda.avi
ls -l media | head -5
