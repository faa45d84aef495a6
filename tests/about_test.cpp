// SPDX-License-Identifier: GPL-3.0-or-later
// The about window's card fan and system-information search, and the help clip's decoder.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <atomic>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>

#include "avi_builder.h"
#include "avi_format.h"
#include "card_fan.h"
#include "clip_decoder.h"
#include "system_info.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

TEST(CardFan, DrawsFollowTheNonUniformMappings) {
    ClockSeededRandom random;
    constexpr int kSteps = 200000;
    std::map<int, int> ranks;
    std::map<Suit, int> suits;
    std::array<int, kFanCards> positions{};
    for (int i = 0; i < kSteps; ++i) {
        const FanStep step = nextFanStep(random, 1000LL * i);
        ++ranks[step.card.rank];
        ++suits[step.card.suit];
        ++positions.at(static_cast<std::size_t>(step.fanPosition));
    }
    for (const auto& [count, p] : {std::pair{ranks[1], 1.5 / 13},
                                   {ranks[13], 0.5 / 13},
                                   {suits[Suit::Hearts], 1.0 / 8},
                                   {suits[Suit::Spades], 3.0 / 8},
                                   {positions[0], 0.25},
                                   {positions[1], 0.5},
                                   {positions[2], 0.25}}) {
        EXPECT_LT(std::abs(count - kSteps * p), 5 * std::sqrt(kSteps * p * (1 - p))) << p;
    }
}

TEST(SystemInfo, TheFirstProgramOfTheListFoundOnTheAbsoluteEntriesOfThePath) {
    TempFolder first;
    TempFolder second;
    for (const auto& [folder, name] : {std::pair{&first, "lxtask"}, {&second, "kinfocenter"}}) {
        writeBytes(folder->file(name), "#!/bin/sh\n");
        ::chmod(folder->file(name).c_str(), 0755);
    }
    writeBytes(first.file("hardinfo"), "not executable");
    const std::string path =
        "/nonexistent::" + first.path().string() + ":" + second.path().string();
    EXPECT_EQ(findSystemInfoProgram(path), second.file("kinfocenter").string());
    EXPECT_EQ(findSystemInfoProgram(first.path().string()), first.file("lxtask").string());
    // Every one of these names the current folder, which holds a program, yet none is searched;
    // the missing folder holds none.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(first.path());
    for (const std::string& relative :
         {std::string("."), std::string(""), std::string("./"), std::string(":/nonexistent"),
          "../" + first.path().filename().string()}) {
        EXPECT_FALSE(findSystemInfoProgram(relative)) << relative;
    }
    std::filesystem::current_path(before);
}

DecodedClip decodeBytes(const std::string& bytes, const ClipLimits& limits = {}) {
    std::istringstream in(bytes);
    return decodeClipFrom(in, limits);
}

std::string refusal(const DecodedClip& decoded) {
    if (const auto* error = std::get_if<std::string>(&decoded)) return *error;
    return "decoded";
}

// Red, green, blue and white as decoded pixels: opaque, red in the third byte.
const std::uint32_t r = 0xFFC80000, g = 0xFF008000, b = 0xFF0000D2, w = 0xFFFFFFFF;

// Three pixels wide, so every stored row carries a byte of padding.
AviBuilder threeByTwo() {
    AviBuilder clip;
    clip.width = 3;
    clip.height = 2;
    clip.palette = {{200, 0, 0}, {0, 128, 0}, {0, 0, 210}, {255, 255, 255}};
    clip.frames = {indices({2, 3, 0, 9}) + indices({0, 1, 2, 9})};  // bottom row first
    return clip;
}

TEST(ClipDecoder, ReadsTheShippedClipTheRightWayUp) {
    auto decoded = decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi");
    ASSERT_TRUE(std::holds_alternative<Clip>(decoded)) << std::get<std::string>(decoded);
    const Clip& clip = std::get<Clip>(decoded);
    const ClipFrame& first = clip.frames.at(0);
    // 8 frames a second
    ASSERT_EQ(std::tuple(clip.frames.size(), clip.frameMilliseconds, first.width, first.height),
              std::tuple(std::size_t{24}, 125, 77, 39));
    const auto pixel = [&](int x, int y) { return first.pixels.at(std::size_t(y * 77 + x)); };
    // The felt all round, and the edge of the first card back near the top, not the bottom.
    EXPECT_TRUE(pixel(0, 0) == g && pixel(5, 2) != g && pixel(5, 36) == g);
    EXPECT_NE(first.pixels, clip.frames.at(12).pixels);  // the card moves
}

