#pragma once
// Decodes the help clip with FFmpeg's libraries into frames the window can show.

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

// The whole clip, or the reason it could not be decoded. A clip is short, so all of it is kept.
[[nodiscard]] std::variant<Clip, std::string> decodeClip(const std::string& path);

}  // namespace crestaverde
