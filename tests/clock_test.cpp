// SPDX-License-Identifier: GPL-3.0-or-later
// The level-start banner, the round clock and its levels, the countdown, pause, and the ticks
// held back while a box is open.

#include <gtest/gtest.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

TEST(Banner, FillsTheBarInStepsOfFiveThenAnnouncesTheLevelOnlyWithTheTimeFull) {
    TestGame game;
    game.services.showMenu();
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

TEST(Clock, DrainsAtTheLevelsPaceAndRunsOutOnTime) {
    // Level, interval, drain per tick, the tick that runs out.
    for (const auto& [level, interval, drain, runsOut] :
         std::vector<std::array<int, 4>>{{1, 2000, 20, 11}, {3, 1600, 30, 7}, {10, 200, 65, 4}}) {
        TestGame game;
        game.edit().level = level;
        game.startGame();
        EXPECT_EQ(game.clock().interval(), interval);
        game.services.shown.clear();
        for (int tick = 1; tick < runsOut; ++tick) {
            game.services.advance(interval);
            ASSERT_EQ(game.s().timeLeft, 200 - tick * drain) << "level " << level;
            EXPECT_EQ(game.s().timeBar, game.s().timeLeft);
        }
        EXPECT_TRUE(game.services.shown.empty());
        game.services.advance(interval);
        ASSERT_FALSE(game.services.shown.empty()) << level;
        EXPECT_EQ(game.services.shown.front(),
                  (ShownBox{"JUEGO TERMINADO", "El tiempo se ha acabado", BoxIcon::Warning}));
    }
}

TEST(TimeOut, TheFirstDealsAgainAtLevelOneKeepingTheScoreTheSecondEndsTheGame) {
    TestGame game;
    game.services.onMenu = [&] {
        if (game.services.menuShown == 1) game.board.deal();
    };
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
    game.services.shown.clear();
    game.services.advance(22000);
    EXPECT_EQ(game.services.boxTexts(),
              (std::vector<std::string>{"JUEGO TERMINADO: El tiempo se ha acabado",
                                        "JUEGO TERMINADO: No lo conseguistes"}));
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{7000}));
    EXPECT_EQ(std::tuple(game.s().phase, game.s().triesLeft, game.s().score),
              std::tuple(Phase::Over, 2, 0));
}

class Countdown : public ::testing::Test {
  protected:
    // Takes the three peaks with a misfit click: 15000 points.
    void clear(int timeLeft = 200) {
        game.edit().timeLeft = timeLeft;
        game.keepOnly({7});
        game.setRank(0, 5);
        game.setRank(7, 9);
        game.board.playTowerCard(7);
    }
    TestGame game;
};

TEST_F(Countdown, PaysTheTimeLeftThenRaisesTheLevelAndDeals) {
    game.startGame();
    clear();
    game.services.advance(39 * 10);
    EXPECT_EQ(game.s().score, 15000 + 39 * 400);
    EXPECT_EQ(game.s().level, 1);
    game.services.advance(10);
    EXPECT_EQ(game.s().score, 15000 + 39 * 400);
    EXPECT_EQ(std::tuple(game.s().level, game.s().phase), std::tuple(2, Phase::Banner));
    game.finishBanner();
    EXPECT_EQ(game.clock().interval(), 1800);
    EXPECT_EQ(game.s().triesLeft, 2);
}

TEST_F(Countdown, StartsWhenTheBannerEndsIfTheBoardIsClearedUnderIt) {
    game.services.showMenu();
    clear();
    EXPECT_EQ(game.s().phase, Phase::Banner);
    EXPECT_FALSE(game.clock().active());
    game.setRank(0, 5);
    game.edit().taken[7] = false;
    game.setRank(7, 6);
    game.board.playTowerCard(7);  // a play fills the bar: the banner ends at its next tick
    game.services.advance(1);
    EXPECT_EQ(game.s().phase, Phase::Countdown);
    EXPECT_EQ(game.clock().interval(), 10);
}

TEST_F(Countdown, FromLevelElevenOnThereIsNoTimeLimit) {
    game.edit().level = 11;
    game.startGame();
    game.services.advance(10 * 60 * 1000);
    EXPECT_EQ(game.s().timeLeft, 200);
    clear(5);
    game.services.advance(10);
    EXPECT_EQ(game.s().level, 12);
    game.finishBanner();
    EXPECT_EQ(game.clock().interval(), 0);
    game.services.advance(60000);
    EXPECT_EQ(game.s().timeLeft, 200);
    game.edit().level = 32767;
    clear(5);
    game.services.advance(10);
    EXPECT_EQ(game.s().level, 32767);  // the level stops rising where it would overflow
}

TEST(Pause, MinimisingStopsTheClockRestoringResumesItButNotOnceTheGameHasEnded) {
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
    game.edit().triesLeft = 1;
    game.services.onMenu = [] {};
    game.services.whileNextBoxOpen([&] { game.board.pause(); });
    game.services.advance(22000);
    EXPECT_EQ(game.s().phase, Phase::Over);
    game.board.resume();
    EXPECT_FALSE(game.clock().active());
}

TEST(Pause, ABoardOftenOutOfSightForAMomentLosesTheTimeItWasInSight) {
    TestGame game;
    game.startGame();
    const int before = game.s().timeLeft;
    for (int i = 0; i < 4; ++i) {  // 1.5 s in sight, then 0.5 s out of it: 6 s in sight in all
        game.services.advance(1500);
        game.board.pause();
        game.services.advance(500);
        game.board.resume();
    }
    EXPECT_EQ(game.s().timeLeft, before - 3 * 20);
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

TEST(HeldTicks, OneHeldTickRunsAfterNoAndATickOfAStoppedClockIsDropped) {
    TestGame game;
    game.startGame();
    game.services.answerNext(false, [&] { game.services.advance(60000); });
    game.board.abandon();
    EXPECT_EQ(game.s().timeLeft, 200);
    game.services.runPosted();
    EXPECT_EQ(game.s().timeLeft, 180);  // one held tick, not thirty
    game.services.onMenu = [] {};
    game.services.answerNext(true, [&] { game.services.advance(5000); });
    game.board.abandon();
    game.services.advance(10000);
    EXPECT_EQ(game.s().timeLeft, 200);  // the held tick found the clock stopped by the game's end
    EXPECT_EQ(game.scores.handed.size(), 1U);
}

}  // namespace
}  // namespace crestaverde::testing
