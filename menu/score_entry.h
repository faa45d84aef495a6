// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a new score goes in the table.

#include <cstdint>
#include <string_view>

#include "score_table.h"

namespace crestaverde {

// A score text's value as the table compares it. A text that is not a finite number counts as
// 0, so that no row can hold a value that nothing ever displaces.
[[nodiscard]] double scoreValue(std::string_view scoreText);

// A record ties or beats the last row.
[[nodiscard]] bool isRecord(const ScoreTable& table, std::int32_t finalScore);

// Puts the row at the first place whose score is not above the row's value; the rows below move
// down unchanged and the old last row drops out. The table need not be sorted: a row enters even
// when the last row is higher, as long as some row above it is not; else it does not enter.
void enterScore(ScoreTable& table, ScoreRow row, std::int32_t value);

}  // namespace crestaverde
