// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the help clip: decoding either refuses with one of the reasons help shows, or
// gives frames of one size within the limits, whose pixels all exist and are opaque.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "avi_format.h"
#include "clip_decoder.h"

namespace {

bool knownReason(const std::string& reason) {
    static const std::string kReasons[] = {"no se puede abrir",
                                           "no tiene vídeo legible",
                                           "no tiene vídeo",
                                           "tiene un tamaño imposible",
                                           "usa un formato de imagen desconocido",
                                           "no se puede descodificar",
                                           "no tiene imágenes",
                                           "tiene imágenes dañadas",
                                           "es demasiado grande",
                                           "es demasiado largo"};
    return std::find(std::begin(kReasons), std::end(kReasons), reason) != std::end(kReasons);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace crestaverde;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ClipLimits limits;
    limits.maxDecodedBytes = std::size_t{8} << 20U;  // keeps each run quick; the rules are the same
    const DecodedClip decoded = decodeClipFrom(in, limits);
    if (const auto* reason = std::get_if<std::string>(&decoded)) {
        if (!knownReason(*reason)) std::abort();
        return 0;
    }
    const Clip& clip = std::get<Clip>(decoded);
    if (clip.frames.empty() || clip.frames.size() > kMaxClipFrames) std::abort();
    if (clip.frameMilliseconds < 1 || clip.frameMilliseconds > 60000) std::abort();
    std::size_t held = 0;
    for (const ClipFrame& frame : clip.frames) {
        if (frame.width != clip.frames[0].width || frame.height != clip.frames[0].height)
            std::abort();
        if (frame.width < 1 || frame.width > kMaxClipSide || frame.height < 1 ||
            frame.height > kMaxClipSide) {
            std::abort();
        }
        if (frame.pixels.size() != static_cast<std::size_t>(frame.width) * frame.height)
            std::abort();
        if (std::any_of(frame.pixels.begin(), frame.pixels.end(),
                        [](std::uint32_t pixel) { return pixel >> 24U != 0xFFU; })) {
            std::abort();
        }
        held += frame.pixels.size() * sizeof(std::uint32_t);
    }
    if (held > limits.maxDecodedBytes) std::abort();
    return 0;
}
