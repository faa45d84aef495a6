// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the help clip: decoding either refuses with one of the reasons help shows, or
// gives frames of one size within the limits, whose pixels all exist and are opaque.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "about_texts.h"
#include "avi_format.h"
#include "clip_decoder.h"

namespace {

// Any reason but a cancel, which no run asks for.
bool knownReason(const std::string& reason) {
    using namespace crestaverde::texts;
    const std::string_view reasons[] = {
        kClipCannotOpen,    kClipNoVideo,        kClipUnreadableVideo,      kClipNoFrames,
        kClipDamagedFrames, kClipImpossibleSize, kClipUnknownPictureFormat, kClipUndecodable,
        kClipTooLarge,      kClipTooLong};
    return std::find(std::begin(reasons), std::end(reasons), reason) != std::end(reasons);
}

void require(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace crestaverde;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ClipLimits limits;
    limits.maxDecodedBytes = std::size_t{8} << 20U;  // keeps each run quick; the rules are the same
    const DecodedClip decoded = decodeClipFrom(in, limits);
    if (const auto* reason = std::get_if<std::string>(&decoded)) {
        require(knownReason(*reason));
        return 0;
    }
    const Clip& clip = std::get<Clip>(decoded);
    require(!clip.frames.empty() && clip.frames.size() <= kMaxClipFrames);
    require(clip.frameMilliseconds >= 1 && clip.frameMilliseconds <= 60000);
    const ClipFrame& first = clip.frames[0];
    require(first.width >= 1 && first.width <= kMaxClipSide && first.height >= 1 &&
            first.height <= kMaxClipSide);
    std::size_t held = 0;
    for (const ClipFrame& frame : clip.frames) {
        require(frame.width == first.width && frame.height == first.height);
        require(frame.pixels.size() == static_cast<std::size_t>(frame.width) * frame.height);
        require(std::all_of(frame.pixels.begin(), frame.pixels.end(),
                            [](std::uint32_t pixel) { return pixel >> 24U == 0xFFU; }));
        held += frame.pixels.size() * sizeof(std::uint32_t);
    }
    require(held <= limits.maxDecodedBytes);
    return 0;
}
