// SPDX-License-Identifier: GPL-3.0-or-later
// When the board is out of the player's sight, from what each kind of window system reports.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "sight.h"

namespace crestaverde::testing {
namespace {

using Platform = Sight::Platform;

TEST(SightPlatform, QtsWaylandPluginsAreWaylandEveryOtherPlatformReportsMinimised) {
    for (const char* name : {"wayland", "wayland-egl", "wayland-generic"}) {
        EXPECT_EQ(Sight::platformNamed(name), Platform::Wayland) << name;
    }
    for (const char* name : {"xcb", "offscreen", "vnc", ""}) {
        EXPECT_EQ(Sight::platformNamed(name), Platform::ReportsMinimised) << name;
    }
}

// What the window system reports, one letter an event: M and m minimised reported and no longer,
// R a minimise requested, E and e exposed and no longer, F and f focus gained and lost, A a click
// or key. After each event, 1 out of sight, 0 in sight. Wayland boards start focused, in play.
TEST(Sight, OutOfSightFollowsWhatEachPlatformCanReport) {
    using enum Platform;
    const std::tuple<Platform, std::string, std::string, const char*> cases[] = {
        {ReportsMinimised, "RefMEFAm", "00011110", "only the reported state counts"},
        {Wayland, "R", "1", "a request hides the board before the compositor acts"},
        {Wayland, "RfEF", "1110", "back only with the focus again, not when presented"},
        {Wayland, "RFA", "110", "an ignored minimise ends at the next click or key"},
        {Wayland, "MRm", "011", "Qt's momentary minimised state is no sign of either"},
        {Wayland, "feEeF", "01010", "neither presented nor focused until either returns"},
    };
    for (const auto& [platform, events, outOfSight, why] : cases) {
        SCOPED_TRACE(why);
        Sight sight(platform);
        if (platform == Wayland) sight.focusChanged(true);
        ASSERT_FALSE(sight.outOfSight());
        std::string seen;
        for (const char event : events) {
            if (event == 'M' || event == 'm') sight.minimisedReported(event == 'M');
            if (event == 'E' || event == 'e') sight.exposedChanged(event == 'E');
            if (event == 'F' || event == 'f') sight.focusChanged(event == 'F');
            if (event == 'R') sight.minimiseRequested();
            if (event == 'A') sight.playerActed();
            seen += sight.outOfSight() ? '1' : '0';
        }
        EXPECT_EQ(seen, outOfSight) << events;
    }
}

}  // namespace
}  // namespace crestaverde::testing
