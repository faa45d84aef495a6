// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints one frame chunk of an 8-bit palette clip onto the picture the previous frame left: a
// plain frame covers every pixel, an RLE-8 frame may leave some as they were. Rows come bottom
// row first unless the clip says it is stored top-down.

#include <cstdint>
#include <span>

#include "avi_format.h"

namespace crestaverde {

// Pixels are 0xAARRGGBB, width * height of them, rows top to bottom.
using FramePixels = std::span<std::uint32_t>;

// The most bytes a frame chunk of this clip may hold: a plain frame's rows padded to four bytes,
// or RLE-8's longest sensible encoding (a pair for each pixel, an end for each row).
[[nodiscard]] std::uint64_t maxFrameChunkBytes(const AviVideo& video);

// False when the chunk is too short for its frame, or its runs leave the picture.
[[nodiscard]] bool paintFrame(std::span<const std::uint8_t> chunk, const AviVideo& video,
                              FramePixels pixels);

}  // namespace crestaverde
