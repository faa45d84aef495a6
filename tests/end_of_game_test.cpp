// Abandoning and ending a game.

#include <gtest/gtest.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

class EndOfGame : public ::testing::Test {
  protected:
    void SetUp() override {
        game.startGame();
        game.services.shown.clear();
    }
    TestGame game{31337};
};

TEST_F(EndOfGame, AnsweringNoChangesNothing) {
    game.edit().Label2.text = "1300";
    game.services.advance(4000);
    const BoardState before = game.s();
    game.services.answerNext(box::kAnswerNo);
    game.board.Command1_Click();
    ASSERT_EQ(game.services.shown.size(), 1U);
    EXPECT_EQ(game.services.shown[0], messageShown("¿Desea abandonar la partida?", 36));
    EXPECT_EQ(game.s().Label2.text, "1300");
    EXPECT_EQ(game.s().tiempo, before.tiempo);
    EXPECT_TRUE(game.clock().enabled());
    EXPECT_TRUE(game.scores.handed.empty());
}

TEST_F(EndOfGame, AnsweringYesHandsTheScoreOnAndResetsTheBoard) {
    game.edit().Label2.text = "1300";
    game.edit().level = 5;
    game.edit().bono = 1;
    game.edit().Label3[1].Visible = true;
    game.services.onMenu = [] {};  // the player looks at the menu
    game.services.answerNext(box::kAnswerYes);
    game.board.Command1_Click();
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{1300}));
    const BoardState& s = game.s();
    EXPECT_EQ(s.Label2.text, "0");
    EXPECT_EQ(s.level, 1);
    EXPECT_EQ(s.bono, 2);
    EXPECT_EQ(s.tiempo, 200);
    EXPECT_EQ(s.ProTiempo, 0);
    EXPECT_EQ(s.Label8.text, "24");
    EXPECT_EQ(s.Image2, "atras.jpg");
    EXPECT_EQ(s.numero, 0);
    for (const Caption& notice : s.Label3) EXPECT_FALSE(notice.Visible);
    for (int i = 1; i <= kSlotCount; ++i) {
        EXPECT_EQ(s.Image1[i].picture, "carta.jpg");
        EXPECT_EQ(s.Image1[i].Visible, i <= 28 || i == 52);
    }
    EXPECT_FALSE(s.Image1[52].Enabled);
    for (int n = 1; n <= kCoverCount; ++n) EXPECT_TRUE(s.Image3[n].Visible);
    EXPECT_FALSE(game.clock().enabled());
    EXPECT_EQ(game.clock().interval(), 2000);
    EXPECT_FALSE(game.services.timer(TimerId::Timer3).enabled());
    EXPECT_EQ(game.services.menuShown, 2);

    game.board.Image1_Click(52);  // disabled until the next deal
    EXPECT_EQ(game.s().contar, 52);
}

TEST_F(EndOfGame, AScoreWithALeadingBlankIsRead) {
    game.edit().Label2.text = " 1300";
    game.board.perder();
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{1300}));
}

TEST_F(EndOfGame, AScoreBeyondThirtyTwoBitsIsHandedOnAsTheLargest) {
    game.edit().Label2.text = "2147483647";
    for (int slot : {1, 11, 20}) game.edit().Image1[slot].Visible = false;
    game.edit().Image1[52].Tag = "3";
    game.edit().Image1[7].Tag = "9";
    game.board.Image1_Click(7);  // three peaks gone... and a cleared-board box
    EXPECT_EQ(game.s().Label2.text, "2147498647");
    game.board.perder();
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{2147483647}));
}

TEST_F(EndOfGame, AbandoningDuringTheCountdownHandsOnThePointsSoFar) {
    game.clock().setInterval(10);
    game.services.advance(50);  // five paying ticks
    game.services.answerNext(box::kAnswerYes);
    game.board.Command1_Click();
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{2000}));
}

TEST_F(EndOfGame, QuittingFromTheMenuNeverReturnsIntoTheGame) {
    game.services.onMenu = [&] { game.services.endProgram(); };
    game.services.answerNext(box::kAnswerYes);
    EXPECT_THROW(game.board.Command1_Click(), ProgramEnded);
    EXPECT_EQ(game.scores.handed.size(), 1U);
}

}  // namespace
}  // namespace crestaverde::testing
