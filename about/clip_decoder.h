#pragma once
// Decodes the help clip with FFmpeg's libraries into frames the window can show.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace crestaverde {

struct ClipFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4 bytes, rows top to bottom
};

struct Clip {
    std::vector<ClipFrame> frames;
    int frameMilliseconds = 125;
};

struct ClipLimits {
    // The decoded frames together; a clip that would need more is refused before the frame
    // that passes the bound is converted, so a small crafted file cannot fill the memory.
    std::size_t maxDecodedBytes = std::size_t{64} << 20U;
    // Set from another thread to stop decoding early, when nobody waits for the clip any more.
    const std::atomic<bool>* cancelled = nullptr;
};

// The whole clip, or the reason it could not be decoded. A clip is short, so all of it is kept.
// The path is the system's bytes.
[[nodiscard]] std::variant<Clip, std::string> decodeClip(const std::string& path,
                                                         const ClipLimits& limits = {});

}  // namespace crestaverde
