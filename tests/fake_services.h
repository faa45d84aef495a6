// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scripted stand-in for the window layer: answers boxes from a script, records every box in
// order, and steps virtual time so that timers tick exactly when they fall due.

#include <algorithm>
#include <array>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "board.h"
#include "services.h"

namespace crestaverde {
// Test-side access to the board, for positions that play would take long to reach.
struct BoardTestAccess {
    static BoardState& state(Board& board) { return board.s_; }
    static void uncover(Board& board) { board.uncover(); }
};
}  // namespace crestaverde

namespace crestaverde::testing {

struct ShownBox {
    std::string title;
    std::string text;
    BoxIcon icon = BoxIcon::None;
    bool operator==(const ShownBox&) const = default;
};

// A tick falls due at the virtual time the services keep.
struct FakeTimer : Timer {
    explicit FakeTimer(const long long& now) : now_(now) {}
    void start(int ms) override { startAfter(ms, ms); }
    void startAfter(int first, int ms) override {
        interval_ = ms, active_ = true, due = now_ + first;
    }
    void stop() override { active_ = false; }
    [[nodiscard]] bool active() const override { return active_; }
    [[nodiscard]] int interval() const override { return interval_; }
    [[nodiscard]] int remainingMs() const override { return static_cast<int>(due - now_); }
    [[nodiscard]] bool dueBy(long long time) const {
        return active_ && interval_ > 0 && due <= time;
    }

    const long long& now_;
    int interval_ = 0;
    bool active_ = false;
    long long due = 0;
};

class FakeServices : public Services {
  public:
    using WhileOpen = std::function<void()>;

    explicit FakeServices(long long clockOffsetMicros = 0) : clockOffset_(clockOffsetMicros) {}

    // The next question gets this answer; whileOpen runs as if the player waited.
    void answerNext(bool yes, WhileOpen whileOpen = {}) { answers_.push_back({yes, whileOpen}); }
    // The next OK box runs whileOpen before it closes.
    void whileNextBoxOpen(WhileOpen whileOpen) { okWaits_.push_back(std::move(whileOpen)); }
    // The next text box returns this text; by default it returns what it was prefilled with.
    void typeNext(std::string text) { typed_.push_back(std::move(text)); }
    // What the player does while the menu is shown (by default: Play).
    std::function<void()> onMenu;
    // Where ticks go (normally Board::tick).
    std::function<void(TimerId)> onTick;

    std::vector<ShownBox> shown;
    int menuShown = 0;

    Timer& timer(TimerId id) override { return timers_[static_cast<std::size_t>(id)]; }
    void post(std::function<void()> callback) override;
    [[nodiscard]] std::int64_t timeOfDayMicros() const override {
        return clockOffset_ + now_ * 1000;
    }
    void showMenu() override {
        ++menuShown;
        if (onMenu) onMenu();
    }

    // Steps virtual time by the given milliseconds, delivering ticks and posted callbacks.
    void advance(long long ms);
    // Runs callbacks posted so far, as the event loop does between events.
    void runPosted();
    // Waits until a callback has been posted (from another thread), then runs what was posted.
    // False when nothing came within a minute.
    bool awaitPosted();

  protected:
    void showMessage(std::string_view text, BoxIcon icon, std::string_view title) override {
        shown.push_back({std::string(title), std::string(text), icon});
        if (const WhileOpen wait = okWaits_.empty() ? nullptr : takeFirst(okWaits_)) wait();
    }
    bool showQuestion(std::string_view text, std::string_view title) override {
        shown.push_back({std::string(title), std::string(text), BoxIcon::None});
        if (answers_.empty()) throw std::logic_error("unscripted question: " + std::string(text));
        const auto [yes, whileOpen] = takeFirst(answers_);
        if (whileOpen) whileOpen();
        return yes;
    }
    std::string showTextBox(std::string_view prompt, std::string_view title,
                            std::string_view prefilled, int /*maxLength*/) override {
        shown.push_back({std::string(title), std::string(prompt), BoxIcon::None});
        return typed_.empty() ? std::string(prefilled) : takeFirst(typed_);
    }

  private:
    template <typename T>
    static T takeFirst(std::deque<T>& queue) {
        T first = std::move(queue.front());
        queue.pop_front();
        return first;
    }

    long long clockOffset_;
    long long now_ = 0;
    std::array<FakeTimer, kTimerCount> timers_{FakeTimer(now_), FakeTimer(now_)};
    std::deque<std::pair<bool, WhileOpen>> answers_;
    std::deque<WhileOpen> okWaits_;
    std::deque<std::string> typed_;
    std::mutex postMutex_;
    std::condition_variable postArrived_;
    std::deque<std::function<void()>> posted_;
};

// The score check as the board sees it, recording what it was handed.
struct RecordingScores : ScoreKeeper {
    std::vector<std::int32_t> handed;
    void recordFinalScore(std::int32_t score) override { handed.push_back(score); }
};

// A board with a fake window layer; the menu's Play deals.
struct TestGame {
    explicit TestGame(long long clockOffsetMicros = 0)
        : services(clockOffsetMicros), board(services, scores) {
        services.onTick = [this](TimerId id) { board.tick(id); };
        services.onMenu = [this] { board.deal(); };
    }
    // Opens the menu, as the program does at start: Play deals, and the banner runs out.
    void startGame() { services.showMenu(), finishBanner(); }
    void finishBanner() {
        while (banner().active()) services.advance(1);
    }
    [[nodiscard]] BoardState& edit() { return BoardTestAccess::state(board); }
    [[nodiscard]] const BoardState& s() const { return board.state(); }
    [[nodiscard]] Timer& clock() { return services.timer(TimerId::Clock); }
    [[nodiscard]] Timer& banner() { return services.timer(TimerId::Banner); }
    // Leaves only the given tower cards on the board, face up where that frees them.
    void keepOnly(std::initializer_list<int> positions) {
        for (int p = 1; p <= kTowerCardCount; ++p)
            edit().taken[p] = !std::ranges::count(positions, p);
        BoardTestAccess::uncover(board);
    }
    // Makes the tower card at a position, or the face-up card with position 0, this rank.
    void setRank(int position, int rank) {
        (position == 0 ? edit().faceUp : edit().tower[position]).rank = rank;
    }
    // Gives the tower card at a position this rank and clicks it.
    void play(int position, int rank) { setRank(position, rank), board.playTowerCard(position); }

    FakeServices services;
    RecordingScores scores;
    Board board;
};

}  // namespace crestaverde::testing
