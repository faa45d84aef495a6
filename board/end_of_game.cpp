// SPDX-License-Identifier: GPL-3.0-or-later
// Losing a try, abandoning a game and ending one: the score goes to the high-score check, the
// board resets.

#include <algorithm>
#include <limits>

#include "board.h"
#include "board_texts.h"

namespace crestaverde {

void Board::loseTry() {
    --s_.triesLeft;
    if (s_.triesLeft > 0) {
        s_.level = 1;
        services_.message(texts::kTryLost, BoxIcon::Warning, texts::kNextRoundTitle);
        deal();
    } else {
        services_.message(texts::kTryLost, BoxIcon::Warning, texts::kGameOverTitle);
        clock().stop();
        endGame();
    }
}

void Board::abandon() {
    if (services_.ask(texts::kAbandonQuestion)) endGame();
}

bool Board::inPlay() const {
    return s_.phase == Phase::Banner || s_.phase == Phase::Playing || s_.phase == Phase::Countdown;
}

bool Board::closeRequested() {
    if (!inPlay()) return true;
    if (!services_.ask(texts::kAbandonQuestion)) return false;
    finishGame();
    return true;
}

void Board::endGame() {
    finishGame();
    services_.showMenu();
}

// The board behind the menu is dealt afresh, as the draws from the random sequence have always
// been, but shows blank faces until the next game.
void Board::finishGame() {
    // A score beyond the 32-bit range enters the table as the largest score it can hold.
    scores_.recordFinalScore(static_cast<std::int32_t>(
        std::min<std::int64_t>(s_.score, std::numeric_limits<std::int32_t>::max())));
    dealCards();
    clock().stop();
    services_.timer(TimerId::Banner).stop();
    s_.phase = Phase::Over;
    s_.timeLeft = kFullTime;
    s_.timeBar = 0;
    s_.level = 1;
    s_.score = 0;
    s_.triesLeft = kTriesPerGame;
}

}  // namespace crestaverde
