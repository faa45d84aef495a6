// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts of a silent AVI clip that the help window plays: the first video stream's picture
// format and palette, its pace, and where its frames lie. Only 8-bit palette pictures, stored
// plain or RLE-8 compressed, are taken: that is all the game's own clip needs, and every length
// the file gives is checked against the file and against the limits below before it is used.

#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <variant>

namespace crestaverde {

inline constexpr int kMaxClipSide = 4096;
// A chunk of headers larger than this is no header a clip of this kind carries.
inline constexpr std::uint32_t kMaxHeaderChunkBytes = 64 * 1024;

// The file's bytes from any stream that can seek, never read past its end.
class ByteSource {
  public:
    explicit ByteSource(std::istream& in);
    [[nodiscard]] std::uint64_t size() const { return size_; }
    // Fills out from offset; false when the stream ends first.
    bool readAt(std::uint64_t offset, char* out, std::uint64_t count);

  private:
    std::istream& in_;
    std::uint64_t size_ = 0;
};

// A RIFF chunk: its four-character id, and where its data lies in the file.
struct RiffChunk {
    std::array<char, 4> id{};
    std::uint64_t data = 0;
    std::uint32_t size = 0;

    [[nodiscard]] bool is(const char (&name)[5]) const;
    [[nodiscard]] std::uint64_t end() const { return data + size; }
    // Chunks start on even offsets: an odd-sized chunk is followed by a pad byte.
    [[nodiscard]] std::uint64_t next() const { return end() + (size & 1U); }
};

enum class AviCompression : std::uint8_t { None, Rle8 };

struct AviVideo {
    int width = 0;
    int height = 0;
    bool bottomUp = true;  // AVI's own order; a negative height in the header means top-down
    AviCompression compression = AviCompression::None;
    // 0xAARRGGBB, opaque; colours the header leaves out are black.
    std::array<std::uint32_t, 256> palette{};
    int frameMilliseconds = 125;
    std::array<char, 2> streamNumber{'0', '0'};  // the first two characters of its chunks' ids
    std::uint64_t framesBegin = 0;               // the contents of LIST 'movi'
    std::uint64_t framesEnd = 0;

    [[nodiscard]] bool isFrame(const RiffChunk& chunk) const;
};

// The video stream's description, or the reason the clip cannot be played.
using AviHeaders = std::variant<AviVideo, std::string>;

[[nodiscard]] AviHeaders readAviHeaders(ByteSource& file);

// The chunk whose header lies at offset, if the header fits before end. Its data may still run
// past end: callers check that against what they expect.
[[nodiscard]] std::optional<RiffChunk> readChunk(ByteSource& file, std::uint64_t offset,
                                                 std::uint64_t end);

}  // namespace crestaverde
