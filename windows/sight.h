// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the board is out of the player's sight, from what the window system tells of it.

#include <string_view>

namespace crestaverde {

class Sight {
  public:
    // X11 and the rest report a minimised window as such, until it is restored. A Wayland client
    // is never told: it only knows that it asked to be minimised, that it lost or gained the
    // focus, and that its frames are presented or no longer are (exposed).
    enum class Platform { ReportsMinimised, Wayland };
    [[nodiscard]] static Platform platformNamed(std::string_view qtPlatformName);

    explicit Sight(Platform platform) : platform_(platform) {}

    void minimisedReported(bool minimised);
    void minimiseRequested();
    void exposedChanged(bool exposed);
    void focusChanged(bool focused);
    // A click or a key on the board: whoever made it can see it.
    void playerActed();

    [[nodiscard]] bool outOfSight() const;

  private:
    Platform platform_;
    bool minimised_ = false;
    // A minimise asked for on Wayland holds until the board has the focus again after losing
    // it: a compositor that ignores the request leaves it the focus, and then the player's
    // next click or key ends it.
    bool minimiseHeld_ = false;
    bool focusLostSinceRequest_ = false;
    bool exposed_ = true;
    bool focused_ = false;
};

}  // namespace crestaverde
