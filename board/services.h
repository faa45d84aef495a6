#pragma once
// The toolkit-free contract between the game's rules and whatever shows them.
// The Qt layer implements it for the player; the tests implement it with a scripted fake.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace crestaverde {

inline constexpr std::string_view kApplicationTitle = "CRESTAVERDE";

// Message box styles and the answers that matter to the rules.
namespace box {
inline constexpr int kOk = 0;
inline constexpr int kCritical = 16;
inline constexpr int kYesNoQuestion = 36;
inline constexpr int kExclamation = 48;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
}  // namespace box

// The board's three window timers.
enum class TimerId { Timer1, Timer2, Timer3 };
inline constexpr int kTimerCount = 3;

class Timer {
  public:
    virtual ~Timer() = default;
    [[nodiscard]] virtual int interval() const = 0;
    // Changing the interval of a running timer restarts its period.
    virtual void setInterval(int milliseconds) = 0;
    [[nodiscard]] virtual bool enabled() const = 0;
    virtual void setEnabled(bool on) = 0;
};

// Window states as the focus handlers see them.
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

class Services {
  public:
    Services() = default;
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;
    virtual ~Services() = default;

    // Modal boxes. While one is open, boxOpen() is true; when the last one closes, the
    // listener runs so that ticks held back meanwhile can be delivered.
    int messageBox(std::string_view text, int style,
                   std::optional<std::string_view> title = std::nullopt);
    std::string inputBox(std::string_view prompt, std::string_view prefilled);
    [[nodiscard]] bool boxOpen() const { return openBoxes_ > 0; }
    void setBoxesClosedListener(std::function<void()> listener) {
        boxesClosed_ = std::move(listener);
    }

    virtual Timer& timer(TimerId id) = 0;
    // Runs the callback once the handler now running has returned to the event loop.
    virtual void post(std::function<void()> callback) = 0;
    // Microseconds since midnight; seeds the random draws.
    [[nodiscard]] virtual std::int64_t timeOfDayMicros() const = 0;

    // The start menu, shown modally over the board; returns once the menu hides itself.
    virtual void showMenuModal() = 0;
    virtual void hideMenu() = 0;
    virtual void activateBoard() = 0;
    // Ends the program at once: no further handler runs and nothing is saved.
    virtual void endProgram() = 0;

  protected:
    // The title is never empty: a box without a title of its own carries the application's.
    virtual int showMessageBox(std::string_view text, int style, std::string_view title) = 0;
    // OK returns the field's text, Cancel the empty text.
    virtual std::string showInputBox(std::string_view prompt, std::string_view title,
                                     std::string_view prefilled) = 0;

  private:
    class OpenBox;
    int openBoxes_ = 0;
    std::function<void()> boxesClosed_;
};

}  // namespace crestaverde
