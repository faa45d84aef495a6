// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_saver.h"

#include <chrono>

#include "score_entry.h"

namespace crestaverde {
namespace {

// A copy holds the lock only while it reads and writes the table, a matter of milliseconds; a
// lock still held after that is one held for long, and a slower look costs nothing there.
constexpr auto kLockRetry = std::chrono::milliseconds(50);

TableSaver::Result resultOf(RecordFile::SaveStatus status) {
    switch (status) {
        case RecordFile::SaveStatus::Saved:
            return TableSaver::Result::Saved;
        case RecordFile::SaveStatus::Unreadable:
            return TableSaver::Result::Unreadable;
        case RecordFile::SaveStatus::Busy:
        case RecordFile::SaveStatus::Failed:
            break;
    }
    return TableSaver::Result::Failed;
}

}  // namespace

void enterAll(ScoreTable& table, const std::deque<TableEntry>& entries) {
    for (const TableEntry& entry : entries) enterScore(table, entry.row, entry.score);
}

TableSaver::TableSaver(RecordFile file, std::function<void(Outcome)> report)
    : file_(std::move(file)),
      report_(std::move(report)),
      worker_([this](const std::stop_token& stop) { run(stop); }) {}

void TableSaver::add(TableEntry entry) {
    {
        const std::lock_guard lock(mutex_);
        waiting_.push_back(std::move(entry));
    }
    wake_.notify_one();
}

void TableSaver::giveUp() {
    {
        const std::lock_guard lock(mutex_);
        givingUp_ = true;
    }
    wake_.notify_one();
}

void TableSaver::run(const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    while (wake_.wait(lock, stop, [this] { return !waiting_.empty(); }) && !stop.stop_requested()) {
        Outcome outcome;
        outcome.entries = waiting_.size();
        if (givingUp_) {
            outcome.result = Result::GaveUp;
        } else {
            const std::deque<TableEntry> batch = waiting_;
            lock.unlock();
            RecordFile::UpdateResult saved =
                file_.update([&batch](ScoreTable& table) { enterAll(table, batch); });
            lock.lock();
            if (saved.status == RecordFile::SaveStatus::Busy) {
                wake_.wait_for(lock, stop, kLockRetry, [this] { return givingUp_; });
                continue;
            }
            outcome.result = resultOf(saved.status);
            outcome.table = std::move(saved.table);
        }
        waiting_.erase(waiting_.begin(),
                       waiting_.begin() + static_cast<std::ptrdiff_t>(outcome.entries));
        lock.unlock();
        report_(std::move(outcome));
        lock.lock();
    }
}

}  // namespace crestaverde
