#pragma once
// The about window's changing fan: each second one of its three cards shows a random card.

#include <cstdint>
#include <string>

#include "random_draws.h"

namespace crestaverde {

struct FanStep {
    char rankCode = '1';            // "1" to "9", "0", "j", "q", "k"
    std::string cardCode;           // rank code then suit letter
    std::int16_t pictureIndex = 0;  // 0, 1 or 2
};

// Re-seeds from the time of day, then draws rank, suit and picture with the game's
// single-precision, halves-to-even mappings: the front card (index 1) changes half the time.
[[nodiscard]] FanStep nextFanStep(ClockSeededRandom& random, std::int64_t timeOfDayMicros);

}  // namespace crestaverde
