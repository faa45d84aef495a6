// SPDX-License-Identifier: GPL-3.0-or-later
// The player's moves: playing a tower card, drawing from the stock, and what they score.

#include <algorithm>
#include <limits>

#include "board.h"
#include "board_texts.h"

namespace crestaverde {
namespace {

constexpr int kCardPoints = 300;

}  // namespace

// Every tower click pays the peak bonuses, whether the card fits or not.
void Board::playTowerCard(int position) {
    if (!s_.canPlay(position)) return;
    const Card card = s_.tower[static_cast<std::size_t>(position)];
    if (neighbours(card.rank, s_.faceUp.rank)) {
        s_.taken[static_cast<std::size_t>(position)] = true;
        s_.faceUp = card;
        uncover();
        addScore(kCardPoints);
        s_.timeLeft = std::min(s_.timeLeft + (s_.level + 3) * 10, kFullTime);
        s_.timeBar = s_.timeLeft;
    }
    payPeakBonuses();
    if (!s_.cleared()) return;
    services_.message(texts::kCleared);
    // Cleared under the banner, the countdown starts when the banner ends.
    if (s_.phase == Phase::Playing || s_.phase == Phase::Countdown) {
        s_.phase = Phase::Countdown;
        startClock();
    }
}

// Nothing records a bonus as paid: every tower click pays again for every peak gone.
void Board::payPeakBonuses() {
    for (std::size_t peak = 0; peak < kPeaks.size(); ++peak) {
        if (s_.peakTaken(peak)) addScore(kPeakBonus);
    }
}

// The repeated peak bonus has no upper bound, so the score saturates instead of wrapping.
void Board::addScore(std::int64_t points) {
    const std::int64_t room = std::numeric_limits<std::int64_t>::max() - s_.score;
    s_.score += std::min(points, room);
}

// The round is lost not when the last card is turned, but when one more is asked for.
void Board::drawFromStock() {
    if (!s_.canDraw()) return;
    --s_.stockLeft;
    if (!s_.stockEmpty()) {
        s_.faceUp = s_.stock[static_cast<std::size_t>(s_.stockLeft - 1)];
        return;
    }
    loseTry();
}

}  // namespace crestaverde
