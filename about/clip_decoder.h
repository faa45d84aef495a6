#pragma once
// Decodes the help clip with FFmpeg's libraries into frames the window can show. The decoder is a
// module of its own (libcrestaverde_clip.so), which the program loads only when help opens: FFmpeg
// and the hundred codec libraries it pulls in would otherwise weigh on every start.

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

// The whole clip, or the reason it could not be decoded.
using DecodedClip = std::variant<Clip, std::string>;

// A clip is short, so all of it is kept. The path is the system's bytes.
[[nodiscard]] DecodedClip decodeClip(const std::string& path, const ClipLimits& limits = {});

// The module's entry point, looked up by this name: a plain symbol is found the same whatever the
// compiler mangles. It writes the result into *out.
inline constexpr const char* kDecodeClipSymbol = "crestaverde_decode_clip";
using DecodeClipEntry = void(const std::string* path, const ClipLimits* limits, DecodedClip* out);

}  // namespace crestaverde

extern "C" void crestaverde_decode_clip(const std::string* path,
                                        const crestaverde::ClipLimits* limits,
                                        crestaverde::DecodedClip* out);
