// SPDX-License-Identifier: GPL-3.0-or-later
// The help clip's decoder within its memory budget, and stopping when nobody waits any more.

#include <gtest/gtest.h>

#include "clip_decoder.h"

namespace crestaverde::testing {
namespace {

constexpr std::size_t kFrameBytes = 77U * 39U * 4U;  // one frame of the shipped clip

TEST(ClipLimits, AClipThatWouldPassTheBudgetIsRefused) {
    struct Case {
        std::size_t budget;
        bool decoded;
    };
    const Case cases[] = {{kFrameBytes - 1, false},
                          {2 * kFrameBytes - 1, false},
                          {ClipLimits{}.maxDecodedBytes, true}};
    for (const Case& c : cases) {
        ClipLimits limits;
        limits.maxDecodedBytes = c.budget;
        const auto decoded = decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi", limits);
        EXPECT_EQ(std::holds_alternative<Clip>(decoded), c.decoded) << c.budget;
        if (!c.decoded) {
            EXPECT_EQ(std::get<std::string>(decoded), "es demasiado grande");
        }
    }
}

TEST(ClipLimits, ACancelledDecodeStops) {
    const std::atomic<bool> cancelled{true};
    ClipLimits limits;
    limits.cancelled = &cancelled;
    EXPECT_TRUE(std::holds_alternative<std::string>(
        decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi", limits)));
}

}  // namespace
}  // namespace crestaverde::testing
