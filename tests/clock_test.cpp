// SPDX-License-Identifier: GPL-3.0-or-later
// The level-start banner, the round clock and its levels, the countdown, pause, and the ticks
// held back while a box is open.

#include <gtest/gtest.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

class Clock : public ::testing::Test {
  protected:
    // Takes the three peaks with a misfit click: 15000 points.
    void clear(int timeLeft = 200) {
        game.edit().timeLeft = timeLeft;
        game.keepOnly({7});
        game.setRank(0, 5);
        game.play(7, 9);
    }
    TestGame game;
    const BoardState& s = game.s();
};

TEST_F(Clock, TheBannerFillsTheBarInStepsOfFiveThenAnnouncesTheLevelOnlyWithTheTimeFull) {
    game.services.showMenu();
    game.services.advance(40);
    EXPECT_EQ(std::tuple(s.timeBar, game.services.shown.size(), game.clock().active()),
              std::tuple(200, 0U, false));
    game.services.advance(1);
    EXPECT_EQ(game.services.shown,
              (std::vector<ShownBox>{{"CRESTAVERDE", "NIVEL 1"}, {"CRESTAVERDE", "Empieza"}}));
    EXPECT_EQ(std::tuple(s.phase, game.clock().active(), game.banner().active()),
              std::tuple(Phase::Playing, true, false));
}

