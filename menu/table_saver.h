// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving new rows into the table file on a thread of its own. Another copy of the game may hold
// the table's lock for as long as it likes (slow to write, or stopped): the rows wait here for
// the lock, never the window.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "record_file.h"
#include "score_table.h"

namespace crestaverde {

// A final score and the row it enters the table with.
struct TableEntry {
    ScoreRow row;
    std::int32_t score = 0;
};

// Enters the entries, oldest first, as the record check does.
void enterAll(ScoreTable& table, const std::deque<TableEntry>& entries);

class TableSaver {
  public:
    enum class Result { Saved, Failed, Unreadable, GaveUp };
    struct Outcome {
        Result result = Result::Failed;
        ScoreTable table;         // the table as the file now holds it, when Saved
        std::size_t entries = 0;  // how many of the oldest entries not yet settled it settles
    };

    // report runs on the saver's own thread, once for each outcome, in the order of the entries.
    TableSaver(RecordFile file, std::function<void(Outcome)> report);
    TableSaver(const TableSaver&) = delete;
    TableSaver& operator=(const TableSaver&) = delete;
    // Stops at once, or once a save already under way ends; what waits is dropped unreported.
    ~TableSaver() = default;

    // Queues the entry. Every entry that waits is saved with the next one to get the lock.
    void add(TableEntry entry);
    // Stops waiting for the lock: the entries not saved by then are reported as GaveUp, and so
    // is every entry added later.
    void giveUp();

  private:
    void run(const std::stop_token& stop);

    RecordFile file_;
    std::function<void(Outcome)> report_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::deque<TableEntry> waiting_;
    bool givingUp_ = false;
    std::jthread worker_;  // last: it starts once everything it uses is there
};

}  // namespace crestaverde
