// Clicking cards: legality, the tower play, peak bonuses, the cleared board and the draw.

#include <gtest/gtest.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

class Play : public ::testing::Test {
  protected:
    void SetUp() override { game.startGame(); }

    void setValue(int slot, int value) {
        game.edit().Image1[slot].Tag = std::to_string(value);
        game.edit().Image1[slot].picture = "card" + std::to_string(slot);
    }
    // Takes every tower card except the given ones off the board and turns up what that frees.
    void clearTowersExcept(std::initializer_list<int> kept) {
        for (int slot = 1; slot <= kTowerSlotCount; ++slot) {
            if (std::find(kept.begin(), kept.end(), slot) == kept.end()) {
                game.edit().Image1[slot].Visible = false;
            }
        }
        game.board.destapar();
    }
    [[nodiscard]] std::string score() const { return game.s().Label2.text; }

    TestGame game{4242};
};

TEST_F(Play, NeighboursPlayWithTheAceKingWrap) {
    struct Case {
        int faceUp, tower;
        bool playable;
    };
    const Case cases[] = {{13, 12, true}, {13, 1, true},  {13, 13, false}, {1, 2, true},
                          {1, 13, true},  {1, 1, false},  {7, 8, true},    {7, 6, true},
                          {7, 9, false},  {2, 13, false}, {12, 1, false}};
    for (const Case& c : cases) {
        TestGame fresh(77);
        fresh.startGame();
        fresh.edit().Image1[52].Tag = std::to_string(c.faceUp);
        fresh.edit().Image1[7].Tag = std::to_string(c.tower);
        fresh.board.Image1_Click(7);
        EXPECT_EQ(!fresh.s().Image1[7].Visible, c.playable) << c.faceUp << " <- " << c.tower;
    }
}

TEST_F(Play, APlayMovesTheCardOntoTheFaceUpCardAndScores) {
    setValue(52, 5);
    setValue(8, 6);
    game.edit().tiempo = 120;
    game.board.Image1_Click(8);
    EXPECT_FALSE(game.s().Image1[8].Visible);
    EXPECT_EQ(game.s().Image1[52].picture, "card8");
    EXPECT_EQ(game.s().Image1[52].Tag, "6");
    EXPECT_EQ(game.s().contar, 52);
    EXPECT_EQ(score(), "300");
    EXPECT_EQ(game.s().tiempo, 160);
    EXPECT_EQ(game.s().ProTiempo, 160);

    setValue(9, 5);  // judged against the played six now
    game.board.Image1_Click(9);
    EXPECT_FALSE(game.s().Image1[9].Visible);
    EXPECT_EQ(score(), "600");
}

TEST_F(Play, TimeGainedIsCappedAtAFullBar) {
    setValue(52, 5);
    setValue(8, 6);
    game.edit().tiempo = 195;
    game.board.Image1_Click(8);
    EXPECT_EQ(game.s().tiempo, 200);
    EXPECT_EQ(game.s().ProTiempo, 200);
}

TEST_F(Play, TheGainGrowsWithTheLevel) {
    game.edit().level = 3;
    setValue(52, 5);
    setValue(8, 6);
    game.edit().tiempo = 100;
    game.board.Image1_Click(8);
    EXPECT_EQ(game.s().tiempo, 160);
}

TEST_F(Play, AMisfitChangesNothingWhileNoPeakIsGone) {
    setValue(52, 5);
    setValue(8, 9);
    const BoardState before = game.s();
    game.board.Image1_Click(8);
    EXPECT_TRUE(game.s().Image1[8].Visible);
    EXPECT_EQ(game.s().Image1[52].Tag, before.Image1[52].Tag);
    EXPECT_EQ(score(), "0");
    EXPECT_EQ(game.s().tiempo, before.tiempo);
}

TEST_F(Play, AGonePeakPaysAgainOnEveryTowerClick) {
    clearTowersExcept({11, 20, 7});
    game.edit().Image1[1].Visible = false;
    setValue(52, 5);
    setValue(7, 9);
    game.board.Image1_Click(7);  // misfit
    EXPECT_EQ(score(), "5000");
    EXPECT_TRUE(game.s().Label3[0].Visible);
    EXPECT_FALSE(game.s().Label3[1].Visible);
    game.board.Image1_Click(7);  // the same misfit again
    EXPECT_EQ(score(), "10000");
    setValue(7, 6);
    game.board.Image1_Click(7);  // a play with one peak gone
    EXPECT_EQ(score(), "15300");
    game.board.Image1_Click(52);  // a draw pays no bonus
    EXPECT_EQ(score(), "15300");
}

