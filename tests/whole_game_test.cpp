// SPDX-License-Identifier: GPL-3.0-or-later
// Complete games through the contract, from the first menu to the score in the file, checking
// the board's invariants after every move.

#include <gtest/gtest.h>

#include <set>

#include "fake_services.h"
#include "menu.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

// The real record table and board over the fake window layer; the menu's Play deals while
// games are left to play.
struct WholeGame {
    WholeGame() {
        game.services.onMenu = [this] {
            menu.open();
            if (gamesToPlay-- > 0) game.board.deal();
        };
    }

    // Plays greedily: the first free tower card that fits, else a draw.
    void playOneMove() {
        const BoardState& s = game.s();
        for (int p = 1; p <= kTowerCards; ++p) {
            if (s.canPlay(p) && neighbours(s.tower[p].rank, s.faceUp.rank)) {
                game.board.playTowerCard(p);
                return;
            }
        }
        game.board.drawFromStock();
    }

    void checkInvariants() const {
        const BoardState& s = game.s();
        if (!s.inPlay()) return;
        ASSERT_GE(s.stockLeft, 1);
        ASSERT_EQ(s.timeLeft % 5, 0);
        ASSERT_TRUE(s.timeLeft >= 0 && s.timeLeft <= 200);
        std::set<std::pair<int, Suit>> seen{{s.faceUp.rank, s.faceUp.suit}};
        for (int p = 1; p <= kTowerCards; ++p) {
            if (s.taken[p]) continue;
            ASSERT_TRUE(seen.insert({s.tower[p].rank, s.tower[p].suit}).second);
        }
        // Only a face-up card can have been played.
        for (int p = 1; p <= kTowerCards; ++p) ASSERT_FALSE(s.taken[p] && s.faceDown[p]) << p;
    }

    TempFolder folder;
    TestGame game{555, &menu};
    Menu menu{game.services, RecordFile(folder.file("record.ini"))};
    int gamesToPlay = 1;  // then the player stays in the menu
};

TEST(WholeGame, PlaysBothTriesToTheEndAndTheScoreLandsInTheFile) {
    WholeGame whole;
    whole.game.services.typeNext("Jugadora");
    whole.game.services.showMenu();
    for (int move = 0; move < 100000 && whole.game.s().phase != Phase::Over; ++move) {
        whole.game.finishBanner();
        whole.playOneMove();
        ASSERT_NO_FATAL_FAILURE(whole.checkInvariants());
        whole.game.services.advance(200);
    }
    ASSERT_EQ(whole.game.s().phase, Phase::Over);
    int lostRounds = 0;
    for (const std::string& text : whole.game.services.boxTexts())
        lostRounds += text.ends_with("No lo conseguistes") ? 1 : 0;
    EXPECT_EQ(lostRounds, 2);
    const ScoreRow best = whole.menu.table()[0];
    EXPECT_EQ(best.name, "Jugadora");
    EXPECT_GT(std::stoll(best.score), 0);
    EXPECT_EQ(readBytes(whole.folder.file("record.ini")),
              "Jugadora\r\n" + best.score + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

}  // namespace
}  // namespace crestaverde::testing
