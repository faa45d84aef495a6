// The round clock, the level-start banner, the start timer, pause, and held-back ticks.

#include <gtest/gtest.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

TEST(Banner, FillsTheBarInStepsOfFiveThenAnnouncesTheLevel) {
    TestGame game;
    game.services.advance(1);  // the menu opens and Play deals
    EXPECT_EQ(game.services.menuShown, 1);
    EXPECT_EQ(game.services.menuHidden, 1);
    EXPECT_FALSE(game.services.timer(TimerId::Timer2).enabled());
    EXPECT_EQ(game.s().ProTiempo, 0);
    game.services.advance(40);
    EXPECT_EQ(game.s().ProTiempo, 200);
    EXPECT_TRUE(game.services.shown.empty());
    EXPECT_FALSE(game.clock().enabled());
    game.services.advance(1);  // the 41st tick
    EXPECT_EQ(game.services.shown,
              (std::vector<ShownBox>{messageShown("NIVEL 1", 0), messageShown("Empieza", 0)}));
    EXPECT_TRUE(game.clock().enabled());
    EXPECT_FALSE(game.services.timer(TimerId::Timer3).enabled());
}

TEST(Banner, NeedsBothTheBarAndTheTimeFull) {
    TestGame game;
    game.startGame();
    game.edit().tiempo = 195;
    game.services.shown.clear();
    game.services.timer(TimerId::Timer3).setEnabled(true);
    game.services.advance(5);
    EXPECT_TRUE(game.services.shown.empty());
    EXPECT_GT(game.s().ProTiempo, 200);  // the bar keeps climbing past full
}

TEST(StartTimer, OpensTheMenuOnlyOnce) {
    TestGame game;
    game.services.advance(1);
    game.services.advance(5000);
    EXPECT_EQ(game.services.menuShown, 1);
}

struct LevelPace {
    int level, interval, drain, tickThatRunsOut;
};

class LevelTable : public ::testing::TestWithParam<LevelPace> {};

TEST_P(LevelTable, DrainsAtTheLevelsPaceAndRunsOutOnTime) {
    const LevelPace pace = GetParam();
    TestGame game;
    game.startGame();
    game.edit().level = static_cast<std::int16_t>(pace.level);
    game.board.repartir(true);
    game.finishBanner();
    EXPECT_EQ(game.clock().interval(), pace.interval);
    game.services.shown.clear();
    game.services.defaultAnswer = [](const ShownBox&) { return box::kAnswerOk; };
    for (int tick = 1; tick < pace.tickThatRunsOut; ++tick) {
        game.services.advance(pace.interval);
        EXPECT_EQ(game.s().tiempo, 200 - tick * pace.drain) << "tick " << tick;
        EXPECT_EQ(game.s().ProTiempo, game.s().tiempo);
    }
    EXPECT_TRUE(game.services.shown.empty());
    game.services.advance(pace.interval);
    ASSERT_FALSE(game.services.shown.empty());
    EXPECT_EQ(game.services.boxTexts().front(), "JUEGO TERMINADO: El tiempo se ha acabado");
}

INSTANTIATE_TEST_SUITE_P(OneToTen, LevelTable,
                         ::testing::Values(LevelPace{1, 2000, 20, 11}, LevelPace{2, 1800, 25, 9},
                                           LevelPace{3, 1600, 30, 7}, LevelPace{4, 1400, 35, 6},
                                           LevelPace{5, 1200, 40, 6}, LevelPace{6, 1000, 45, 5},
                                           LevelPace{7, 800, 50, 5}, LevelPace{8, 600, 55, 4},
                                           LevelPace{9, 400, 60, 4}, LevelPace{10, 200, 65, 4}));

TEST(Clock, LevelElevenAndBeyondHaveNoTimeLimit) {
    for (const int level : {11, 12, 30}) {
        TestGame game;
        game.startGame();
        game.edit().level = static_cast<std::int16_t>(level);
        game.board.repartir(true);
        game.finishBanner();
        game.services.advance(10 * 60 * 1000);
        EXPECT_EQ(game.s().tiempo, 200) << level;
        EXPECT_EQ(game.clock().interval(), 0);
    }
}

