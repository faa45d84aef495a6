// SPDX-License-Identifier: GPL-3.0-or-later
// When the board is out of the player's sight, from what each kind of window system reports.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "sight.h"

namespace crestaverde::testing {
namespace {

// What the window system reports, one letter an event: M and m minimised reported and no longer,
// R a minimise requested, E and e exposed and no longer, F and f focus gained and lost, A a click
// or key. After each event, 1 out of sight, 0 in sight. Boards start focused, in play. Qt's
// Wayland plugins all work the Wayland way; every other platform reports minimising.
TEST(Sight, OutOfSightFollowsWhatEachPlatformCanReport) {
    const std::tuple<const char*, std::string, std::string, const char*> cases[] = {
        {"xcb", "RefMEFAm", "00011110", "only the reported state counts"},
        {"offscreen", "RM", "01", "a request is no sign where minimising is reported"},
        {"vnc", "RM", "01", "a request is no sign where minimising is reported"},
        {"", "RM", "01", "a request is no sign where minimising is reported"},
        {"wayland", "R", "1", "a request hides the board before the compositor acts"},
        {"wayland-egl", "RfEF", "1110", "back only with the focus again, not when presented"},
        {"wayland-generic", "RFA", "110", "an ignored minimise ends at the next click or key"},
        {"wayland", "MRm", "011", "Qt's momentary minimised state is no sign of either"},
        {"wayland", "feEeF", "01010", "neither presented nor focused until either returns"},
    };
    for (const auto& [platform, events, outOfSight, why] : cases) {
        SCOPED_TRACE(std::string(platform) + ": " + why);
        Sight sight(Sight::platformNamed(platform));
        sight.focusChanged(true);
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