// Plain frames come bottom row first unless stored top-down. An RLE key frame: a run, a literal
// run with its pad byte, runs; then a frame that jumps to the middle row and repaints two pixels,
// leaving the rest as the first frame left them. The pace comes from the stream, else from the
// main header to the nearest millisecond.
TEST(ClipDecoder, PaintsEachFrameTheRightWayUpAtItsPace) {
    AviBuilder paced = threeByTwo(), topDown = threeByTwo(), rle = threeByTwo();
    paced.rate = 25, paced.scale = 2, paced.microsPerFrame = 40500;
    paced.frames.emplace_back();  // a chunk of no bytes shows the last frame again
    topDown.height = -2, topDown.rate = 0, topDown.microsPerFrame = 40500;
    AviBuilder fastest = threeByTwo();  // a thousand frames a second, ahead of the main header
    fastest.rate = 1000, fastest.microsPerFrame = 40500;
    AviBuilder unpaced = threeByTwo();
    unpaced.rate = 0, unpaced.declaredColours = 0;  // no count: as many colours as are stored
    topDown.frames = {indices({0, 1, 2, 9}) + indices({2, 3, 0, 9})};
    rle.width = 4, rle.height = 3, rle.compression = 1, rle.frameId = "00dc";
    rle.frames = {indices({4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 1, 0, 0, 0, 2, 3, 2, 1, 0, 1}),
                  indices({0, 2, 1, 1, 2, 0, 0, 1})};
    using Pixels = std::vector<std::uint32_t>;
    const std::pair<AviBuilder, std::tuple<int, int, int, std::vector<Pixels>>> cases[] = {
        {paced, {80, 3, 2, {{r, g, b, b, w, r}, {r, g, b, b, w, r}}}},
        {topDown, {41, 3, 2, {{r, g, b, b, w, r}}}},
        {fastest, {1, 3, 2, {{r, g, b, b, w, r}}}},
        {unpaced, {125, 3, 2, {{r, g, b, b, w, r}}}},
        {rle,
         {125, 4, 3, {{w, w, g, g, b, w, b, r, g, g, g, g}, {w, w, g, g, b, r, r, r, g, g, g, g}}}},
    };
    for (const auto& [stored, expected] : cases) {
        const DecodedClip decoded = decodeBytes(stored.bytes());
        ASSERT_EQ(refusal(decoded), "decoded") << stored.width << stored.height;
        const Clip& clip = std::get<Clip>(decoded);
        std::vector<Pixels> pictures;
        for (const ClipFrame& frame : clip.frames) pictures.push_back(frame.pixels);
        EXPECT_EQ(std::tuple(clip.frameMilliseconds, clip.frames[0].width, clip.frames[0].height,
                             pictures),
                  expected)
            << stored.width << stored.height;
    }
}

