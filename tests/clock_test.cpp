// The level-start banner, the round clock and its levels, the countdown, pause, and the ticks
// held back while a box is open.

#include <gtest/gtest.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

TEST(Banner, FillsTheBarInStepsOfFiveThenAnnouncesTheLevelAndStartsTheClock) {
    TestGame game;
    game.services.showMenu();
    EXPECT_EQ(game.s().timeBar, 0);
    game.services.advance(40);
    EXPECT_EQ(game.s().timeBar, 200);
    EXPECT_TRUE(game.services.shown.empty());
    EXPECT_FALSE(game.clock().active());
    game.services.advance(1);
    EXPECT_EQ(game.services.boxTexts(),
              (std::vector<std::string>{"CRESTAVERDE: NIVEL 1", "CRESTAVERDE: Empieza"}));
    EXPECT_EQ(game.s().phase, Phase::Playing);
    EXPECT_TRUE(game.clock().active());
    EXPECT_FALSE(game.banner().active());
}

TEST(Banner, NeedsBothTheBarAndTheTimeFull) {
    TestGame game;
    game.startGame();
    game.edit().timeLeft = 195;
    game.services.shown.clear();
    game.banner().start(kBannerIntervalMs);
    game.services.advance(5);
    EXPECT_TRUE(game.services.shown.empty());
    EXPECT_GT(game.s().timeBar, 200);  // the bar keeps climbing past full
}

struct LevelPace {
    int level, interval, drain, tickThatRunsOut;
};

class LevelTable : public ::testing::TestWithParam<LevelPace> {};

TEST_P(LevelTable, DrainsAtTheLevelsPaceAndRunsOutOnTime) {
    const LevelPace pace = GetParam();
    TestGame game;
    game.edit().level = pace.level;
    game.startGame();
    EXPECT_EQ(game.clock().interval(), pace.interval);
    game.services.shown.clear();
    for (int tick = 1; tick < pace.tickThatRunsOut; ++tick) {
        game.services.advance(pace.interval);
        ASSERT_EQ(game.s().timeLeft, 200 - tick * pace.drain) << "tick " << tick;
        EXPECT_EQ(game.s().timeBar, game.s().timeLeft);
    }
    EXPECT_TRUE(game.services.shown.empty());
    game.services.advance(pace.interval);
    ASSERT_FALSE(game.services.shown.empty());
    EXPECT_EQ(game.services.shown.front(),
              (ShownBox{"JUEGO TERMINADO", "El tiempo se ha acabado", BoxIcon::Warning}));
}

INSTANTIATE_TEST_SUITE_P(OneToTen, LevelTable,
                         ::testing::Values(LevelPace{1, 2000, 20, 11}, LevelPace{2, 1800, 25, 9},
                                           LevelPace{3, 1600, 30, 7}, LevelPace{5, 1200, 40, 6},
                                           LevelPace{8, 600, 55, 4}, LevelPace{10, 200, 65, 4}));

TEST(Clock, FromLevelElevenOnThereIsNoTimeLimit) {
    for (const int level : {11, 12, 30, 32767}) {
        TestGame game;
        game.edit().level = level;
        game.startGame();
        game.services.advance(10 * 60 * 1000);
        EXPECT_EQ(game.s().timeLeft, 200) << level;
        EXPECT_EQ(game.clock().interval(), 0);
    }
}

TEST(TimeOut, WithATryLeftDealsAgainAtLevelOneKeepingTheScore) {
    TestGame game;
    game.edit().level = 9;
    game.startGame();
    game.edit().score = 7000;
    game.services.shown.clear();
    game.services.advance(4 * 400);
    EXPECT_EQ(game.services.boxTexts(),
              (std::vector<std::string>{"JUEGO TERMINADO: El tiempo se ha acabado",
                                        "Siguiente Ronda: No lo conseguistes"}));
    EXPECT_EQ(std::tuple(game.s().triesLeft, game.s().level, game.s().score, game.s().timeBar),
              std::tuple(1, 1, 7000, 0));
    EXPECT_EQ(game.s().phase, Phase::Banner);
    game.finishBanner();
    EXPECT_EQ(game.clock().interval(), 2000);
}

TEST(TimeOut, OnTheLastTryEndsTheGame) {
    TestGame game;
    game.startGame();
    game.edit().triesLeft = 1;
    game.edit().score = 2500;
    game.services.shown.clear();
    game.services.advance(22000);
    EXPECT_EQ(game.services.boxTexts(),
              (std::vector<std::string>{"JUEGO TERMINADO: El tiempo se ha acabado",
                                        "JUEGO TERMINADO: No lo conseguistes"}));
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{2500}));
    EXPECT_EQ(std::tuple(game.s().triesLeft, game.s().score), std::tuple(2, 0));
}

