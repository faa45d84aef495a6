// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the board hands the final score of a game.

#include <cstdint>

namespace crestaverde {

class ScoreKeeper {
  public:
    virtual ~ScoreKeeper() = default;
    virtual void recordFinalScore(std::int32_t score) = 0;
};

}  // namespace crestaverde
