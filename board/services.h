// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The toolkit-free contract between the game's rules and whatever shows them.
// The Qt layer implements it for the player; the tests implement it with a scripted fake.
//
// Any call that opens a box or the menu runs a nested event loop, and may return with a new
// game dealt underneath: callers re-read the board after it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "board_texts.h"

namespace crestaverde {

enum class BoxIcon { None, Critical, Warning };

// The board's two timers: the round clock and the level-start banner.
enum class TimerId { Clock, Banner };
inline constexpr int kTimerCount = 2;

class Timer {
  public:
    virtual ~Timer() = default;
    // Ticks every interval from now on; an interval of 0 never ticks.
    virtual void start(int intervalMs) = 0;
    // Ticks once after firstMs, then every interval: a paused timer goes on where it stopped.
    virtual void startAfter(int firstMs, int intervalMs) = 0;
    virtual void stop() = 0;
    [[nodiscard]] virtual bool active() const = 0;
    [[nodiscard]] virtual int interval() const = 0;
    // Until the next tick of an active timer.
    [[nodiscard]] virtual int remainingMs() const = 0;
};

class Services {
  public:
    Services() = default;
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;
    virtual ~Services() = default;

    // Modal boxes. While one is open, boxOpen() is true; when the last one closes, the
    // listener runs so that ticks held back meanwhile can be delivered.
    void message(std::string_view text, BoxIcon icon = BoxIcon::None,
                 std::string_view title = texts::kApplicationTitle);
    // A Yes/No question with the question icon; Yes is the default, No answers Esc.
    [[nodiscard]] bool ask(std::string_view text);
    // OK gives the field's text, Cancel the empty text.
    [[nodiscard]] std::string askText(std::string_view prompt, std::string_view prefilled,
                                      int maxLength);
    [[nodiscard]] bool boxOpen() const { return openBoxes_ > 0; }
    void setBoxesClosedListener(std::function<void()> listener) {
        boxesClosed_ = std::move(listener);
    }

    virtual Timer& timer(TimerId id) = 0;
    // Runs the callback on the event thread once the handler now running has returned to the
    // event loop. Any thread may post.
    virtual void post(std::function<void()> callback) = 0;
    // Microseconds since midnight; seeds the random draws.
    [[nodiscard]] virtual std::int64_t timeOfDayMicros() const = 0;
    // The start menu, shown modally over the board; returns once the menu hides itself.
    virtual void showMenu() = 0;

  protected:
    virtual void showMessage(std::string_view text, BoxIcon icon, std::string_view title) = 0;
    virtual bool showQuestion(std::string_view text, std::string_view title) = 0;
    virtual std::string showTextBox(std::string_view prompt, std::string_view title,
                                    std::string_view prefilled, int maxLength) = 0;

  private:
    class OpenBox;
    int openBoxes_ = 0;
    std::function<void()> boxesClosed_;
};

}  // namespace crestaverde
