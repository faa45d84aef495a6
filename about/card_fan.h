#pragma once
// The about window's changing fan: each second one of its three cards shows a random card.

#include <array>
#include <cstdint>

#include "random_draws.h"

namespace crestaverde {

inline constexpr int kFanCards = 3;
// Queen, king and jack of hearts, back to front as the fan is laid.
inline constexpr std::array<Card, kFanCards> kFirstFan = {
    {{12, Suit::Hearts}, {13, Suit::Hearts}, {11, Suit::Hearts}}};

struct FanStep {
    Card card;
    int fanPosition = 0;  // 0, 1 or 2
};

// Re-seeds from the time of day, then draws rank, suit and position with the game's
// single-precision, halves-to-even mappings: the front card (position 1) changes half the time.
[[nodiscard]] FanStep nextFanStep(ClockSeededRandom& random, std::int64_t timeOfDayMicros);

}  // namespace crestaverde
