// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the board window: during a game it is the abandon button's question; with no game in
// play it ends the program at once.

#include <gtest/gtest.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

TEST(ClosingTheBoard, DuringAGameAsksAsAbandonDoesAndOnlyYesEndsItWithoutTheMenu) {
    TestGame game;
    game.startGame();
    game.edit().score = 1300;
    const int menus = game.services.menuShown;
    game.services.answerNext(false);
    EXPECT_FALSE(game.board.closeRequested());
    EXPECT_EQ(game.services.boxTexts().back(), "CRESTAVERDE: ¿Desea abandonar la partida?");
    EXPECT_TRUE(game.scores.handed.empty());
    EXPECT_EQ(game.s().phase, Phase::Playing);
    EXPECT_TRUE(game.clock().active());
    game.services.answerNext(true);
    EXPECT_TRUE(game.board.closeRequested());
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{1300}));
    EXPECT_EQ(game.s().phase, Phase::Over);
    EXPECT_FALSE(game.clock().active());
    EXPECT_EQ(game.services.menuShown, menus);  // the program ends instead
}

TEST(ClosingTheBoard, DuringTheBannerAndTheCountdownIsAGameInPlayToo) {
    for (const Phase phase : {Phase::Banner, Phase::Countdown}) {
        TestGame game;
        game.startGame();
        game.edit().phase = phase;
        game.services.answerNext(false);
        EXPECT_FALSE(game.board.closeRequested());
        EXPECT_EQ(game.services.shown.size(), 3U) << static_cast<int>(phase);  // banner + question
    }
}

TEST(ClosingTheBoard, WithNoGameInPlayEndsAtOnceWithoutAsking) {
    TestGame game;
    EXPECT_TRUE(game.board.closeRequested());  // before the first deal
    game.services.onMenu = [] {};              // the player stays in the menu after a game
    game.startGame();
    game.services.answerNext(true);
    game.board.abandon();
    const std::size_t boxes = game.services.shown.size();
    EXPECT_TRUE(game.board.closeRequested());
    EXPECT_EQ(game.services.shown.size(), boxes);
    EXPECT_EQ(game.scores.handed.size(), 1U);
}

}  // namespace
}  // namespace crestaverde::testing
