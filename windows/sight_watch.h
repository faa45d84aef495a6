// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells when a window goes out of the player's sight and when it comes back, from its own
// events and its native window's.

#include <QElapsedTimer>
#include <QObject>
#include <functional>

#include "sight.h"

class QWidget;

namespace crestaverde {

class SightWatch : public QObject {
  public:
    // changed runs with the new answer each time it changes. The watch must not outlive the
    // window, nor anything that changed uses.
    SightWatch(QWidget& window, Sight::Platform platform, std::function<void(bool)> changed);

    [[nodiscard]] bool outOfSight() const { return outOfSight_; }
    // Runs act once the native window is exposed: at once if it is, else at its next exposure.
    // A Wayland client that asks for a new state while it is not exposed gets the compositor's
    // answer at a moment when Qt leaves its window geometry untold.
    void whenExposed(std::function<void()> act);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void watchNativeWindow();
    void probe();
    void report();

    QWidget& window_;
    const Sight::Platform platform_;
    Sight sight_;
    std::function<void(bool)> changed_;
    std::function<void()> whenExposed_;
    QElapsedTimer probing_;  // since the focus went, while frames are drawn to probe
    bool outOfSight_ = false;
    bool watchingNative_ = false;
};

}  // namespace crestaverde
