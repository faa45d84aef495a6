#pragma once
// The game board `frmprincipal` without its window: deal, uncovering, play, clock, end of game.

#include <array>
#include <cstdint>

#include "board_state.h"
#include "random_draws.h"
#include "score_keeper.h"
#include "services.h"

namespace crestaverde {

struct BoardTestAccess;

class Board {
  public:
    Board(Services& services, ScoreKeeper& scores);
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    [[nodiscard]] const BoardState& state() const { return s_; }

    void Form_Load();
    void repartir(bool si);
    void destapar();
    // A click on a slot; clicks that the window would not deliver are ignored here too.
    void Image1_Click(std::int16_t Index);
    // The abandon button.
    void Command1_Click();
    void perder();
    void Form_LostFocus(WindowState state);
    void Form_GotFocus(WindowState state);

    // A timer fell due. A tick is held back while a box is open or while the same timer's
    // previous tick is still running, and delivered afterwards if its timer still runs.
    void tick(TimerId id);

  private:
    friend struct BoardTestAccess;  // lets tests lay out positions that play would take long to
                                    // reach

    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    void drawCard(std::int16_t slot);
    void towerPlay(std::int16_t Index);
    void draw();
    void payPeakBonuses();
    void addScore(std::int64_t points);
    [[nodiscard]] bool clickable(std::int16_t Index) const;
    [[nodiscard]] int clockInterval() const;
    [[nodiscard]] bool gone(int slot) const { return !s_.Image1[slot].Visible; }
    [[nodiscard]] Timer& timer1() { return services_.timer(TimerId::Timer1); }

    void scheduleHeldTicks();
    void deliverHeldTicks();

    Services& services_;
    ScoreKeeper& scores_;
    BoardState s_;
    ClockSeededRandom random_;
    std::array<bool, kTimerCount> ticking_{};
    std::array<bool, kTimerCount> held_{};
    bool deliveryPosted_ = false;
};

}  // namespace crestaverde
