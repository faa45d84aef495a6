// SPDX-License-Identifier: GPL-3.0-or-later
// The round clock, the level-start banner, pause and resume, and the rule that holds a tick back
// while a box is open or its own previous tick still runs.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>

#include "board.h"
#include "board_texts.h"

namespace crestaverde {
namespace {

constexpr int kCountdownPoints = 400;
constexpr int kCountdownDrain = 5;
constexpr int kBannerStep = 5;
constexpr int kHighestLevel = INT16_MAX;

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
        if (id == TimerId::Clock) {
            clockTick();
        } else {
            bannerTick();
        }
    }
    scheduleHeldTicks();
}

void Board::scheduleHeldTicks() {
    if (std::ranges::none_of(held_, std::identity{}) || deliveryPosted_ || services_.boxOpen())
        return;
    deliveryPosted_ = true;
    services_.post([this] { deliverHeldTicks(); });
}

// A held tick of a timer that has been stopped, or set to no ticks, meanwhile is dropped. One
// that still cannot run, its tick running or a box open, is held again by tick() itself.
void Board::deliverHeldTicks() {
    deliveryPosted_ = false;
    for (const TimerId id : {TimerId::Clock, TimerId::Banner}) {
        if (!held_[slot(id)]) continue;
        held_[slot(id)] = false;
        const Timer& timer = services_.timer(id);
        if (timer.active() && timer.interval() > 0) tick(id);
    }
}

// A clock that would start while the player cannot see the board waits for the board to come
// back: the banner's last box may be answered while the board itself stays minimised.
void Board::startClock() {
    clockLeftMs_.reset();
    if (outOfSight_) {
        s_.paused = true;
        return;
    }
    clock().start(clockInterval());
}

int Board::clockInterval() const {
    return s_.phase == Phase::Countdown ? kCountdownIntervalMs : clockIntervalMs(s_.level);
}

void Board::clockTick() {
    s_.timeLeft -= s_.phase == Phase::Countdown ? kCountdownDrain : (s_.level + 3) * 5;
    if (s_.timeLeft >= 0) {
        s_.timeBar = s_.timeLeft;
    } else {
        s_.timeBar = 0;
        services_.message(texts::kTimeUp, BoxIcon::Warning, texts::kGameOverTitle);
        clock().stop();
        loseTry();
    }
    if (s_.phase != Phase::Countdown) return;
    if (s_.timeBar != 0) {
        addScore(kCountdownPoints);
    } else {
        if (s_.level < kHighestLevel) ++s_.level;
        deal();
    }
}

// The banner ends only when both the bar and the time are full.
void Board::bannerTick() {
    if (s_.timeBar != kFullTime || s_.timeLeft != kFullTime) {
        s_.timeBar += kBannerStep;
        return;
    }
    services_.message(texts::levelBanner(s_.level));
    services_.message(texts::kStart);
    s_.phase = s_.cleared() ? Phase::Countdown : Phase::Playing;
    startClock();
    services_.timer(TimerId::Banner).stop();
}

// Only a running clock is paused: pausing a stopped one would later start it in the middle of
// the level-start banner, whose full bar would then never be reached. Pausing again keeps the
// time left, as the clock is stopped by then.
void Board::pause() {
    outOfSight_ = true;
    if (s_.phase != Phase::Playing && s_.phase != Phase::Countdown) return;
    if (clock().active()) clockLeftMs_ = clock().remainingMs();
    clock().stop();
    s_.paused = true;
}

// A game that moved on while paused restarts its clock on its own, at the banner's end.
void Board::resume() {
    outOfSight_ = false;
    if (!s_.paused) return;
    s_.paused = false;
    const std::optional<int> left = std::exchange(clockLeftMs_, std::nullopt);
    if ((s_.phase != Phase::Playing && s_.phase != Phase::Countdown) || clock().active()) return;
    if (left) {
        clock().startAfter(*left, clockInterval());
    } else {
        startClock();
    }
}

}  // namespace crestaverde