TEST(Clock, LevelOneReadings) {
    TestGame game;
    game.startGame();
    game.services.advance(2000);
    EXPECT_EQ(game.s().ProTiempo, 180);
    game.services.advance(18000);
    EXPECT_EQ(game.s().ProTiempo, 0);
}

TEST(TimeOut, WithATryLeftDealsAgainAtLevelOneKeepingTheScore) {
    TestGame game;
    game.startGame();
    game.edit().level = 9;
    game.edit().Label2.text = "7000";
    game.board.repartir(true);
    game.finishBanner();
    game.services.shown.clear();
    game.services.advance(4 * 400);
    EXPECT_EQ(game.services.boxTexts(),
              (std::vector<std::string>{"JUEGO TERMINADO: El tiempo se ha acabado",
                                        "Siguiente Ronda: No lo conseguistes"}));
    EXPECT_EQ(game.services.shown[0].style, 48);
    EXPECT_EQ(game.services.shown[1].style, 48);
    EXPECT_EQ(game.s().bono, 1);
    EXPECT_EQ(game.s().level, 1);
    EXPECT_EQ(game.s().Label2.text, "7000");
    EXPECT_EQ(game.s().ProTiempo, 0);
    EXPECT_TRUE(game.services.timer(TimerId::Timer3).enabled());
    EXPECT_EQ(game.clock().interval(), 2000);
}

TEST(TimeOut, OnTheLastTryEndsTheGame) {
    TestGame game;
    game.startGame();
    game.edit().bono = 1;
    game.edit().Label2.text = "2500";
    game.services.shown.clear();
    game.services.advance(22000);
    EXPECT_EQ(game.services.boxTexts(),
              (std::vector<std::string>{"JUEGO TERMINADO: El tiempo se ha acabado",
                                        "JUEGO TERMINADO: No lo conseguistes"}));
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{2500}));
    EXPECT_EQ(game.services.menuShown, 2);  // and Play dealt the next game
    EXPECT_EQ(game.s().bono, 2);
    EXPECT_EQ(game.s().Label2.text, "0");
    EXPECT_TRUE(game.services.timer(TimerId::Timer3).enabled());
}

TEST(Countdown, PaysTheTimeLeftThenRaisesTheLevelAndDeals) {
    TestGame game;
    game.startGame();
    game.edit().Label2.text = "1000";
    game.clock().setInterval(10);
    game.services.advance(39 * 10);
    EXPECT_EQ(game.s().Label2.text, "16600");  // 39 paying ticks
    EXPECT_EQ(game.s().level, 1);
    game.services.advance(10);
    EXPECT_EQ(game.s().Label2.text, "16600");
    EXPECT_EQ(game.s().level, 2);
    EXPECT_EQ(game.clock().interval(), 1800);
    EXPECT_FALSE(game.clock().enabled());
    EXPECT_TRUE(game.services.timer(TimerId::Timer3).enabled());
    EXPECT_EQ(game.s().bono, 2);
}

TEST(Countdown, FromFiveUnitsPaysNothing) {
    TestGame game;
    game.startGame();
    game.edit().tiempo = 5;
    game.clock().setInterval(10);
    game.services.advance(10);
    EXPECT_EQ(game.s().Label2.text, "0");
    EXPECT_EQ(game.s().level, 2);
}

TEST(Countdown, AfterLevelElevenReachesLevelTwelveWithoutALimit) {
    TestGame game;
    game.startGame();
    game.edit().level = 11;
    game.board.repartir(true);
    game.finishBanner();
    game.clock().setInterval(10);
    game.services.advance(400);
    EXPECT_EQ(game.s().level, 12);
    game.finishBanner();
    EXPECT_EQ(game.clock().interval(), 0);
    game.services.advance(60000);
    EXPECT_EQ(game.s().tiempo, 200);
}

