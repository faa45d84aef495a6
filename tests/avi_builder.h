// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes small AVI clips byte by byte for the clip reader's tests: the headers a writer puts in
// front of 8-bit palette frames, and the frames' chunks as given.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace crestaverde::testing {

inline std::string littleEndian(std::uint32_t value, int bytes = 4) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFFU);
    return out;
}

inline std::string riffChunk(std::string_view id, std::string_view data) {
    const std::string out = std::string(id) + littleEndian(data.size()) + std::string(data);
    return data.size() % 2 != 0 ? out + '\0' : out;
}

inline std::string riffList(std::string_view type, std::string_view contents) {
    return riffChunk("LIST", std::string(type) + std::string(contents));
}

using Rgb = std::array<std::uint8_t, 3>;

// A clip's description; its frames are the chunks' contents as the file holds them.
struct AviBuilder {
    int width = 1;
    int height = 1;                 // negative: rows stored top-down
    std::uint32_t compression = 0;  // 0 plain, 1 RLE-8
    std::uint16_t bitsPerPixel = 8;
    std::uint32_t headerBytes = 40;  // as the bitmap header states its own size
    std::vector<Rgb> palette;
    std::optional<std::uint32_t> declaredColours;  // the header's count; else the palette's size
    std::uint32_t scale = 1;
    std::uint32_t rate = 8;            // frames a second are rate / scale
    std::uint32_t microsPerFrame = 0;  // the main header's pace
    std::string streamType = "vids";
    std::string handler = "DIB ";  // the codec's name, which writers fill in and readers ignore
    std::vector<std::string> frames;
    std::string frameId = "00db";
    std::string beforeStream;  // header lists ahead of the video's stream list
    std::string inStream;      // chunks between the stream's header and its format

    [[nodiscard]] std::string headerList() const {
        std::string format =
            littleEndian(headerBytes) + littleEndian(width) + littleEndian(height) +
            littleEndian(1, 2) + littleEndian(bitsPerPixel, 2) + littleEndian(compression) +
            std::string(12, '\0') + littleEndian(declaredColours.value_or(palette.size())) +
            littleEndian(0);
        for (const Rgb& colour : palette) {
            format += {static_cast<char>(colour[2]), static_cast<char>(colour[1]),
                       static_cast<char>(colour[0]), '\0'};
        }
        const std::string stream = streamType + handler + std::string(12, '\0') +
                                   littleEndian(scale) + littleEndian(rate) + std::string(28, '\0');
        return riffList(
            "hdrl",
            riffChunk("avih", littleEndian(microsPerFrame) + std::string(52, '\0')) + beforeStream +
                riffList("strl", riffChunk("strh", stream) + inStream + riffChunk("strf", format)));
    }

    [[nodiscard]] std::string frameList() const {
        std::string chunks;
        for (const std::string& frame : frames) chunks += riffChunk(frameId, frame);
        return riffList("movi", chunks);
    }

    [[nodiscard]] std::string bytes() const {
        return riffChunk("RIFF", "AVI " + headerList() + frameList());
    }
};

// Indices as a frame's bytes.
inline std::string indices(std::initializer_list<int> values) {
    return {values.begin(), values.end()};
}

}  // namespace crestaverde::testing