// Each clip is read, or refused with the reason help shows and never read past what it holds.
// Streams are numbered by their lists, an empty one too, and by no other list: the video's frames
// carry its number. Runs that leave the row or the picture, and literal runs cut short, are damage.
TEST(ClipDecoder, ReadsOrRefusesEachClipWithItsReason) {
    const std::string whole = threeByTwo().bytes();
    const auto with = [](const std::function<void(AviBuilder&)>& change) {
        AviBuilder clip = threeByTwo();
        change(clip);
        return clip.bytes();
    };
    const auto rle = [&](const std::string& frame) {
        return with([&](AviBuilder& c) { c.width = 4, c.compression = 1, c.frames = {frame}; });
    };
    const auto sized = [&](int width, int height, std::size_t frames) {  // rows of 4n bytes
        return with([&](AviBuilder& c) {
            c.width = width, c.height = height;
            c.frames.assign(frames,
                            std::string(std::size_t((width + 3) / 4 * 4 * std::abs(height)), 0));
        });
    };
    const auto longFormat = [&](std::uint32_t bytes) {  // its palette stored past the 4 used
        return with(
            [&](AviBuilder& c) { c.declaredColours = 4, c.palette.resize((bytes - 40) / 4); });
    };
    const auto between = [](const std::string& middle) {  // the headers, middle, the frames
        return riffChunk("RIFF",
                         "AVI " + threeByTwo().headerList() + middle + threeByTwo().frameList());
    };
    const auto withJunk = [](int junk) {  // the frame, then chunks of junk, in the frame list
        std::string chunks = riffChunk("00db", threeByTwo().frames[0]);
        for (int i = 0; i < junk; ++i) chunks += riffChunk("JUNK", "");
        return riffChunk("RIFF", "AVI " + threeByTwo().headerList() + riffList("movi", chunks));
    };
    // Every pixel of the 4x2 picture a run of its own: the most bytes an RLE frame may take.
    const std::string everyPixelARun =
        indices({1, 1, 1, 2, 1, 3, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1});
    std::string lists, filler;  // a hundred empty stream lists; 1022 chunks of filler
    for (int i = 0; i < 100; ++i) lists += riffList("strl", "");
    for (int i = 0; i < 1022; ++i) filler += riffChunk("JUNK", "");
    const std::pair<std::string, std::string> cases[] = {
        {"", "no se puede abrir"},
        {"RIFF and then no clip at all", "no se puede abrir"},
        {riffChunk("RIFF", "WAVE" + threeByTwo().headerList()), "no se puede abrir"},
        {"RIFX" + whole.substr(4), "no se puede abrir"},
        {riffChunk("RIFF", "AVI "), "no tiene vídeo legible"},
        {riffChunk("RIFF", "AVI " + riffList("hdrl", "") + threeByTwo().frameList()),
         "no tiene vídeo"},
        {riffChunk("RIFF", "AVI " + threeByTwo().frameList()), "no tiene vídeo legible"},
        {whole.substr(0, whole.find("strf") + 20), "no tiene vídeo legible"},
        {with([](AviBuilder& c) { c.streamType = "auds"; }), "no tiene vídeo"},
        {with([](AviBuilder& c) { c.headerBytes = 39; }), "no tiene vídeo legible"},
        {with([](AviBuilder& c) { c.width = 0; }), "tiene un tamaño imposible"},
        {with([](AviBuilder& c) { c.width = kMaxClipSide + 1; }), "tiene un tamaño imposible"},
        {with([](AviBuilder& c) { c.height = 0; }), "tiene un tamaño imposible"},
        {with([](AviBuilder& c) { c.height = -(kMaxClipSide + 1); }), "tiene un tamaño imposible"},
        {with([](AviBuilder& c) { c.bitsPerPixel = 24; }), "usa un formato de imagen desconocido"},
        {with([](AviBuilder& c) { c.compression = 2; }), "no se puede descodificar"},
        {with([](AviBuilder& c) { c.compression = 1, c.height = -2; }),
         "usa un formato de imagen desconocido"},
        {with([](AviBuilder& c) { c.palette.resize(257); }), "no tiene vídeo legible"},
        // A format chunk of the most bytes a header's chunk may take, and one 4 bytes longer
        {longFormat(kMaxHeaderChunkBytes), "decoded"},
        {longFormat(kMaxHeaderChunkBytes + 4), "no tiene vídeo legible"},
        {with([](AviBuilder& c) { c.frames.clear(); }), "no tiene imágenes"},
        {with([](AviBuilder& c) { c.frameId = "01db"; }), "no tiene imágenes"},
        {whole.substr(0, whole.find("movi")), "no tiene imágenes"},
        {whole.substr(0, whole.size() - 1), "tiene imágenes dañadas"},
        {with([](AviBuilder& c) { c.frames[0].pop_back(); }), "tiene imágenes dañadas"},
        {with([](AviBuilder& c) { c.frames[0].resize(1); }), "tiene imágenes dañadas"},
        {with([](AviBuilder& c) { c.frames[0] += "more"; }), "tiene imágenes dañadas"},
        {with([](AviBuilder& c) { c.frames.assign(kMaxClipFrames + 1, c.frames[0]); }),
         "es demasiado largo"},
        {with([](AviBuilder& c) { c.beforeStream = riffList("odml", ""); }), "decoded"},
        {with([](AviBuilder& c) { c.inStream = riffChunk("JUNK", ""); }), "decoded"},
        {with([](AviBuilder& c) { c.beforeStream = riffList("strl", ""); }), "no tiene imágenes"},
        {with([](AviBuilder& c) { c.beforeStream = riffList("strl", ""), c.frameId = "01db"; }),
         "decoded"},
        {with([&](AviBuilder& c) { c.beforeStream = lists.substr(0, 120), c.frameId = "10db"; }),
         "decoded"},
        {with([&](AviBuilder& c) { c.beforeStream = lists; }), "no tiene vídeo"},  // stream 100
        // Only lists hold frames, whatever a chunk's first bytes say.
        {between(riffChunk("JUNK", "movi")), "decoded"},
        {riffChunk(
             "RIFF",
             "AVI " + threeByTwo().headerList() +
                 riffList("movi", riffList("rec ", riffChunk("00db", threeByTwo().frames[0])))),
         "decoded"},                   // the frames in a list of their own
        {between(filler), "decoded"},  // 1024 chunks, the frames' list the last
        {between(filler + riffChunk("JUNK", "")), "no tiene vídeo legible"},
        // 1024 chunks at most in the header list, and in the stream's
        {with([&](AviBuilder& c) { c.beforeStream = filler; }), "decoded"},
        {with([&](AviBuilder& c) { c.beforeStream = filler + riffChunk("JUNK", ""); }),
         "no tiene vídeo legible"},
        {with([&](AviBuilder& c) { c.inStream = filler; }), "decoded"},
        {with([&](AviBuilder& c) { c.inStream = filler + riffChunk("JUNK", ""); }),
         "no tiene vídeo legible"},
        {sized(kMaxClipSide, 1, 1), "decoded"},
        {sized(1, kMaxClipSide, 1), "decoded"},
        {sized(1, -kMaxClipSide, 1), "decoded"},
        {sized(1, 1, kMaxClipFrames), "decoded"},
        {withJunk(65535), "decoded"},  // 65536 chunks in the frame list
        {withJunk(65536), "es demasiado largo"},
        {rle(indices({0, 2, 4, 2, 0, 1})), "decoded"},  // a jump to just past the last pixel
        {rle(indices({0, 2, 4, 2})), "decoded"},        // the frame ending with that jump
        {rle(everyPixelARun), "decoded"},
        {rle(everyPixelARun + indices({0})), "tiene imágenes dañadas"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(refusal(decodeBytes(cases[i].first)), cases[i].second) << "case " << i;
    }
    for (const std::string& frame :
         {indices({5, 1}), indices({2, 1, 0, 4, 1, 1, 1, 1}), indices({0, 0, 0, 0, 1, 1}),
          indices({0, 2, 5, 0, 1, 1}), indices({0, 2, 0, 3}), indices({0, 3, 1}),
          indices({1, 1, 0, 3, 2})}) {
        EXPECT_EQ(refusal(decodeBytes(rle(frame))), "tiene imágenes dañadas") << frame.size();
    }
    EXPECT_EQ(refusal(decodeClip("/nonexistent/ayuda.avi")), "no se puede abrir");
}

// The checks of the chunks rely on it: a read that would pass the end reads nothing.
TEST(ClipDecoder, ReadsNothingPastTheEndOfTheFile) {
    std::istringstream bytes("RIFF");
    ByteSource file(bytes);
    char read[5] = "....";
    EXPECT_FALSE(file.readAt(1, read, 4));
    EXPECT_STREQ(read, "....");
    EXPECT_TRUE(file.readAt(0, read, 4));
    EXPECT_STREQ(read, "RIFF");
}

// Room for one chunk being read and the list of frames beside the shipped clip's pixels.
TEST(ClipDecoder, StopsWhenCancelledOrPastItsBudget) {
    const std::atomic<bool> cancelled{true};
    constexpr std::size_t kPixelBytes = 24U * 77U * 39U * 4U;
    const std::pair<ClipLimits, std::string> cases[] = {
        {{.cancelled = &cancelled}, "se canceló"},
        {{.maxDecodedBytes = kPixelBytes / 24}, "es demasiado grande"},
        {{.maxDecodedBytes = kPixelBytes}, "es demasiado grande"},
        {{.maxDecodedBytes = kPixelBytes + 16384}, "decoded"}};
    for (const auto& [limits, expected] : cases) {
        EXPECT_EQ(refusal(decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi", limits)), expected)
            << limits.maxDecodedBytes;
    }
    // A 3 x 2 clip of one frame needs its pixels, its place in the list, and its chunk's 8 bytes.
    constexpr std::size_t kOneFrame = 3 * 2 * sizeof(std::uint32_t) + 3 * sizeof(ClipFrame) + 8;
    for (const std::size_t budget : {kOneFrame, kOneFrame - 1}) {
        EXPECT_EQ(refusal(decodeBytes(threeByTwo().bytes(), {.maxDecodedBytes = budget})),
                  budget == kOneFrame ? "decoded" : "es demasiado grande");
    }
}

}  // namespace
}  // namespace crestaverde::testing
