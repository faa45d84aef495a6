// SPDX-License-Identifier: GPL-3.0-or-later
#include "avi_format.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "about_texts.h"

namespace crestaverde {
namespace {

// A header list holds a few chunks per stream; more than this is no clip of the kind we play.
constexpr int kMaxHeaderChunks = 1024;
constexpr int kMaxStreams = 100;  // stream numbers are two decimal digits in the chunks' ids
constexpr int kDefaultFrameMilliseconds = 125;
constexpr int kMaxFrameMilliseconds = 60000;

// Sizes and offsets of the fields read, as the format lays them out.
constexpr std::uint32_t kMainHeaderBytes = 4;     // avih: microseconds per frame first
constexpr std::uint32_t kStreamHeaderBytes = 28;  // strh: type ... scale, rate
constexpr std::uint32_t kBitmapHeaderBytes = 40;  // strf: BITMAPINFOHEADER
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;

std::uint16_t u16(const char* at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(at[0]) |
                                      (static_cast<unsigned char>(at[1]) << 8U));
}

std::uint32_t u32(const char* at) {
    return u16(at) | (std::uint32_t{u16(at + 2)} << 16U);
}

std::int64_t i32(const char* at) {
    return static_cast<std::int32_t>(u32(at));
}

bool sameId(const char* a, const char (&b)[5]) {
    return std::memcmp(a, b, 4) == 0;
}

// The contents of a small chunk, read whole; nullopt when it claims more than a header may hold
// or than the file has.
std::optional<std::vector<char>> readSmall(ByteSource& file, const RiffChunk& chunk,
                                           std::uint32_t least) {
    if (chunk.size < least || chunk.size > kMaxHeaderChunkBytes) return std::nullopt;
    std::vector<char> bytes(chunk.size);
    if (!file.readAt(chunk.data, bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

int millisecondsOf(std::uint64_t numerator, std::uint64_t denominator) {
    if (numerator == 0 || denominator == 0) return 0;
    const std::uint64_t ms = (numerator + denominator / 2) / denominator;
    return static_cast<int>(std::clamp<std::uint64_t>(ms, 1, kMaxFrameMilliseconds));
}

struct StreamFound {
    bool video = false;
    int rateMilliseconds = 0;
    std::vector<char> format;  // strf
};

// One stream's list: its header says whether it is video and its pace, its format follows.
std::optional<StreamFound> readStream(ByteSource& file, std::uint64_t begin, std::uint64_t end) {
    StreamFound stream;
    bool headerSeen = false;
    int chunks = 0;
    for (std::optional<RiffChunk> chunk = readChunk(file, begin, end); chunk;
         chunk = readChunk(file, chunk->next(), end)) {
        if (++chunks > kMaxHeaderChunks || chunk->end() > end) return std::nullopt;
        if (chunk->is("strh") && !headerSeen) {
            const auto header = readSmall(file, *chunk, kStreamHeaderBytes);
            if (!header) return std::nullopt;
            headerSeen = true;
            stream.video = sameId(header->data(), "vids");
            // The stream's rate is a fraction: rate / scale frames a second.
            stream.rateMilliseconds =
                millisecondsOf(1000ULL * u32(header->data() + 20), u32(header->data() + 24));
        } else if (chunk->is("strf") && headerSeen && stream.video && stream.format.empty()) {
            auto format = readSmall(file, *chunk, kBitmapHeaderBytes);
            if (!format) return std::nullopt;
            stream.format = std::move(*format);
        }
    }
    if (stream.video && stream.format.empty()) return std::nullopt;
    return stream;
}

// Fills the picture's format from the stream's BITMAPINFOHEADER and palette; the reason if it is
// not one this reader plays.
std::string readBitmapFormat(const std::vector<char>& format, AviVideo& video) {
    const char* at = format.data();
    const std::uint32_t headerBytes = u32(at);
    if (headerBytes < kBitmapHeaderBytes || headerBytes > format.size())
        return std::string(texts::kClipUnreadableVideo);
    const std::int64_t width = i32(at + 4);
    const std::int64_t height = i32(at + 8);
    if (width <= 0 || width > kMaxClipSide || height == 0 || height > kMaxClipSide ||
        height < -kMaxClipSide) {
        return std::string(texts::kClipImpossibleSize);
    }
    video.width = static_cast<int>(width);
    video.height = static_cast<int>(std::abs(height));
    video.bottomUp = height > 0;
    if (u16(at + 14) != 8) return std::string(texts::kClipUnknownPictureFormat);
    const std::uint32_t compression = u32(at + 16);
    if (compression != kBiRgb && compression != kBiRle8)
        return std::string(texts::kClipUndecodable);
    video.compression = compression == kBiRle8 ? AviCompression::Rle8 : AviCompression::None;
    // Runs are drawn from the bottom row up; a top-down picture has no compressed form.
    if (video.compression == AviCompression::Rle8 && !video.bottomUp)
        return std::string(texts::kClipUnknownPictureFormat);
    const std::uint32_t declared = u32(at + 32);
    if (declared > video.palette.size()) return std::string(texts::kClipUnreadableVideo);
    const std::size_t stored = (format.size() - headerBytes) / 4;
    const std::size_t colours = std::min<std::size_t>(declared == 0 ? 256 : declared, stored);
    video.palette.fill(0xFF000000U);
    for (std::size_t i = 0; i < colours; ++i) {
        video.palette[i] = 0xFF000000U | (u32(at + headerBytes + 4 * i) & 0xFFFFFFU);
    }
    return {};
}

struct HeaderList {
    std::optional<StreamFound> video;
    int streamIndex = 0;
    int mainMilliseconds = 0;
};

// The header list: the main header's pace and the first video stream.
std::optional<HeaderList> readHeaderList(ByteSource& file, std::uint64_t begin, std::uint64_t end) {
    HeaderList list;
    int chunks = 0;
    int streams = 0;
    for (std::optional<RiffChunk> chunk = readChunk(file, begin, end); chunk;
         chunk = readChunk(file, chunk->next(), end)) {
        if (++chunks > kMaxHeaderChunks || chunk->end() > end) return std::nullopt;
        char type[4] = {};
        if (chunk->is("avih")) {
            const auto header = readSmall(file, *chunk, kMainHeaderBytes);
            if (!header) return std::nullopt;
            list.mainMilliseconds = millisecondsOf(u32(header->data()), 1000);
        } else if (chunk->is("LIST") && chunk->size >= 4 && file.readAt(chunk->data, type, 4) &&
                   sameId(type, "strl") && streams < kMaxStreams) {
            auto stream = readStream(file, chunk->data + 4, chunk->end());
            if (!stream) return std::nullopt;
            if (stream->video && !list.video) {
                list.video = std::move(stream);
                list.streamIndex = streams;
            }
            ++streams;
        }
    }
    return list;
}

}  // namespace

ByteSource::ByteSource(std::istream& in) : in_(in) {
    in_.seekg(0, std::ios::end);
    const std::streamoff end = in_.tellg();
    size_ = in_ ? static_cast<std::uint64_t>(end) : 0;
}

bool ByteSource::readAt(std::uint64_t offset, char* out, std::uint64_t count) {
    if (offset > size_ || count > size_ - offset) return false;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(out, static_cast<std::streamsize>(count));
    return in_.gcount() == static_cast<std::streamsize>(count);
}

bool RiffChunk::is(const char (&name)[5]) const {
    return sameId(id.data(), name);
}

bool AviVideo::isFrame(const RiffChunk& chunk) const {
    return chunk.id[0] == streamNumber[0] && chunk.id[1] == streamNumber[1] && chunk.id[2] == 'd' &&
           (chunk.id[3] == 'b' || chunk.id[3] == 'c');
}

std::optional<RiffChunk> readChunk(ByteSource& file, std::uint64_t offset, std::uint64_t end) {
    char header[8] = {};
    if (offset > end || end - offset < sizeof header ||
        !file.readAt(offset, header, sizeof header)) {
        return std::nullopt;
    }
    RiffChunk chunk;
    std::memcpy(chunk.id.data(), header, chunk.id.size());
    chunk.data = offset + sizeof header;
    chunk.size = u32(header + 4);
    return chunk;
}

AviHeaders readAviHeaders(ByteSource& file) {
    const std::optional<RiffChunk> riff = readChunk(file, 0, file.size());
    char form[4] = {};
    if (!riff || !riff->is("RIFF") || !file.readAt(8, form, 4) || !sameId(form, "AVI ")) {
        return std::string(texts::kClipCannotOpen);
    }
    // A file cut short keeps the frames it still has; nothing is read past its end.
    const std::uint64_t end = std::min(riff->end(), file.size());
    std::optional<HeaderList> headers;
    AviVideo video;
    bool framesFound = false;
    int chunks = 0;
    for (std::optional<RiffChunk> chunk = readChunk(file, 12, end); chunk && !framesFound;
         chunk = readChunk(file, chunk->next(), end)) {
        char type[4] = {};
        if (++chunks > kMaxHeaderChunks) return std::string(texts::kClipUnreadableVideo);
        if (!chunk->is("LIST") || chunk->size < 4 || !file.readAt(chunk->data, type, 4)) continue;
        const std::uint64_t listEnd = std::min(chunk->end(), end);
        if (sameId(type, "hdrl") && !headers) {
            headers = readHeaderList(file, chunk->data + 4, listEnd);
            if (!headers) return std::string(texts::kClipUnreadableVideo);
        } else if (sameId(type, "movi") && headers) {
            video.framesBegin = chunk->data + 4;
            video.framesEnd = listEnd;
            framesFound = true;
        }
    }
    if (!headers) return std::string(texts::kClipUnreadableVideo);
    if (!headers->video) return std::string(texts::kClipNoVideo);
    if (std::string error = readBitmapFormat(headers->video->format, video); !error.empty())
        return error;
    video.streamNumber = {static_cast<char>('0' + headers->streamIndex / 10),
                          static_cast<char>('0' + headers->streamIndex % 10)};
    const int rate = headers->video->rateMilliseconds;
    video.frameMilliseconds = rate > 0                        ? rate
                              : headers->mainMilliseconds > 0 ? headers->mainMilliseconds
                                                              : kDefaultFrameMilliseconds;
    if (!framesFound) return std::string(texts::kClipNoFrames);
    return video;
}

}  // namespace crestaverde