TEST_F(Play, TheThirdPeakPaysThreeBonusesThenTheBoardIsCleared) {
    clearTowersExcept({1, 11, 20});
    setValue(52, 5);
    setValue(1, 6);
    setValue(11, 7);
    setValue(20, 8);
    game.board.Image1_Click(1);
    EXPECT_EQ(score(), "5300");
    game.board.Image1_Click(11);
    EXPECT_EQ(score(), "15600");  // 300 + 2 x 5000 on top of 5300
    game.services.shown.clear();
    game.board.Image1_Click(20);
    EXPECT_EQ(score(), "30900");  // 300 + 3 x 5000
    ASSERT_EQ(game.services.shown.size(), 1U);
    EXPECT_EQ(game.services.shown[0], messageShown("LO HAS CONSEGUIDO", 0));
    EXPECT_EQ(game.clock().interval(), 10);
    for (const Caption& notice : game.s().Label3) EXPECT_TRUE(notice.Visible);
}

TEST_F(Play, ClicksTheWindowWouldNotDeliverAreIgnored) {
    const BoardState before = game.s();
    game.board.Image1_Click(1);   // covered peak
    game.board.Image1_Click(4);   // covered row 3
    game.board.Image1_Click(40);  // a hidden stock slot
    game.board.Image1_Click(0);
    game.board.Image1_Click(53);
    game.board.Image1_Click(-3);
    EXPECT_EQ(game.s().contar, before.contar);
    EXPECT_EQ(game.s().Label8.text, "24");
    EXPECT_TRUE(game.services.shown.size() == 2U);  // only the banner's two boxes
    game.edit().Image1[7].Visible = false;
    setValue(52, 5);
    game.edit().Image1[7].Tag = "6";
    game.board.Image1_Click(7);  // gone
    EXPECT_EQ(score(), "0");
}

TEST_F(Play, DrawingCountsDownAndTheLastDrawLosesTheRound) {
    for (int drawn = 1; drawn <= 23; ++drawn) {
        game.board.Image1_Click(game.s().contar);
        EXPECT_EQ(game.s().contar, 52 - drawn);
        EXPECT_EQ(game.s().Label8.text, std::to_string(24 - drawn));
        EXPECT_TRUE(game.s().Image1[game.s().contar].Visible);
        EXPECT_FALSE(game.s().Image1[game.s().contar + 1].Visible);
    }
    EXPECT_EQ(game.s().Label8.text, "1");
    game.edit().Label2.text = "900";
    game.edit().level = 3;
    game.services.shown.clear();
    game.board.Image1_Click(29);
    EXPECT_EQ(game.services.boxTexts(),
              (std::vector<std::string>{"Siguiente Ronda: No lo conseguistes"}));
    EXPECT_EQ(game.services.shown[0].style, 48);
    EXPECT_EQ(game.s().bono, 1);
    EXPECT_EQ(game.s().level, 1);
    EXPECT_EQ(game.s().Label2.text, "900");
    EXPECT_EQ(game.s().contar, 52);
    EXPECT_EQ(game.s().Image2, "atras.jpg");
    EXPECT_TRUE(game.services.timer(TimerId::Timer3).enabled());
}

TEST_F(Play, ExhaustingTheStockOnTheLastTryEndsTheGame) {
    game.edit().bono = 1;
    game.edit().Label2.text = "4200";
    game.services.onMenu = [] {};  // the player stays in the menu: inspect the reset board
    for (int drawn = 1; drawn <= 24; ++drawn) game.board.Image1_Click(game.s().contar);
    EXPECT_EQ(game.services.boxTexts().back(), "JUEGO TERMINADO: No lo conseguistes");
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{4200}));
    EXPECT_EQ(game.services.menuShown, 2);
    EXPECT_EQ(game.s().bono, 2);
    EXPECT_FALSE(game.clock().enabled());
}

TEST_F(Play, TheStockRunsOutDuringTheCountdownLikeAnyOtherTime) {
    game.edit().Image1[1].Visible = game.edit().Image1[11].Visible =
        game.edit().Image1[20].Visible = false;
    game.clock().setInterval(10);
    for (int drawn = 1; drawn <= 24; ++drawn) game.board.Image1_Click(game.s().contar);
    EXPECT_EQ(game.services.boxTexts().back(), "Siguiente Ronda: No lo conseguistes");
    EXPECT_EQ(game.clock().interval(), 2000);
}

}  // namespace
}  // namespace crestaverde::testing
