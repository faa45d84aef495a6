// SPDX-License-Identifier: GPL-3.0-or-later
#include "avi_frames.h"

#include <algorithm>

namespace crestaverde {
namespace {

std::uint64_t paddedRowBytes(const AviVideo& video) {
    return (static_cast<std::uint64_t>(video.width) + 3) & ~std::uint64_t{3};
}

// The picture's row that holds the stored row counted from the first one in the file.
std::size_t pictureRow(const AviVideo& video, std::size_t stored) {
    const auto height = static_cast<std::size_t>(video.height);
    return video.bottomUp ? height - 1 - stored : stored;
}

void paintIndices(std::span<const std::uint8_t> indices, const AviVideo& video, std::uint32_t* to) {
    std::transform(indices.begin(), indices.end(), to,
                   [&](std::uint8_t index) { return video.palette[index]; });
}

bool paintPlain(std::span<const std::uint8_t> chunk, const AviVideo& video, FramePixels pixels) {
    const std::uint64_t rowBytes = paddedRowBytes(video);
    if (chunk.size() < rowBytes * static_cast<std::uint64_t>(video.height)) return false;
    const auto width = static_cast<std::size_t>(video.width);
    for (std::size_t row = 0; row < static_cast<std::size_t>(video.height); ++row) {
        paintIndices(chunk.subspan(row * rowBytes, width), video,
                     pixels.data() + pictureRow(video, row) * width);
    }
    return true;
}

// RLE-8: pairs of a count and a colour index; a count of zero escapes to the end of a row (0),
// the end of the picture (1), a jump right and up (2, then the two distances), or a literal run
// (3 to 255 indices, padded to an even length).
class Rle8Painter {
  public:
    Rle8Painter(std::span<const std::uint8_t> chunk, const AviVideo& video, FramePixels pixels)
        : in_(chunk),
          video_(video),
          pixels_(pixels),
          width_(static_cast<std::size_t>(video.width)),
          height_(static_cast<std::size_t>(video.height)) {}

    bool paint() {
        while (at_ + 2 <= in_.size()) {
            const std::uint8_t count = in_[at_];
            const std::uint8_t value = in_[at_ + 1];
            at_ += 2;
            if (count > 0) {
                if (!fits(count)) return false;
                std::fill_n(here(), count, video_.palette[value]);
                x_ += count;
            } else if (value == 0) {
                x_ = 0;
                ++row_;
            } else if (value == 1) {
                return true;
            } else if (value == 2) {
                if (!jump()) return false;
            } else if (!literal(value)) {
                return false;
            }
        }
        return true;  // data that ends without its end mark ends the picture too
    }

  private:
    bool fits(std::size_t count) const { return row_ < height_ && x_ + count <= width_; }
    std::uint32_t* here() const { return pixels_.data() + pictureRow(video_, row_) * width_ + x_; }

    bool jump() {
        if (at_ + 2 > in_.size()) return false;
        x_ += in_[at_];
        row_ += in_[at_ + 1];
        at_ += 2;
        return x_ <= width_ && row_ <= height_;
    }

    bool literal(std::size_t count) {
        if (at_ + count > in_.size() || !fits(count)) return false;
        paintIndices(in_.subspan(at_, count), video_, here());
        x_ += count;
        at_ += count + (count & 1U);
        return true;
    }

    std::span<const std::uint8_t> in_;
    const AviVideo& video_;
    FramePixels pixels_;
    std::size_t width_;
    std::size_t height_;
    std::size_t at_ = 0;
    std::size_t x_ = 0;
    std::size_t row_ = 0;  // counted from the bottom
};

}  // namespace

std::uint64_t maxFrameChunkBytes(const AviVideo& video) {
    const auto height = static_cast<std::uint64_t>(video.height);
    if (video.compression == AviCompression::None) return paddedRowBytes(video) * height;
    return 2 * static_cast<std::uint64_t>(video.width) * height + 2 * height + 2;
}

bool paintFrame(std::span<const std::uint8_t> chunk, const AviVideo& video, FramePixels pixels) {
    if (video.compression == AviCompression::None) return paintPlain(chunk, video, pixels);
    return Rle8Painter(chunk, video, pixels).paint();
}

}  // namespace crestaverde
