// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game board without its window: deal, uncovering, play, clock, end of game.

#include <array>
#include <cstdint>
#include <optional>

#include "board_state.h"
#include "random_draws.h"
#include "score_keeper.h"
#include "services.h"

namespace crestaverde {

// How fast the clock and the banner run.
inline constexpr int kCountdownIntervalMs = 10;
inline constexpr int kBannerIntervalMs = 1;
// (11 - level) x 200 ms; from level 11 on the clock does not tick at all.
[[nodiscard]] constexpr int clockIntervalMs(int level) {
    return level <= 11 ? (11 - level) * 200 : 0;
}

// What every tower click pays for each peak already taken.
inline constexpr int kPeakBonus = 5000;

struct BoardTestAccess;

class Board {
  public:
    Board(Services& services, ScoreKeeper& scores);
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    [[nodiscard]] const BoardState& state() const { return s_; }

    // A new game's first board, or the next board of a game, with the level-start banner.
    void deal();
    // Plays a face-up tower card onto the face-up card, if it is one above or below it.
    void playTowerCard(int position);
    // Discards the face-up card and turns the next one of the stock.
    void drawFromStock();
    // The abandon button: asks first.
    void abandon();
    // The board window's close box. During a game it asks as the abandon button does, and if the
    // player confirms, ends the game as an abandon does but shows no menu. True when the program
    // may end: no game was in play, or it has just ended.
    [[nodiscard]] bool closeRequested();
    // The board went out of the player's sight, or came back into it. Out of sight, a running
    // clock stops, and one that would start meanwhile waits; back, it runs again.
    void pause();
    void resume();

    // A timer fell due. A tick is held back while a box is open or while the same timer's
    // previous tick is still running, and delivered afterwards if its timer still runs.
    void tick(TimerId id);

  private:
    friend struct BoardTestAccess;  // lays out positions that play would take long to reach

    void dealCards();
    void uncover();
    void payPeakBonuses();
    void addScore(std::int64_t points);
    void clockTick();
    void bannerTick();
    void loseTry();
    void endGame();
    void finishGame();
    [[nodiscard]] bool inPlay() const;
    void startClock();
    [[nodiscard]] int clockInterval() const;
    [[nodiscard]] Timer& clock() { return services_.timer(TimerId::Clock); }

    void scheduleHeldTicks();
    void deliverHeldTicks();

    Services& services_;
    ScoreKeeper& scores_;
    BoardState s_;
    ClockSeededRandom random_;
    std::array<bool, kTimerCount> ticking_{};
    std::array<bool, kTimerCount> held_{};
    bool deliveryPosted_ = false;
    bool outOfSight_ = false;
    // What was left of the clock's interval when it paused: a board that leaves sight and comes
    // back again and again, faster than a tick, must not hold the clock still for good.
    std::optional<int> clockLeftMs_;
};

}  // namespace crestaverde
