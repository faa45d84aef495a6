// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the board window: during a game it is the abandon button's question; with no game in
// play it ends the program at once.

#include <gtest/gtest.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

// The window-level tests play the rest: No keeps the game, Yes ends it and the program.
TEST(ClosingTheBoard, AsksFirstInEveryPhaseOfAGameInPlayOnly) {
    for (const auto& [phase, inPlay] : {std::pair{Phase::Banner, true},
                                        {Phase::Playing, true},
                                        {Phase::Countdown, true},
                                        {Phase::Over, false}}) {
        TestGame game;
        game.startGame();
        game.edit().phase = phase;
        const std::size_t boxes = game.services.shown.size();
        game.services.answerNext(false);
        EXPECT_EQ(game.board.closeRequested(), !inPlay) << static_cast<int>(phase);
        EXPECT_EQ(game.services.shown.size(), boxes + (inPlay ? 1 : 0)) << static_cast<int>(phase);
    }
}

}  // namespace
}  // namespace crestaverde::testing