// Running out costs a try: the next deal is at level one and keeps the score. The last try's
// loss the board's draw tests and the pause tests play through.
TEST(ClockLevels, DrainsAtTheLevelsPaceAndRunningOutDealsAgainAtLevelOne) {
    // Level, interval, drain per tick, the tick that runs out.
    for (const auto& [level, interval, drain, runsOut] :
         std::vector<std::array<int, 4>>{{1, 2000, 20, 11}, {3, 1600, 30, 7}, {10, 200, 65, 4}}) {
        TestGame game;
        std::tie(game.edit().level, game.edit().score) = std::pair(level, 7000);
        game.startGame();
        game.services.shown.clear();
        for (int tick = 1; tick < runsOut; ++tick) {
            game.services.advance(interval);
            ASSERT_EQ(game.s().timeLeft, 200 - tick * drain) << "level " << level;
        }
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

// The player leaves the cleared board's box open a minute: the clock would have run out three
// times, yet its one held tick runs only afterwards, as the first countdown step.
TEST_F(Clock, CountdownWaitsForTheClearedBoardsBoxThenPaysTheTimeLeftRaisesTheLevelAndDeals) {
    game.startGame();
    game.services.whileNextBoxOpen([&] { game.services.advance(60000); });
    clear();
    EXPECT_EQ(s.timeLeft, 200);
    game.services.runPosted();
    EXPECT_EQ(std::pair(s.timeLeft, s.triesLeft), std::pair(195, 2));
    game.services.advance(38 * 10);
    EXPECT_EQ(std::pair(s.score, s.level), std::pair(std::int64_t{15000 + 39 * 400}, 1));
    game.services.advance(10);
    EXPECT_EQ(std::tuple(s.score, s.level, s.phase),
              std::tuple(std::int64_t{15000 + 39 * 400}, 2, Phase::Banner));
    game.finishBanner();
    EXPECT_EQ(std::pair(game.clock().interval(), s.triesLeft), std::pair(1800, 2));
}

TEST_F(Clock, CountdownStartsWhenTheBannerEndsIfTheBoardIsClearedUnderIt) {
    game.services.showMenu();
    clear();
    EXPECT_EQ(std::pair(s.phase, game.clock().active()), std::pair(Phase::Banner, false));
    game.edit().taken[7] = false;
    game.play(7, 6);  // a play fills the bar: the banner ends at its next tick
    game.services.advance(1);
    EXPECT_EQ(std::pair(s.phase, game.clock().interval()), std::pair(Phase::Countdown, 10));
}

TEST_F(Clock, CountdownFromLevelElevenOnThereIsNoTimeLimit) {
    game.edit().level = 11;
    game.startGame();
    game.services.advance(10 * 60 * 1000);
    EXPECT_EQ(s.timeLeft, 200);
    clear(5);
    game.services.advance(10);
    EXPECT_EQ(s.level, 12);
    game.finishBanner();
    EXPECT_EQ(game.clock().interval(), 0);  // a timer with no interval never ticks
    game.edit().level = 32767;
    clear(5);
    game.services.advance(10);
    EXPECT_EQ(s.level, 32767);  // the level stops rising where it would overflow
}

// The clock goes on where it stopped: a board often out of sight for a moment loses the time it
// was in sight.
TEST_F(Clock, MinimisingStopsTheClockRestoringResumesItButNotOnceTheGameHasEnded) {
    game.startGame();
    game.services.advance(3500);  // one tick, and 500 ms to the next
    game.board.pause();
    game.services.advance(60000);
    EXPECT_EQ(std::tuple(s.paused, s.timeLeft, s.timeBar), std::tuple(true, 180, 180));
    game.board.resume();
    game.services.advance(500);
    EXPECT_EQ(std::pair(s.paused, s.timeLeft), std::pair(false, 160));
    game.edit().triesLeft = 1;
    game.services.onMenu = [] {};
    game.services.whileNextBoxOpen([&] { game.board.pause(); });
    game.services.advance(22000);
    EXPECT_EQ(s.phase, Phase::Over);
    game.board.resume();
    EXPECT_FALSE(game.clock().active());
}

// Hidden under the banner, the board starts its clock only in sight: as the banner ends if it is
// back by then, else as it comes back; either way the bar lasts its whole 22 seconds.
TEST(ClockInSight, MinimisingDuringTheBannerLeavesTheClockToStartInSightWithItsFullTime) {
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
        game.board.resume();  // the try runs out 22 s from here, not before
        game.services.advance(20000);
        EXPECT_EQ(game.s().triesLeft, 2) << backBeforeTheEnd;
        game.services.advance(2000);
        EXPECT_EQ(game.s().triesLeft, 1) << backBeforeTheEnd;
    }
}

// A tick never runs inside its own previous tick. Here the last try's end opens the menu from
// inside the clock's tick, and the player deals and plays on before that tick has returned: the
// new game's first tick waits for it, then runs.
TEST_F(Clock, ATickThatFallsDueInsideItsOwnPreviousTickRunsOnceThatOneHasReturned) {
    game.startGame();
    game.edit().triesLeft = 1;
    int timeLeftInside = 0;
    game.services.onMenu = [&] {
        if (timeLeftInside != 0) return;  // the player stays in the next game's menu
        game.board.deal();
        game.finishBanner();
        game.services.advance(clockIntervalMs(1));
        timeLeftInside = s.timeLeft;
    };
    game.services.advance(11 * clockIntervalMs(1));  // the try runs out
    EXPECT_EQ(std::pair(timeLeftInside, s.timeLeft), std::pair(200, 180));
}

TEST_F(Clock, OneHeldTickRunsAfterNoAndATickOfAStoppedClockIsDropped) {
    game.startGame();
    game.services.answerNext(false, [&] { game.services.advance(60000); });
    game.board.abandon();
    EXPECT_EQ(s.timeLeft, 200);
    game.services.runPosted();
    EXPECT_EQ(s.timeLeft, 180);  // one held tick, not thirty
    game.services.onMenu = [] {};
    game.services.answerNext(true, [&] { game.services.advance(5000); });
    game.board.abandon();
    game.services.advance(10000);
    // The held tick found the clock stopped by the game's end.
    EXPECT_EQ(std::pair(s.timeLeft, game.scores.handed.size()), std::pair(200, std::size_t{1}));
}

}  // namespace
}  // namespace crestaverde::testing
