#pragma once
// A scripted stand-in for the window layer: answers boxes from a script, records every box in
// order, and steps virtual time so that timers tick exactly when they fall due.

#include <array>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "board.h"
#include "services.h"

namespace crestaverde {
// Test-side access to the board's fields, for positions that play would take long to reach.
struct BoardTestAccess {
    static BoardState& state(Board& board) { return board.s_; }
};
}  // namespace crestaverde

namespace crestaverde::testing {

struct ShownBox {
    std::string text;
    int style = 0;
    std::string title;
    bool input = false;
    std::string prefilled;
    bool operator==(const ShownBox&) const = default;
};

inline ShownBox messageShown(std::string text, int style, std::string title = "CRESTAVERDE") {
    ShownBox shown;
    shown.text = std::move(text);
    shown.style = style;
    shown.title = std::move(title);
    return shown;
}

// What the fake does when the program would end: the test catches it.
struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("program ended") {}
};

class FakeTimer : public Timer {
  public:
    explicit FakeTimer(const long long& now) : now_(now) {}
    [[nodiscard]] int interval() const override { return interval_; }
    void setInterval(int ms) override {
        interval_ = ms;
        due_ = now_ + ms;
    }
    [[nodiscard]] bool enabled() const override { return enabled_; }
    void setEnabled(bool on) override {
        if (on && !enabled_) due_ = now_ + interval_;
        enabled_ = on;
    }
    [[nodiscard]] bool ticks() const { return enabled_ && interval_ > 0; }
    [[nodiscard]] long long due() const { return due_; }
    void fired() { due_ = now_ + interval_; }

  private:
    const long long& now_;
    int interval_ = 0;
    bool enabled_ = false;
    long long due_ = 0;
};

class FakeServices : public Services {
  public:
    using WhileOpen = std::function<void()>;

    explicit FakeServices(long long clockOffsetMicros = 0) : clockOffset_(clockOffsetMicros) {}

    // The next message box gets this answer; whileOpen runs as if the player waited.
    void answerNext(int code, WhileOpen whileOpen = {});
    // The next input box returns this text.
    void typeNext(std::string text, WhileOpen whileOpen = {});
    // Answers for boxes that no script entry covers; by default OK, and a question fails the test.
    std::function<int(const ShownBox&)> defaultAnswer;
    // What the player does while the menu is shown.
    std::function<void()> onMenu;
    // Where ticks go (normally Board::tick).
    std::function<void(TimerId)> onTick;

    std::vector<ShownBox> shown;
    int menuShown = 0;
    int menuHidden = 0;
    int boardActivated = 0;

    Timer& timer(TimerId id) override { return timers_[static_cast<std::size_t>(id)]; }
    [[nodiscard]] FakeTimer& fakeTimer(TimerId id) { return timers_[static_cast<std::size_t>(id)]; }
    void post(std::function<void()> callback) override { posted_.push_back(std::move(callback)); }
    [[nodiscard]] std::int64_t timeOfDayMicros() const override {
        return clockOffset_ + now_ * 1000;
    }
    void showMenuModal() override;
    void hideMenu() override { ++menuHidden; }
    void activateBoard() override { ++boardActivated; }
    void endProgram() override { throw ProgramEnded(); }

    // Steps virtual time by the given milliseconds, delivering ticks and posted callbacks.
    void advance(long long ms);
    // Runs callbacks posted so far, as the event loop does between events.
    void runPosted();
    [[nodiscard]] long long now() const { return now_; }
    [[nodiscard]] std::vector<std::string> boxTexts() const;

  protected:
    int showMessageBox(std::string_view text, int style, std::string_view title) override;
    std::string showInputBox(std::string_view prompt, std::string_view title,
                             std::string_view prefilled) override;

  private:
    struct Answer {
        int code = 0;
        std::string text;
        WhileOpen whileOpen;
    };

    long long clockOffset_;
    long long now_ = 0;
    std::array<FakeTimer, kTimerCount> timers_{FakeTimer(now_), FakeTimer(now_), FakeTimer(now_)};
    std::deque<Answer> answers_;
    std::deque<Answer> typed_;
    std::deque<std::function<void()>> posted_;
};

// The score check as the board sees it, recording what it was handed.
struct RecordingScores : ScoreKeeper {
    std::vector<std::int32_t> handed;
    void puntuacion(std::int32_t puntos) override { handed.push_back(puntos); }
};

// A board with a fake window layer and a recording score check; the menu's play button deals.
struct TestGame {
    explicit TestGame(long long clockOffsetMicros = 0);
    // Loads the board and plays the start: the menu opens, Play deals, the banner finishes.
    void startGame();
    // Steps the banner until the clock runs.
    void finishBanner();
    [[nodiscard]] BoardState& edit() { return BoardTestAccess::state(board); }
    [[nodiscard]] const BoardState& s() const { return board.state(); }
    [[nodiscard]] Timer& clock() { return services.timer(TimerId::Timer1); }

    FakeServices services;
    RecordingScores scores;
    Board board{services, scores};
};

}  // namespace crestaverde::testing
