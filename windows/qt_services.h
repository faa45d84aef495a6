#pragma once
// The game's window and runtime services on Qt: message and input boxes, timers, posting, the
// clock, and the menu's modal showing.

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "services.h"

class QWidget;

namespace crestaverde {

class QtTimer : public Timer {
  public:
    explicit QtTimer(std::function<void()> onTick);
    [[nodiscard]] int interval() const override { return interval_; }
    void setInterval(int milliseconds) override;
    [[nodiscard]] bool enabled() const override { return enabled_; }
    void setEnabled(bool on) override;

  private:
    void apply();
    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
};

// What the services need from the windows.
class WindowHost {
  public:
    virtual ~WindowHost() = default;
    virtual void refreshBoard() = 0;
    virtual QWidget* boxParent() = 0;
    virtual void showMenuModal() = 0;
    virtual void hideMenu() = 0;
    virtual void activateBoard() = 0;
};

class QtServices : public Services {
  public:
    // onTick receives every timer tick; endProgram runs when the program must end at once.
    QtServices(std::function<void(TimerId)> onTick, std::function<void()> endProgram);
    void attach(WindowHost* host) { host_ = host; }

    Timer& timer(TimerId id) override { return *timers_[static_cast<std::size_t>(id)]; }
    void post(std::function<void()> callback) override;
    [[nodiscard]] std::int64_t timeOfDayMicros() const override;
    void showMenuModal() override { host_->showMenuModal(); }
    void hideMenu() override { host_->hideMenu(); }
    void activateBoard() override { host_->activateBoard(); }
    void endProgram() override { endProgram_(); }

    // Ends the process at once with status 0: no handler of any window runs after it.
    static void endProcessNow();

  protected:
    int showMessageBox(std::string_view text, int style, std::string_view title) override;
    std::string showInputBox(std::string_view prompt, std::string_view title,
                             std::string_view prefilled) override;

  private:
    WindowHost* host_ = nullptr;
    std::function<void()> endProgram_;
    QObject postTarget_;
    std::array<std::unique_ptr<QtTimer>, kTimerCount> timers_;
};

}  // namespace crestaverde
