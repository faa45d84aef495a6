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
    EXPECT_EQ(std::tuple(game.s().timeBar, game.services.shown.size(), game.clock().active()),
              std::tuple(200, 0U, false));
    game.services.advance(1);
    EXPECT_EQ(game.services.shown,
              (std::vector<ShownBox>{{"CRESTAVERDE", "NIVEL 1"}, {"CRESTAVERDE", "Empieza"}}));
    EXPECT_EQ(std::tuple(game.s().phase, game.clock().active(), game.banner().active()),
              std::tuple(Phase::Playing, true, false));
}

// Running out costs a try: the next deal is at level one and keeps the score. The last try's
// loss the board's draw tests and the pause tests play through.
TEST(Clock, DrainsAtTheLevelsPaceAndRunningOutDealsAgainAtLevelOne) {
    // Level, interval, drain per tick, the tick that runs out.
    for (const auto& [level, interval, drain, runsOut] :
         std::vector<std::array<int, 4>>{{1, 2000, 20, 11}, {3, 1600, 30, 7}, {10, 200, 65, 4}}) {
        TestGame game;
        game.edit().level = level;
        game.startGame();
        EXPECT_EQ(game.clock().interval(), interval);
        game.edit().score = 7000;
        game.services.shown.clear();
        for (int tick = 1; tick < runsOut; ++tick) {
            game.services.advance(interval);
            ASSERT_EQ(game.s().timeLeft, 200 - tick * drain) << "level " << level;
            EXPECT_EQ(game.s().timeBar, game.s().timeLeft);
        }
        EXPECT_TRUE(game.services.shown.empty());
        game.services.advance(interval);
        EXPECT_EQ(
            game.services.shown,
            (std::vector<ShownBox>{{"JUEGO TERMINADO", "El tiempo se ha acabado", BoxIcon::Warning},
                                   {"Siguiente Ronda", "No lo conseguistes", BoxIcon::Warning}}))
            << level;
        EXPECT_EQ(std::tuple(game.s().triesLeft, game.s().level, game.s().score, game.s().timeBar,
                             game.s().phase),
                  std::tuple(1, 1, 7000, 0, Phase::Banner));
    }
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

// The player leaves the cleared board's box open a minute: the clock would have run out three
// times, yet its one held tick runs only afterwards, as the first countdown step.
TEST_F(Countdown, WaitsForTheClearedBoardsBoxThenPaysTheTimeLeftRaisesTheLevelAndDeals) {
    game.startGame();
    game.services.whileNextBoxOpen([&] { game.services.advance(60000); });
    clear();
    EXPECT_EQ(game.s().timeLeft, 200);
    game.services.runPosted();
    EXPECT_EQ(std::pair(game.s().timeLeft, game.s().triesLeft), std::pair(195, 2));
    game.services.advance(38 * 10);
    EXPECT_EQ(std::pair(game.s().score, game.s().level),
              std::pair(std::int64_t{15000 + 39 * 400}, 1));
    game.services.advance(10);
    EXPECT_EQ(std::tuple(game.s().score, game.s().level, game.s().phase),
              std::tuple(std::int64_t{15000 + 39 * 400}, 2, Phase::Banner));
    game.finishBanner();
    EXPECT_EQ(std::pair(game.clock().interval(), game.s().triesLeft), std::pair(1800, 2));
}

TEST_F(Countdown, StartsWhenTheBannerEndsIfTheBoardIsClearedUnderIt) {
    game.services.showMenu();
    clear();
    EXPECT_EQ(std::pair(game.s().phase, game.clock().active()), std::pair(Phase::Banner, false));
    game.setRank(0, 5);
    game.edit().taken[7] = false;
    game.setRank(7, 6);
    game.board.playTowerCard(7);  // a play fills the bar: the banner ends at its next tick
    game.services.advance(1);
    EXPECT_EQ(std::pair(game.s().phase, game.clock().interval()), std::pair(Phase::Countdown, 10));
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
    EXPECT_EQ(game.clock().interval(), 0);  // a timer with no interval never ticks
    game.edit().level = 32767;
    clear(5);
    game.services.advance(10);
    EXPECT_EQ(game.s().level, 32767);  // the level stops rising where it would overflow
}

// The clock goes on where it stopped: a board often out of sight for a moment loses the time it
// was in sight.
TEST(Pause, MinimisingStopsTheClockRestoringResumesItButNotOnceTheGameHasEnded) {
    TestGame game;
    game.startGame();
    game.services.advance(3500);  // one tick, and 500 ms to the next
    game.board.pause();
    EXPECT_TRUE(game.s().paused);
    game.services.advance(60000);
    EXPECT_EQ(std::pair(game.s().timeLeft, game.s().timeBar), std::pair(180, 180));
    game.board.resume();
    EXPECT_FALSE(game.s().paused);
    game.services.advance(500);
    EXPECT_EQ(game.s().timeLeft, 160);
    game.edit().triesLeft = 1;
    game.services.onMenu = [] {};
    game.services.whileNextBoxOpen([&] { game.board.pause(); });
    game.services.advance(22000);
    EXPECT_EQ(game.s().phase, Phase::Over);
    game.board.resume();
    EXPECT_FALSE(game.clock().active());
}

// Hidden under the banner, the board starts its clock only in sight: as the banner ends if it is
// back by then, else as it comes back; either way the bar lasts its whole 22 seconds.
TEST(Pause, MinimisingDuringTheBannerLeavesTheClockToStartInSightWithItsFullTime) {
    for (const bool backBeforeTheEnd : {true, false}) {
        TestGame game;
        game.services.showMenu();
        game.services.advance(10);
        game.board.pause();
        game.services.advance(20);
        if (backBeforeTheEnd) game.board.resume();
        EXPECT_FALSE(game.clock().active());
        game.finishBanner();
        ASSERT_EQ(game.s().phase, Phase::Playing);
        EXPECT_EQ(game.clock().active(), backBeforeTheEnd);
        game.services.advance(backBeforeTheEnd ? 0 : 30000);
        game.board.resume();
        EXPECT_EQ(std::pair(game.s().timeLeft, game.s().triesLeft), std::pair(200, 2));
        game.services.advance(20000);
        EXPECT_EQ(game.s().triesLeft, 2) << backBeforeTheEnd;
        game.services.advance(2000);
        EXPECT_EQ(game.s().triesLeft, 1) << backBeforeTheEnd;
    }
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
    // The held tick found the clock stopped by the game's end.
    EXPECT_EQ(std::pair(game.s().timeLeft, game.scores.handed.size()),
              std::pair(200, std::size_t{1}));
}

}  // namespace
}  // namespace crestaverde::testing
