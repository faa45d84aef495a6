#include "random_draws.h"

namespace crestaverde {

void ClockSeededRandom::randomize(std::int64_t timeOfDayMicros) {
    if (timeOfDayMicros == lastSeed_) return;
    lastSeed_ = timeOfDayMicros;
    const auto reading = static_cast<std::uint64_t>(timeOfDayMicros);
    std::seed_seq seed{static_cast<std::uint32_t>(reading),
                       static_cast<std::uint32_t>(reading >> 32)};
    engine_.seed(seed);
}

float ClockSeededRandom::rnd() {
    // 24 random bits fill a float's mantissa exactly, so the result never rounds up to 1.
    constexpr float kScale = 1.0F / 16777216.0F;
    return static_cast<float>(engine_() >> 8) * kScale;
}

}  // namespace crestaverde