TEST(Countdown, PaysTheTimeLeftThenRaisesTheLevelAndDeals) {
    TestGame game;
    game.startGame();
    game.keepOnly({7});
    game.setRank(0, 5);
    game.setRank(7, 9);
    game.board.playTowerCard(7);  // all peaks gone: 15000
    game.services.advance(39 * 10);
    EXPECT_EQ(game.s().score, 15000 + 39 * 400);
    EXPECT_EQ(game.s().level, 1);
    game.services.advance(10);
    EXPECT_EQ(game.s().score, 15000 + 39 * 400);
    EXPECT_EQ(game.s().level, 2);
    EXPECT_EQ(game.s().phase, Phase::Banner);
    game.finishBanner();
    EXPECT_EQ(game.clock().interval(), 1800);
    EXPECT_EQ(game.s().triesLeft, 2);
}

TEST(Countdown, AClearedBoardUnderTheBannerCountsDownWhenTheBannerEnds) {
    TestGame game;
    game.services.showMenu();
    game.keepOnly({7});
    game.setRank(0, 5);
    game.setRank(7, 6);
    game.board.playTowerCard(7);
    EXPECT_EQ(game.s().phase, Phase::Banner);
    EXPECT_FALSE(game.clock().active());
    game.finishBanner();
    EXPECT_EQ(game.s().phase, Phase::Countdown);
    EXPECT_EQ(game.clock().interval(), 10);
}

TEST(Countdown, AfterLevelElevenReachesLevelTwelveWithoutALimit) {
    TestGame game;
    game.edit().level = 11;
    game.startGame();
    game.edit().timeLeft = 5;
    game.keepOnly({7});
    game.setRank(0, 5);
    game.setRank(7, 9);
    game.board.playTowerCard(7);
    game.services.advance(10);
    EXPECT_EQ(game.s().level, 12);
    game.finishBanner();
    EXPECT_EQ(game.clock().interval(), 0);
    game.services.advance(60000);
    EXPECT_EQ(game.s().timeLeft, 200);
}

TEST(Pause, MinimisingStopsTheClockAndRestoringResumesIt) {
    TestGame game;
    game.startGame();
    game.services.advance(4000);
    game.board.pause();
    EXPECT_TRUE(game.s().paused);
    game.services.advance(60000);
    EXPECT_EQ(std::pair(game.s().timeLeft, game.s().timeBar), std::pair(160, 160));
    game.board.resume();
    EXPECT_FALSE(game.s().paused);
    game.services.advance(2000);
    EXPECT_EQ(game.s().timeLeft, 140);
}

TEST(Pause, MinimisingDuringTheBannerNeitherStopsItNorStartsTheClockEarly) {
    TestGame game;
    game.services.showMenu();
    game.services.advance(10);
    game.board.pause();
    game.services.advance(20);
    game.board.resume();
    EXPECT_FALSE(game.clock().active());
    game.finishBanner();
    EXPECT_EQ(std::tuple(game.s().timeLeft, game.s().triesLeft), std::tuple(200, 2));
    game.services.advance(20000);  // a full bar lasts its whole 22 seconds
    EXPECT_EQ(game.s().triesLeft, 2);
    game.services.advance(2000);
    EXPECT_EQ(game.s().triesLeft, 1);
}

TEST(Pause, AGameThatEndedWhilePausedDoesNotRestartItsClockOnRestore) {
    TestGame game;
    game.startGame();
    game.edit().triesLeft = 1;
    game.services.onMenu = [] {};
    game.services.whileNextBoxOpen([&] { game.board.pause(); });
    game.services.advance(22000);
    EXPECT_EQ(game.s().phase, Phase::Over);
    game.board.resume();
    EXPECT_FALSE(game.clock().active());
}

TEST(HeldTicks, TheClockWaitsWhileTheClearedBoardMessageIsOpen) {
    TestGame game;
    game.startGame();
    game.keepOnly({20});
    game.setRank(0, 4);
    game.setRank(20, 5);
    game.edit().timeLeft = 40;
    // The player leaves the box open for a minute: the clock would have run out three times.
    game.services.whileNextBoxOpen([&] { game.services.advance(60000); });
    game.board.playTowerCard(20);
    EXPECT_EQ(game.s().timeLeft, 80);
    game.services.runPosted();  // the one held tick now runs, as the first countdown step
    EXPECT_EQ(game.s().timeLeft, 75);
    EXPECT_EQ(game.s().triesLeft, 2);
    game.services.advance(150);
    EXPECT_EQ(game.s().level, 2);
}

TEST(HeldTicks, TheAbandonQuestionHoldsTheClockAndNoKeepsPlaying) {
    TestGame game;
    game.startGame();
    game.services.answerNext(false, [&] { game.services.advance(60000); });
    game.board.abandon();
    EXPECT_EQ(game.s().timeLeft, 200);
    game.services.runPosted();
    EXPECT_EQ(game.s().timeLeft, 180);  // one held tick, not thirty
    game.services.advance(2000);
    EXPECT_EQ(game.s().timeLeft, 160);
}

TEST(HeldTicks, ATickOfAStoppedTimerIsDropped) {
    TestGame game;
    game.startGame();
    game.services.onMenu = [] {};
    game.services.answerNext(true, [&] { game.services.advance(5000); });
    game.board.abandon();
    game.services.advance(10000);
    EXPECT_EQ(game.s().timeLeft, 200);
    EXPECT_EQ(game.scores.handed.size(), 1U);
}

}  // namespace
}  // namespace crestaverde::testing
