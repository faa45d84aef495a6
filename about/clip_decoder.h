// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decodes the help clip, a silent AVI of 8-bit palette frames (plain or RLE-8), into pictures
// the window can show. The game's own reader rather than a codec library: see DESIGN.md.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <variant>
#include <vector>

namespace crestaverde {

struct ClipFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, width * height, rows top to bottom
};

struct Clip {
    std::vector<ClipFrame> frames;
    int frameMilliseconds = 125;
};

struct ClipLimits {
    // Everything decoding holds at once: the frames kept and the chunk being read. A clip that
    // would need more is refused before the memory is taken, so a small crafted file cannot
    // fill the memory.
    std::size_t maxDecodedBytes = std::size_t{64} << 20U;
    // Set from another thread to stop decoding early, when nobody waits for the clip any more.
    const std::atomic<bool>* cancelled = nullptr;
};

inline constexpr std::size_t kMaxClipFrames = 2000;

// The whole clip, or the reason it could not be decoded.
using DecodedClip = std::variant<Clip, std::string>;

// A clip is short, so all of it is kept. The path is the system's bytes.
[[nodiscard]] DecodedClip decodeClip(const std::string& path, const ClipLimits& limits = {});
// The same from a stream that can seek, such as the bytes in memory.
[[nodiscard]] DecodedClip decodeClipFrom(std::istream& in, const ClipLimits& limits = {});

}  // namespace crestaverde
