// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the rules show the player: the boxes of a lost try, a cleared board and the abandon
// question, the level-start banner, and the title every box carries. Written exactly as the
// player reads them, accents and spelling included.

#include <string>
#include <string_view>

namespace crestaverde::texts {

inline constexpr std::string_view kApplicationTitle = "CRESTAVERDE";

// The level-start banner: the level's number follows the first.
inline constexpr std::string_view kLevelPrefix = "NIVEL ";
inline constexpr std::string_view kStart = "Empieza";

inline constexpr std::string_view kCleared = "LO HAS CONSEGUIDO";
inline constexpr std::string_view kTimeUp = "El tiempo se ha acabado";
inline constexpr std::string_view kTryLost = "No lo conseguistes";
// The titles of a lost try: another deal follows, or the game ends.
inline constexpr std::string_view kNextRoundTitle = "Siguiente Ronda";
inline constexpr std::string_view kGameOverTitle = "JUEGO TERMINADO";

inline constexpr std::string_view kAbandonQuestion = "¿Desea abandonar la partida?";

[[nodiscard]] inline std::string levelBanner(int level) {
    return std::string(kLevelPrefix) + std::to_string(level);
}

}  // namespace crestaverde::texts
