// SPDX-License-Identifier: GPL-3.0-or-later
// When the board is out of the player's sight, from what each kind of window system reports.

#include <gtest/gtest.h>

#include <string>

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
    struct Case {
        Platform platform;
        std::string events;
        std::string outOfSight;
        const char* why;
    };
    const Case cases[] = {
        {Platform::ReportsMinimised, "RefMEFAm", "00011110", "only the reported state counts"},
        {Platform::Wayland, "R", "1", "a request hides the board before the compositor acts"},
        {Platform::Wayland, "RfEF", "1110", "back only with the focus again, not when presented"},
        {Platform::Wayland, "RFA", "110", "an ignored minimise ends at the next click or key"},
        {Platform::Wayland, "MRm", "011", "Qt's momentary minimised state is no sign of either"},
        {Platform::Wayland, "feEeF", "01010", "neither presented nor focused until either returns"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Sight sight(c.platform);
        if (c.platform == Platform::Wayland) sight.focusChanged(true);
        ASSERT_FALSE(sight.outOfSight());
        std::string seen;
        for (const char event : c.events) {
            if (event == 'M' || event == 'm') sight.minimisedReported(event == 'M');
            if (event == 'E' || event == 'e') sight.exposedChanged(event == 'E');
            if (event == 'F' || event == 'f') sight.focusChanged(event == 'F');
            if (event == 'R') sight.minimiseRequested();
            if (event == 'A') sight.playerActed();
            seen += sight.outOfSight() ? '1' : '0';
        }
        EXPECT_EQ(seen, c.outOfSight) << c.events;
    }
}

}  // namespace
}  // namespace crestaverde::testing
