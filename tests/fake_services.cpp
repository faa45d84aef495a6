// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"

#include <chrono>

namespace crestaverde::testing {

void FakeServices::post(std::function<void()> callback) {
    const std::lock_guard lock(postMutex_);
    posted_.push_back(std::move(callback));
    postArrived_.notify_all();
}

void FakeServices::runPosted() {
    std::unique_lock lock(postMutex_);
    while (!posted_.empty()) {
        const std::function<void()> next = takeFirst(posted_);
        lock.unlock();
        next();
        lock.lock();
    }
}

bool FakeServices::awaitPosted() {
    std::unique_lock lock(postMutex_);
    const bool arrived =
        postArrived_.wait_for(lock, std::chrono::minutes(1), [this] { return !posted_.empty(); });
    lock.unlock();
    runPosted();
    return arrived;
}

void FakeServices::advance(long long ms) {
    const long long target = now_ + ms;
    for (runPosted();; runPosted()) {
        auto next = std::min_element(timers_.begin(), timers_.end(), [&](auto& a, auto& b) {
            return a.dueBy(target) && (!b.dueBy(target) || a.due < b.due);
        });
        if (!next->dueBy(target)) break;
        now_ = std::max(now_, next->due);
        next->due = now_ + next->interval();
        if (onTick) onTick(static_cast<TimerId>(next - timers_.begin()));
    }
    now_ = std::max(now_, target);  // a box held open meanwhile may have run time further
    runPosted();
}

}  // namespace crestaverde::testing
