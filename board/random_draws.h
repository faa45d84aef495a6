#pragma once
// Uniform single-precision numbers, re-seeded from the time of day as the game asks.

#include <cstdint>
#include <random>

namespace crestaverde {

class ClockSeededRandom {
  public:
    // A reading equal to the last one keeps the running sequence: re-seeding with it would
    // repeat the same numbers, and the deal would reject the same card until the clock moved.
    void randomize(std::int64_t timeOfDayMicros);
    // Uniform in [0, 1), single precision.
    [[nodiscard]] float rnd();

  private:
    std::mt19937 engine_{0};
    std::int64_t lastSeed_ = -1;
};

}  // namespace crestaverde
