// SPDX-License-Identifier: GPL-3.0-or-later
#include "random_draws.h"

#include <cmath>

namespace crestaverde {

int roundHalfEven(float value) {
    const double floor = std::floor(static_cast<double>(value));
    const double fraction = static_cast<double>(value) - floor;
    auto rounded = static_cast<long long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && rounded % 2 != 0)) ++rounded;
    return static_cast<int>(rounded);
}

int scaledDraw(float u, int factor) {
    const float scaled = u * static_cast<float>(factor);
    return roundHalfEven(scaled);
}

void ClockSeededRandom::randomize(std::int64_t timeOfDayMicros) {
    if (timeOfDayMicros == lastSeed_) return;
    lastSeed_ = timeOfDayMicros;
    const auto reading = static_cast<std::uint64_t>(timeOfDayMicros);
    std::seed_seq seed{static_cast<std::uint32_t>(reading),
                       static_cast<std::uint32_t>(reading >> 32)};
    engine_.seed(seed);
}

float ClockSeededRandom::uniform() {
    // 24 random bits fill a float's mantissa exactly, so the result never rounds up to 1.
    constexpr float kScale = 1.0F / 16777216.0F;
    return static_cast<float>(engine_() >> 8) * kScale;
}

Card ClockSeededRandom::card() {
    const int rank = rankOfDraw(scaledDraw(uniform(), kKing));
    return {rank, suitOfDraw(scaledDraw(uniform(), 4))};
}

}  // namespace crestaverde
