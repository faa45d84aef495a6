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
        ASSERT_TRUE(step.card.rank >= 1 && step.card.rank <= 13);
        ++ranks[step.card.rank];
        ++suits[step.card.suit];
        ++positions.at(static_cast<std::size_t>(step.fanPosition));
    }
    EXPECT_EQ(ranks.size(), 13U);
    const std::pair<int, double> expected[] = {{ranks[1], 1.5 / 13},
                                               {ranks[13], 0.5 / 13},
                                               {ranks[10], 1.0 / 13},
                                               {suits[Suit::Hearts], 1.0 / 8},
                                               {suits[Suit::Spades], 3.0 / 8},
                                               {positions[0], 0.25},
                                               {positions[1], 0.5},
                                               {positions[2], 0.25}};
    for (const auto& [count, p] : expected) {
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
    EXPECT_FALSE(findSystemInfoProgram("/nonexistent"));
    // Every one of these names the current folder, which holds a program, yet none is searched.
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

std::uint32_t opaque(const Rgb& colour) {
    return 0xFF000000U | (std::uint32_t{colour[0]} << 16U) | (std::uint32_t{colour[1]} << 8U) |
           colour[2];
}

const Rgb kRed{200, 0, 0}, kGreen{0, 128, 0}, kBlue{0, 0, 210}, kWhite{255, 255, 255};
// The same as decoded pixels.
const std::uint32_t r = opaque(kRed), g = opaque(kGreen), b = opaque(kBlue), w = opaque(kWhite);

// Three pixels wide, so every stored row carries a byte of padding.
AviBuilder threeByTwo() {
    AviBuilder clip;
    clip.width = 3;
    clip.height = 2;
    clip.palette = {kRed, kGreen, kBlue, kWhite};
    clip.frames = {indices({2, 3, 0, 9}) + indices({0, 1, 2, 9})};  // bottom row first
    return clip;
}

TEST(ClipDecoder, ReadsTheShippedClipTheRightWayUp) {
    auto decoded = decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi");
    ASSERT_TRUE(std::holds_alternative<Clip>(decoded)) << std::get<std::string>(decoded);
    const Clip& clip = std::get<Clip>(decoded);
    // 8 frames a second
    EXPECT_EQ(std::pair(clip.frames.size(), clip.frameMilliseconds),
              std::pair(std::size_t{24}, 125));
    const ClipFrame& first = clip.frames.at(0);
    ASSERT_EQ(std::pair(first.width, first.height), std::pair(77, 39));
    const auto pixel = [&](int x, int y) { return first.pixels.at(std::size_t(y * 77 + x)); };
    // The felt all round, and the edge of the first card back near the top, not the bottom.
    EXPECT_EQ(pixel(0, 0), g);
    EXPECT_NE(pixel(5, 2), g);
    EXPECT_EQ(pixel(5, 36), g);
    EXPECT_NE(first.pixels, clip.frames.at(12).pixels);  // the card moves
}

TEST(ClipDecoder, PlainFramesComeBottomRowFirstUnlessStoredTopDown) {
    const std::vector<std::uint32_t> picture = {r, g, b, b, w, r};
    AviBuilder bottomUp = threeByTwo();
    AviBuilder topDown = threeByTwo();
    topDown.height = -2;
    topDown.frames = {indices({0, 1, 2, 9}) + indices({2, 3, 0, 9})};
    for (const AviBuilder& stored : {bottomUp, topDown}) {
        const DecodedClip decoded = decodeBytes(stored.bytes());
        ASSERT_EQ(refusal(decoded), "decoded") << stored.height;
        const ClipFrame& frame = std::get<Clip>(decoded).frames.at(0);
        EXPECT_EQ(std::tuple(frame.width, frame.height, frame.pixels), std::tuple(3, 2, picture))
            << stored.height;
    }
}

// A key frame: a run, a literal run with its pad byte, runs; then a frame that jumps to the
// middle row and repaints two pixels, leaving the rest as the first frame left them.
TEST(ClipDecoder, RleFramesPaintRunsLiteralsAndJumpsOverThePreviousFrame) {
    AviBuilder clip;
    clip.width = 4;
    clip.height = 3;
    clip.compression = 1;
    clip.frameId = "00dc";
    clip.palette = {kRed, kGreen, kBlue, kWhite};
    clip.frames = {indices({4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 1, 0, 0, 0, 2, 3, 2, 1, 0, 1}),
                   indices({0, 2, 1, 1, 2, 0, 0, 1})};
    const DecodedClip decoded = decodeBytes(clip.bytes());
    ASSERT_EQ(refusal(decoded), "decoded");
    const std::vector<ClipFrame>& frames = std::get<Clip>(decoded).frames;
    ASSERT_EQ(frames.size(), 2U);
    EXPECT_EQ(frames[0].pixels, (std::vector{w, w, g, g, b, w, b, r, g, g, g, g}));
    EXPECT_EQ(frames[1].pixels, (std::vector{w, w, g, g, b, r, r, r, g, g, g, g}));
}

TEST(ClipDecoder, ThePaceComesFromTheStreamElseTheMainHeader) {
    AviBuilder clip = threeByTwo();
    clip.rate = 25;
    clip.scale = 2;
    clip.microsPerFrame = 40500;
    EXPECT_EQ(std::get<Clip>(decodeBytes(clip.bytes())).frameMilliseconds, 80);
    clip.rate = 0;
    EXPECT_EQ(std::get<Clip>(decodeBytes(clip.bytes())).frameMilliseconds, 41);  // to the nearest
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
    const auto sized = [&](int width, int height, std::size_t frames) {
        const std::size_t row = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
        return with([&](AviBuilder& c) {
            c.width = width, c.height = height;
            c.frames.assign(frames,
                            std::string(row * static_cast<std::size_t>(std::abs(height)), 0));
        });
    };
    const auto behindChunks = [](int chunks) {  // the headers, chunks of filler, the frames
        std::string filler;
        for (int i = 0; i < chunks; ++i) filler += riffChunk("JUNK", "");
        return riffChunk("RIFF",
                         "AVI " + threeByTwo().headerList() + filler + threeByTwo().frameList());
    };
    const std::pair<std::string, std::string> cases[] = {
        {"", "no se puede abrir"},
        {"RIFF and then no clip at all", "no se puede abrir"},
        {riffChunk("RIFF", "WAVE" + threeByTwo().headerList()), "no se puede abrir"},
        {riffChunk("RIFF", "AVI "), "no tiene vídeo legible"},
        {riffChunk("RIFF", "AVI " + threeByTwo().frameList()), "no tiene vídeo legible"},
        {whole.substr(0, whole.find("strf") + 20), "no tiene vídeo legible"},
        {with([](AviBuilder& c) { c.streamType = "auds"; }), "no tiene vídeo"},
        {with([](AviBuilder& c) { c.headerBytes = 39; }), "no tiene vídeo legible"},
        {with([](AviBuilder& c) { c.width = 0; }), "tiene un tamaño imposible"},
        {with([](AviBuilder& c) { c.height = -(kMaxClipSide + 1); }), "tiene un tamaño imposible"},
        {with([](AviBuilder& c) { c.bitsPerPixel = 24; }), "usa un formato de imagen desconocido"},
        {with([](AviBuilder& c) { c.compression = 2; }), "no se puede descodificar"},
        {with([](AviBuilder& c) { c.compression = 1, c.height = -2; }),
         "usa un formato de imagen desconocido"},
        {with([](AviBuilder& c) { c.palette.resize(257); }), "no tiene vídeo legible"},
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
        {with([](AviBuilder& c) { c.beforeStream = riffList("strl", ""); }), "no tiene imágenes"},
        {with([](AviBuilder& c) { c.beforeStream = riffList("strl", ""), c.frameId = "01db"; }),
         "decoded"},
        {with([](AviBuilder& c) {
             for (int i = 0; i < 10; ++i) c.beforeStream += riffList("strl", "");
             c.frameId = "10db";
         }),
         "decoded"},
        // Only lists hold frames, whatever a chunk's first bytes say.
        {riffChunk("RIFF", "AVI " + threeByTwo().headerList() + riffChunk("JUNK", "movi") +
                               threeByTwo().frameList()),
         "decoded"},
        {behindChunks(1022), "decoded"},  // 1024 chunks, the frames' list the last
        {behindChunks(1023), "no tiene vídeo legible"},
        {sized(kMaxClipSide, 1, 1), "decoded"},
        {sized(1, kMaxClipSide, 1), "decoded"},
        {sized(1, -kMaxClipSide, 1), "decoded"},
        {sized(1, 1, kMaxClipFrames), "decoded"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(refusal(decodeBytes(cases[i].first)), cases[i].second) << "case " << i;
    }
    for (const std::string& frame :
         {indices({5, 1}), indices({2, 1, 0, 4, 1, 1, 1, 1}), indices({0, 0, 0, 0, 1, 1}),
          indices({0, 2, 5, 0, 1, 1}), indices({0, 2, 0, 3}), indices({0, 3, 1})}) {
        EXPECT_EQ(refusal(decodeBytes(rle(frame))), "tiene imágenes dañadas") << frame.size();
    }
    EXPECT_EQ(refusal(decodeClip("/nonexistent/ayuda.avi")), "no se puede abrir");
}

TEST(ClipDecoder, StopsWhenCancelledOrPastItsBudget) {
    const std::atomic<bool> cancelled{true};
    ClipLimits stopped;
    stopped.cancelled = &cancelled;
    EXPECT_EQ(refusal(decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi", stopped)), "se canceló");
    constexpr std::size_t kFramePixelBytes = 77U * 39U * 4U;
    ClipLimits limits;
    for (const std::size_t budget : {kFramePixelBytes, 24 * kFramePixelBytes}) {
        limits.maxDecodedBytes = budget;
        EXPECT_EQ(refusal(decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi", limits)),
                  "es demasiado grande")
            << budget;
    }
    // Room for one chunk being read and the list of frames beside the pixels.
    limits.maxDecodedBytes = 24 * kFramePixelBytes + 16384;
    EXPECT_EQ(refusal(decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi", limits)), "decoded");
}

}  // namespace
}  // namespace crestaverde::testing
