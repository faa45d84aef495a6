// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record table behind the start menu: loading and saving it, and the check that lets a
// final score in, asking for the player's name.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "record_file.h"
#include "score_keeper.h"
#include "score_table.h"
#include "services.h"
#include "table_saver.h"

namespace crestaverde {

class Menu : public ScoreKeeper {
  public:
    Menu(Services& services, RecordFile file);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    ~Menu() override = default;

    // Loads the table the first time the menu opens; later openings show it as it stands. A file
    // that cannot be read is told of once the event loop runs, so over the windows then shown.
    void open();
    // The row is entered into the table shown at once, and saved into the file as the file then
    // holds it as soon as no other copy of the game holds the table's lock.
    void recordFinalScore(std::int32_t score) override;

    // Whether some score has not reached the file yet.
    [[nodiscard]] bool saving() const { return !unsaved_.empty(); }
    // For the end of the program: stops waiting for the table's lock. A score that could not be
    // saved by then is told of; saving() turns false once that is settled.
    void stopWaiting() { saver_.giveUp(); }
    // Runs on the event thread after every save settled: the table may have changed, and
    // saving() may have turned false.
    void setSavedListener(std::function<void()> listener) { savedListener_ = std::move(listener); }

    [[nodiscard]] const ScoreTable& table() const { return table_; }
    // A row's texts as the menu shows them.
    [[nodiscard]] std::string nameCaption(int row) const;
    [[nodiscard]] std::string scoreCaption(int row) const;
    // The name last typed; a table out of order can enter it again for a score that is no record.
    [[nodiscard]] const std::string& lastName() const { return name_; }

  private:
    void loadTable();
    void refresh();
    void settle(const TableSaver::Outcome& outcome);

    Services& services_;
    RecordFile file_;
    ScoreTable table_;
    std::string name_;
    bool loaded_ = false;
    // A file that exists but could not be read is never overwritten in this run, and no name
    // is asked for that could not be kept.
    bool fileProtected_ = false;
    // Entered into table_ but not yet settled by the saver, oldest first.
    std::deque<TableEntry> unsaved_;
    std::function<void()> savedListener_;
    // What the saver's reports reach on the event thread; gone with the menu.
    std::shared_ptr<Menu*> self_ = std::make_shared<Menu*>(this);
    TableSaver saver_;  // last: its thread stops before anything it reports to goes
};

}  // namespace crestaverde
