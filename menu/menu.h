// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record table behind the start menu: loading and saving it, and the check that lets a
// final score in, asking for the player's name.

#include <cstdint>
#include <functional>
#include <string>

#include "record_file.h"
#include "score_keeper.h"
#include "score_table.h"
#include "services.h"

namespace crestaverde {

inline constexpr std::string_view kNamePrompt = "HA BATIDO UN RECORD!!!";
inline constexpr std::string_view kNamePlaceholder = "Introduzca su nombre";

class Menu : public ScoreKeeper {
  public:
    Menu(Services& services, RecordFile file);

    // Loads the table the first time the menu opens; later openings show it as it stands.
    void open();
    void recordFinalScore(std::int32_t score) override;

    [[nodiscard]] const ScoreTable& table() const { return table_; }
    // A row's texts as the menu shows them.
    [[nodiscard]] std::string nameCaption(int row) const;
    [[nodiscard]] std::string scoreCaption(int row) const;
    // The name last typed; a table out of order can enter it again for a score that is no record.
    [[nodiscard]] const std::string& lastName() const { return name_; }

  private:
    void loadTable();
    void refresh();
    void save(const std::function<void(ScoreTable&)>& change);

    Services& services_;
    RecordFile file_;
    ScoreTable table_;
    std::string name_;
    bool loaded_ = false;
    // A file that exists but could not be read is never overwritten in this run, and no name
    // is asked for that could not be kept.
    bool fileProtected_ = false;
};

}  // namespace crestaverde
