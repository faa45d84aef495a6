// SPDX-License-Identifier: GPL-3.0-or-later
#include "sight.h"

namespace crestaverde {

Sight::Platform Sight::platformNamed(std::string_view qtPlatformName) {
    // Qt's Wayland plugins: wayland, wayland-egl, wayland-generic and the like.
    return qtPlatformName.starts_with("wayland") ? Platform::Wayland : Platform::ReportsMinimised;
}

void Sight::minimisedReported(bool minimised) {
    minimised_ = minimised;
}

void Sight::minimiseRequested() {
    minimiseHeld_ = true;
    focusLostSinceRequest_ = !focused_;
}

void Sight::exposedChanged(bool exposed) {
    exposed_ = exposed;
}

void Sight::focusChanged(bool focused) {
    focused_ = focused;
    if (!focused) {
        focusLostSinceRequest_ = true;
    } else if (focusLostSinceRequest_) {
        minimiseHeld_ = false;
    }
}

void Sight::playerActed() {
    minimiseHeld_ = false;
}

// On Wayland a board that is neither presented nor focused is out of sight: minimised by the
// compositor, on another workspace, or covered whole. Either alone is not: a box or the menu
// takes the focus from a board in full view, and a busy compositor may hold a visible board's
// frames back for a moment.
bool Sight::outOfSight() const {
    if (platform_ == Platform::ReportsMinimised) return minimised_;
    return minimiseHeld_ || (!exposed_ && !focused_);
}

}  // namespace crestaverde
