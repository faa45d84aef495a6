// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's window and runtime services on Qt: message and input boxes, timers, posting, the
// clock, and the menu's modal showing.

#include <QObject>
#include <QTimer>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>

#include "services.h"

class QWidget;

namespace crestaverde {

class QtTimer : public Timer {
  public:
    explicit QtTimer(std::function<void()> onTick);
    void start(int intervalMs) override;
    void startAfter(int firstMs, int intervalMs) override;
    void stop() override;
    [[nodiscard]] bool active() const override { return active_; }
    [[nodiscard]] int interval() const override { return interval_; }
    [[nodiscard]] int remainingMs() const override { return std::max(0, timer_.remainingTime()); }
    // Whether Qt will deliver ticks: never for an interval of 0.
    [[nodiscard]] bool ticking() const { return timer_.isActive(); }

  private:
    QTimer timer_;
    int interval_ = 0;
    bool active_ = false;
};

// What the services need from the windows.
class WindowHost {
  public:
    virtual ~WindowHost() = default;
    virtual void refreshBoard() = 0;
    virtual QWidget* boxParent() = 0;
    virtual void showMenu() = 0;
};

class QtServices : public Services {
  public:
    // onTick receives every timer tick.
    explicit QtServices(const std::function<void(TimerId)>& onTick);
    void attach(WindowHost* host) { host_ = host; }

    QtTimer& timer(TimerId id) override { return *timers_[static_cast<std::size_t>(id)]; }
    void post(std::function<void()> callback) override;
    [[nodiscard]] std::int64_t timeOfDayMicros() const override;
    void showMenu() override { host_->showMenu(); }

    // Ends the process at once, with status 0 or the one given: no handler of any window runs
    // after it.
    static void endProcessNow();
    static void endProcessWith(int status);

  protected:
    void showMessage(std::string_view text, BoxIcon icon, std::string_view title) override;
    bool showQuestion(std::string_view text, std::string_view title) override;
    std::string showTextBox(std::string_view prompt, std::string_view title,
                            std::string_view prefilled, int maxLength) override;

  private:
    WindowHost* host_ = nullptr;
    QObject postTarget_;
    std::array<std::unique_ptr<QtTimer>, kTimerCount> timers_;
};

}  // namespace crestaverde
