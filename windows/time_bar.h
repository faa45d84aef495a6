// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board's time bar. Qt's progress bar reports every new value to the accessibility bus, and a
// screen reader reads each one out ("60 percent") over whatever the player is listening to; this
// bar reports a value only when, during play, the time falls to a quarter or less. Its value can
// be read at any time.

#include <QProgressBar>

#include "board_state.h"

namespace crestaverde {

// The time left, in bar units, at which the player is told that time runs short.
inline constexpr int kLowTime = kFullTime / 4;

class TimeBar : public QProgressBar {
  public:
    explicit TimeBar(QWidget* parent);
    // Shows the time left; while the clock plays the level, a fall to kLowTime or below is heard.
    void showTime(int time, bool playing);
    // Whether a change of value is being kept from the accessibility bus.
    [[nodiscard]] bool quiet() const { return quiet_; }

  private:
    bool quiet_ = false;
};

// Gives every time bar its accessible interface; before the first one exists.
void installTimeBarAccessibility();

}  // namespace crestaverde
