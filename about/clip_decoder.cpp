// SPDX-License-Identifier: GPL-3.0-or-later
#include "clip_decoder.h"

#include <algorithm>
#include <fstream>

#include "about_texts.h"
#include "avi_format.h"
#include "avi_frames.h"

namespace crestaverde {
namespace {

// Frames lie among other chunks (indexes, padding, other streams); this many is no clip.
constexpr int kMaxFrameListChunks = 65536;

class Decoder {
  public:
    Decoder(ByteSource& file, const AviVideo& video, const ClipLimits& limits)
        : file_(file), video_(video), limits_(limits) {
        clip_.frameMilliseconds = video.frameMilliseconds;
    }

    // Walks the frame list; a list inside it (a 'rec ' group) is walked into, not over.
    std::string decodeAll() {
        std::uint64_t at = video_.framesBegin;
        for (int chunks = 0;; ++chunks) {
            const std::optional<RiffChunk> chunk = readChunk(file_, at, video_.framesEnd);
            if (!chunk) break;
            if (chunks >= kMaxFrameListChunks) return std::string(texts::kClipTooLong);
            if (chunk->is("LIST")) {
                at = chunk->data + 4;
                continue;
            }
            if (video_.isFrame(*chunk)) {
                if (std::string error = decodeFrame(*chunk); !error.empty()) return error;
            }
            at = chunk->next();
        }
        return clip_.frames.empty() ? std::string(texts::kClipNoFrames) : "";
    }

    Clip take() { return std::move(clip_); }

  private:
    std::size_t pixelCount() const {
        return static_cast<std::size_t>(video_.width) * static_cast<std::size_t>(video_.height);
    }
    // A frame's pixels, and its place in the list of frames: while the list grows, the old list
    // and the new one of twice its size stand together.
    std::size_t frameBytes() const {
        return pixelCount() * sizeof(std::uint32_t) + 3 * sizeof(ClipFrame);
    }

    // The chunk's buffer is taken anew, never grown, so that it holds no more than the chunk.
    bool readChunkBytes(const RiffChunk& chunk) {
        if (chunk.size > bytes_.capacity()) {
            bytes_.clear();
            bytes_.shrink_to_fit();
        }
        bytes_.resize(chunk.size);
        return file_.readAt(chunk.data, reinterpret_cast<char*>(bytes_.data()), chunk.size);
    }

    // Every frame starts as the previous one's copy: RLE-8 paints only what changed, and an
    // empty chunk repeats the picture.
    std::string decodeFrame(const RiffChunk& chunk) {
        if (limits_.cancelled != nullptr && limits_.cancelled->load())
            return std::string(texts::kClipCancelled);
        if (clip_.frames.size() >= kMaxClipFrames) return std::string(texts::kClipTooLong);
        if (chunk.size > maxFrameChunkBytes(video_) || chunk.end() > video_.framesEnd)
            return std::string(texts::kClipDamagedFrames);
        held_ += frameBytes();
        if (held_ + std::max<std::size_t>(chunk.size, bytes_.capacity()) > limits_.maxDecodedBytes)
            return std::string(texts::kClipTooLarge);
        if (!readChunkBytes(chunk)) return std::string(texts::kClipDamagedFrames);
        ClipFrame frame{video_.width, video_.height, {}};
        if (clip_.frames.empty()) {
            frame.pixels.assign(pixelCount(), video_.palette[0]);
        } else {
            frame.pixels = clip_.frames.back().pixels;
        }
        if (chunk.size > 0 && !paintFrame(bytes_, video_, frame.pixels))
            return std::string(texts::kClipDamagedFrames);
        clip_.frames.push_back(std::move(frame));
        return {};
    }

    ByteSource& file_;
    const AviVideo& video_;
    const ClipLimits& limits_;
    std::vector<std::uint8_t> bytes_;  // the chunk being read, reused from frame to frame
    std::size_t held_ = 0;             // the frames kept
    Clip clip_;
};

}  // namespace

DecodedClip decodeClipFrom(std::istream& in, const ClipLimits& limits) {
    ByteSource file(in);
    const AviHeaders headers = readAviHeaders(file);
    if (const auto* error = std::get_if<std::string>(&headers)) return *error;
    Decoder decoder(file, std::get<AviVideo>(headers), limits);
    if (std::string error = decoder.decodeAll(); !error.empty()) return error;
    return decoder.take();
}

DecodedClip decodeClip(const std::string& path, const ClipLimits& limits) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::string(texts::kClipCannotOpen);
    return decodeClipFrom(in, limits);
}

}  // namespace crestaverde
