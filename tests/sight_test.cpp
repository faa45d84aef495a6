// SPDX-License-Identifier: GPL-3.0-or-later
// When the board is out of the player's sight, from what each kind of window system reports, and
// what the clock does meanwhile.

#include <gtest/gtest.h>

#include "fake_services.h"
#include "sight.h"

namespace crestaverde::testing {
namespace {

using Platform = Sight::Platform;

// A Wayland board in full view with the focus, as during play.
Sight focusedWaylandBoard() {
    Sight sight(Platform::Wayland);
    sight.focusChanged(true);
    return sight;
}

TEST(SightPlatform, QtsWaylandPluginsAreWaylandEveryOtherPlatformReportsMinimised) {
    for (const char* name : {"wayland", "wayland-egl", "wayland-generic"}) {
        EXPECT_EQ(Sight::platformNamed(name), Platform::Wayland) << name;
    }
    for (const char* name : {"xcb", "offscreen", "vnc", ""}) {
        EXPECT_EQ(Sight::platformNamed(name), Platform::ReportsMinimised) << name;
    }
}

TEST(SightReportingMinimised, OnlyTheReportedMinimisedStateCounts) {
    Sight sight(Platform::ReportsMinimised);
    sight.minimiseRequested();
    sight.exposedChanged(false);
    sight.focusChanged(false);
    EXPECT_FALSE(sight.outOfSight());
    sight.minimisedReported(true);
    EXPECT_TRUE(sight.outOfSight());
    sight.exposedChanged(true);
    sight.focusChanged(true);
    sight.playerActed();
    EXPECT_TRUE(sight.outOfSight());
    sight.minimisedReported(false);
    EXPECT_FALSE(sight.outOfSight());
}

TEST(SightOnWayland, AMinimiseRequestHidesTheBoardBeforeTheCompositorActs) {
    Sight sight = focusedWaylandBoard();
    ASSERT_FALSE(sight.outOfSight());
    sight.minimiseRequested();
    EXPECT_TRUE(sight.outOfSight());
}

TEST(SightOnWayland, AfterAMinimiseTheBoardIsBackOnlyWhenItHasTheFocusAgain) {
    Sight sight = focusedWaylandBoard();
    sight.minimiseRequested();
    sight.focusChanged(false);
    sight.exposedChanged(true);  // a compositor may present the board during its animation
    EXPECT_TRUE(sight.outOfSight());
    sight.focusChanged(true);
    EXPECT_FALSE(sight.outOfSight());
}

TEST(SightOnWayland, AMinimiseTheCompositorIgnoresEndsAtThePlayersNextClickOrKey) {
    Sight sight = focusedWaylandBoard();
    sight.minimiseRequested();
    sight.focusChanged(true);  // focus that never went away brings nothing back
    EXPECT_TRUE(sight.outOfSight());
    sight.playerActed();
    EXPECT_FALSE(sight.outOfSight());
}

TEST(SightOnWayland, QtsMomentaryMinimisedStateIsNoSignOfEither) {
    Sight sight = focusedWaylandBoard();
    sight.minimisedReported(true);
    EXPECT_FALSE(sight.outOfSight());
    sight.minimiseRequested();
    sight.minimisedReported(false);
    EXPECT_TRUE(sight.outOfSight());
}

TEST(SightOnWayland, ABoardNeitherPresentedNorFocusedIsOutOfSightUntilEitherReturns) {
    Sight sight = focusedWaylandBoard();
    sight.focusChanged(false);
    EXPECT_FALSE(sight.outOfSight());  // a box or the menu over the board has the focus
    sight.exposedChanged(false);
    EXPECT_TRUE(sight.outOfSight());
    sight.exposedChanged(true);
    EXPECT_FALSE(sight.outOfSight());
    sight.exposedChanged(false);
    sight.focusChanged(true);
    EXPECT_FALSE(sight.outOfSight());  // a busy compositor holding back the focused board's frames
}

TEST(OutOfSight, ABannerEndingWhileTheBoardIsHiddenLeavesTheClockWaitingForIt) {
    TestGame game;
    game.services.showMenu();
    game.board.pause();
    game.finishBanner();
    ASSERT_EQ(game.s().phase, Phase::Playing);
    EXPECT_FALSE(game.clock().active());
    game.services.advance(30000);
    EXPECT_EQ(std::pair(game.s().timeLeft, game.s().triesLeft), std::pair(200, 2));
    game.board.resume();
    EXPECT_TRUE(game.clock().active());
    game.services.advance(2000);
    EXPECT_EQ(game.s().timeLeft, 180);
}

}  // namespace
}  // namespace crestaverde::testing
