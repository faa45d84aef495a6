// SPDX-License-Identifier: GPL-3.0-or-later
#include "score_entry.h"

#include <algorithm>
#include <cmath>

#include "numeric_text.h"

namespace crestaverde {

double scoreValue(std::string_view score) {
    const double value = numericValue(score);
    return std::isfinite(value) ? value : 0;
}

bool isRecord(const ScoreTable& table, std::int32_t puntos) {
    return scoreValue(table.back().score) <= puntos;
}

bool enterScore(ScoreTable& table, ScoreRow row, std::int32_t puntos) {
    const auto at = std::find_if(table.begin(), table.end(), [puntos](const ScoreRow& existing) {
        return scoreValue(existing.score) <= puntos;
    });
    if (at == table.end()) return false;
    std::move_backward(at, table.end() - 1, table.end());
    *at = std::move(row);
    return true;
}

}  // namespace crestaverde
