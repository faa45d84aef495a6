// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Uniform single-precision numbers, re-seeded from the time of day as the game asks, and the
// rounding that turns them into draws.

#include <cstdint>
#include <random>

#include "cards.h"

namespace crestaverde {

// Nearest integer, halves to the even neighbour (0.5 gives 0, 1.5 gives 2).
[[nodiscard]] int roundHalfEven(float value);

// u in [0, 1) times the factor, rounded to single precision, then halves to even.
[[nodiscard]] int scaledDraw(float u, int factor);

class ClockSeededRandom {
  public:
    // A reading equal to the last one keeps the running sequence: re-seeding with it would
    // repeat the same numbers, and the deal would reject the same card until the clock moved.
    void randomize(std::int64_t timeOfDayMicros);
    // Uniform in [0, 1), single precision.
    [[nodiscard]] float uniform();
    // A rank draw then a suit draw, without re-seeding in between.
    [[nodiscard]] Card card();

  private:
    std::mt19937 engine_{0};
    std::int64_t lastSeed_ = -1;
};

}  // namespace crestaverde
