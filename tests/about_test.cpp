// SPDX-License-Identifier: GPL-3.0-or-later
// The about window's card fan and system-information search, and the help clip's decoder.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <atomic>
#include <cmath>
#include <map>

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

TEST(SystemInfo, TheFirstProgramOfTheListFoundOnThePath) {
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
    EXPECT_FALSE(findSystemInfoProgram(""));
}

TEST(SystemInfo, RelativePathEntriesAreNeverSearched) {
    TempFolder here;
    writeBytes(here.file("hardinfo"), "#!/bin/sh\n");
    ::chmod(here.file("hardinfo").c_str(), 0755);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(here.path());
    // Every one of these names the current folder, which holds the program.
    const std::string sibling = "../" + here.path().filename().string();
    for (const std::string& path : {std::string("."), std::string(""), std::string("./"),
                                    std::string(":/nonexistent"), sibling}) {
        EXPECT_FALSE(findSystemInfoProgram(path)) << path;
    }
    std::filesystem::current_path(before);
    EXPECT_EQ(findSystemInfoProgram(here.path().string()), here.file("hardinfo").string());
}

TEST(ClipDecoder, DecodesTheHelpClipIntoChangingFramesWithinItsBudget) {
    constexpr std::size_t kFrameBytes = 77U * 39U * 4U;  // one frame of the shipped clip
    for (const std::size_t budget : {kFrameBytes - 1, 2 * kFrameBytes - 1}) {
        ClipLimits limits;
        limits.maxDecodedBytes = budget;
        const auto refused = decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi", limits);
        EXPECT_EQ(std::get<std::string>(refused), "es demasiado grande") << budget;
    }
    const std::atomic<bool> cancelled{true};
    ClipLimits stopped;
    stopped.cancelled = &cancelled;
    EXPECT_TRUE(std::holds_alternative<std::string>(
        decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi", stopped)));
    auto decoded = decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi");
    ASSERT_TRUE(std::holds_alternative<Clip>(decoded)) << std::get<std::string>(decoded);
    const Clip& clip = std::get<Clip>(decoded);
    ASSERT_GE(clip.frames.size(), 2U);
    for (const ClipFrame& frame : clip.frames) {
        EXPECT_EQ(frame.rgba.size(), static_cast<std::size_t>(frame.width * frame.height * 4));
    }
    EXPECT_NE(clip.frames.front().rgba, clip.frames[clip.frames.size() / 2].rgba);
    EXPECT_GT(clip.frameMilliseconds, 0);
}

TEST(ClipDecoder, RefusesMissingBrokenAndEmptyClips) {
    TempFolder folder;
    const std::string whole = readBytes(CRESTAVERDE_MEDIA_DIR "/ayuda.avi");
    // The headers alone: a well-formed clip without a single frame.
    writeBytes(folder.file("empty.avi"), whole.substr(0, whole.find("movi") + 4));
    writeBytes(folder.file("broken.avi"), "RIFF\x10\0\0\0AVI LIST garbage garbage garbage");
    for (const char* name : {"none.avi", "broken.avi", "empty.avi"}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(decodeClip(folder.file(name).string())))
            << name;
    }
}

}  // namespace
}  // namespace crestaverde::testing
