// SPDX-License-Identifier: GPL-3.0-or-later
#include "score_entry.h"

#include <algorithm>
#include <cmath>

#include "numeric_text.h"

namespace crestaverde {

double scoreValue(std::string_view scoreText) {
    const double value = numericValue(scoreText);
    return std::isfinite(value) ? value : 0;
}

bool isRecord(const ScoreTable& table, std::int32_t finalScore) {
    return scoreValue(table.back().score) <= finalScore;
}

void enterScore(ScoreTable& table, ScoreRow row, std::int32_t value) {
    const auto at = std::find_if(table.begin(), table.end(), [value](const ScoreRow& existing) {
        return scoreValue(existing.score) <= value;
    });
    if (at == table.end()) return;
    std::move_backward(at, table.end() - 1, table.end());
    *at = std::move(row);
}

}  // namespace crestaverde
