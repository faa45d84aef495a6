// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five-row high-score table, best first. Names and scores are kept as the bytes the
// high-score file holds (Windows-1252), so that every row travels back to the file unchanged.

#include <array>
#include <string>

namespace crestaverde {

inline constexpr int kScoreRows = 5;
// The one cap for a name, wherever it comes from: the name box, the file or the writer. The file
// holds one byte per character, so this is also the name's length in bytes.
inline constexpr int kMaxNameChars = 255;

struct ScoreRow {
    std::string name;
    std::string score;
    bool operator==(const ScoreRow&) const = default;
};

using ScoreTable = std::array<ScoreRow, kScoreRows>;

}  // namespace crestaverde
