#pragma once
// Where the board hands the final score of a game.

#include <cstdint>

namespace crestaverde {

class ScoreKeeper {
  public:
    virtual ~ScoreKeeper() = default;
    virtual void puntuacion(std::int32_t puntos) = 0;
};

}  // namespace crestaverde