TEST(Pause, MinimisingStopsTheClockAndRestoringResumesIt) {
    TestGame game;
    game.startGame();
    game.services.advance(4000);
    EXPECT_EQ(game.s().tiempo, 160);
    game.board.Form_LostFocus(WindowState::Minimized);
    EXPECT_TRUE(game.s().pausa);
    game.services.advance(60000);
    EXPECT_EQ(game.s().tiempo, 160);
    EXPECT_EQ(game.s().ProTiempo, 160);
    game.board.Form_GotFocus(WindowState::Normal);  // not yet maximised
    EXPECT_FALSE(game.clock().enabled());
    game.board.Form_GotFocus(WindowState::Maximized);
    EXPECT_FALSE(game.s().pausa);
    game.services.advance(2000);
    EXPECT_EQ(game.s().tiempo, 140);
}

TEST(Pause, LosingFocusWithoutMinimisingKeepsTheClock) {
    TestGame game;
    game.startGame();
    game.board.Form_LostFocus(WindowState::Maximized);
    EXPECT_TRUE(game.clock().enabled());
    EXPECT_FALSE(game.s().pausa);
}

TEST(Pause, MinimisingDuringTheBannerLetsTheBannerFinish) {
    TestGame game;
    game.services.advance(1);
    game.services.advance(10);
    game.board.Form_LostFocus(WindowState::Minimized);
    game.board.Form_GotFocus(WindowState::Maximized);
    game.finishBanner();
    EXPECT_EQ(game.s().tiempo, 200);
    EXPECT_TRUE(game.clock().enabled());
}

TEST(HeldTicks, TheClockWaitsWhileTheClearedBoardMessageIsOpen) {
    TestGame game;
    game.startGame();
    for (int slot = 1; slot <= kTowerSlotCount; ++slot) {
        if (slot != 20) game.edit().Image1[slot].Visible = false;
    }
    game.board.destapar();
    game.edit().Image1[52].Tag = "4";
    game.edit().Image1[20].Tag = "5";
    game.edit().tiempo = 40;
    // The player leaves the box open for a minute: the clock would have run out three times.
    game.services.answerNext(box::kAnswerOk, [&] { game.services.advance(60000); });
    game.board.Image1_Click(20);
    EXPECT_EQ(game.s().tiempo, 80);
    EXPECT_EQ(game.services.boxTexts().back(), "CRESTAVERDE: LO HAS CONSEGUIDO");
    game.services.runPosted();  // the one held tick now runs, as the first countdown step
    EXPECT_EQ(game.s().tiempo, 75);
    EXPECT_EQ(game.s().bono, 2);
    game.services.advance(150);
    EXPECT_EQ(game.s().level, 2);
}

TEST(HeldTicks, TheAbandonQuestionHoldsTheClockAndNoKeepsPlaying) {
    TestGame game;
    game.startGame();
    game.services.answerNext(box::kAnswerNo, [&] { game.services.advance(60000); });
    game.board.Command1_Click();
    EXPECT_EQ(game.s().tiempo, 200);
    EXPECT_EQ(game.s().bono, 2);
    game.services.runPosted();
    EXPECT_EQ(game.s().tiempo, 180);  // one held tick, not thirty
    game.services.advance(2000);
    EXPECT_EQ(game.s().tiempo, 160);
}

TEST(HeldTicks, ATickOfAStoppedTimerIsDropped) {
    TestGame game;
    game.startGame();
    game.services.onMenu = [] {};
    game.services.answerNext(box::kAnswerYes, [&] { game.services.advance(5000); });
    game.board.Command1_Click();
    game.services.advance(10000);
    EXPECT_EQ(game.s().tiempo, 200);  // the held tick found the clock stopped by the game's end
    EXPECT_EQ(game.scores.handed.size(), 1U);
}

}  // namespace
}  // namespace crestaverde::testing
