// The round clock, the level-start banner, the start timer, pause and resume, and the rule that
// holds a tick back while a box is open or its own previous tick still runs.

#include "board.h"
#include "numeric_text.h"

namespace crestaverde {
namespace {

constexpr int kCountdownInterval = 10;
constexpr int kCountdownPoints = 400;
constexpr int kCountdownDrain = 5;
constexpr int kBannerStep = 5;

std::size_t slot(TimerId id) {
    return static_cast<std::size_t>(id);
}

// Marks a timer's tick as running for as long as its handler runs, exceptions included.
class RunningTick {
  public:
    explicit RunningTick(bool& flag) : flag_(flag) { flag_ = true; }
    RunningTick(const RunningTick&) = delete;
    RunningTick& operator=(const RunningTick&) = delete;
    ~RunningTick() { flag_ = false; }

  private:
    bool& flag_;
};

}  // namespace

void Board::tick(TimerId id) {
    if (ticking_[slot(id)] || services_.boxOpen()) {
        held_[slot(id)] = true;
        return;
    }
    {
        const RunningTick running(ticking_[slot(id)]);
        switch (id) {
            case TimerId::Timer1:
                Timer1_Timer();
                break;
            case TimerId::Timer2:
                Timer2_Timer();
                break;
            case TimerId::Timer3:
                Timer3_Timer();
                break;
        }
    }
    scheduleHeldTicks();
}

void Board::scheduleHeldTicks() {
    const bool anyHeld = held_[0] || held_[1] || held_[2];
    if (!anyHeld || deliveryPosted_ || services_.boxOpen()) return;
    deliveryPosted_ = true;
    services_.post([this] { deliverHeldTicks(); });
}

// A held tick of a timer that has been stopped, or set to no ticks, meanwhile is dropped.
void Board::deliverHeldTicks() {
    deliveryPosted_ = false;
    for (const TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3}) {
        if (!held_[slot(id)] || ticking_[slot(id)] || services_.boxOpen()) continue;
        held_[slot(id)] = false;
        const Timer& timer = services_.timer(id);
        if (timer.enabled() && timer.interval() > 0) tick(id);
    }
}

void Board::Timer1_Timer() {
    const bool countdown = timer1().interval() == kCountdownInterval;
    const int drain = countdown ? kCountdownDrain : (s_.level + 3) * 5;
    s_.tiempo = static_cast<std::int16_t>(s_.tiempo - drain);
    if (s_.tiempo >= 0) {
        s_.ProTiempo = s_.tiempo;
    } else {
        s_.ProTiempo = 0;
        services_.messageBox("El tiempo se ha acabado", box::kExclamation, "JUEGO TERMINADO");
        timer1().setEnabled(false);
        --s_.bono;
        if (s_.bono > 0) {
            s_.level = 1;
            services_.messageBox("No lo conseguistes", box::kExclamation, "Siguiente Ronda");
            repartir(true);
        } else {
            services_.messageBox("No lo conseguistes", box::kExclamation, "JUEGO TERMINADO");
            perder();
        }
    }
    if (timer1().interval() != kCountdownInterval) return;
    if (s_.ProTiempo != 0) {
        addScore(kCountdownPoints);
    } else {
        if (s_.level < INT16_MAX) ++s_.level;
        repartir(true);
    }
}

void Board::Timer2_Timer() {
    services_.showMenuModal();
    services_.timer(TimerId::Timer2).setEnabled(false);
}

void Board::Timer3_Timer() {
    if (s_.ProTiempo == kFullTime && s_.tiempo == kFullTime) {
        services_.messageBox("NIVEL " + numberToText(s_.level), box::kOk);
        services_.messageBox("Empieza", box::kOk);
        timer1().setEnabled(true);
        services_.timer(TimerId::Timer3).setEnabled(false);
    } else {
        s_.ProTiempo += kBannerStep;
    }
}

// Only a running clock is paused: pausing a stopped one would later start it in the middle of
// the level-start banner, whose full bar would then never be reached.
void Board::Form_LostFocus(WindowState state) {
    if (state == WindowState::Minimized && timer1().enabled()) {
        timer1().setEnabled(false);
        s_.pausa = true;
    }
}

void Board::Form_GotFocus(WindowState state) {
    if (state == WindowState::Maximized && s_.pausa) {
        timer1().setEnabled(true);
        s_.pausa = false;
    }
}

}  // namespace crestaverde
