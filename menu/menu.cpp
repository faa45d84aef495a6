// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "menu_texts.h"
#include "score_entry.h"
#include "windows1252.h"

namespace crestaverde {
namespace {

// Line breaks would split the ten-line file; what the code page cannot hold becomes "?".
std::string tableName(const std::string& name) {
    std::string oneLine = name;
    std::erase_if(oneLine, [](char c) { return c == '\r' || c == '\n'; });
    return utf8ToWindows1252(oneLine);
}

}  // namespace

Menu::Menu(Services& services, RecordFile file)
    : services_(services),
      file_(file),
      saver_(std::move(file),
             [&services, menu = std::weak_ptr<Menu*>(self_)](const TableSaver::Outcome& outcome) {
                 services.post([menu, outcome] {
                     if (const std::shared_ptr<Menu*> alive = menu.lock())
                         (*alive)->settle(outcome);
                 });
             }) {}

void Menu::open() {
    if (loaded_) return;
    loaded_ = true;
    loadTable();
}

void Menu::loadTable() {
    RecordFile::ReadResult result = file_.read();
    table_ = std::move(result.table);
    if (result.status == RecordFile::ReadStatus::Unreadable) {
        fileProtected_ = true;
        services_.post([&services = services_, menu = std::weak_ptr<Menu*>(self_)] {
            if (menu.lock()) services.message(texts::kTableUnreadable, BoxIcon::Warning);
        });
    }
}

// Another copy of the game may have saved since this one last read the table. The file is
// replaced whole, so it reads without the lock. While rows of this copy wait, the file may or may
// not hold them by now: the table stays as it is, and the next save brings the file's rows in.
void Menu::refresh() {
    if (fileProtected_ || saving()) return;
    RecordFile::ReadResult result = file_.read();
    if (result.status == RecordFile::ReadStatus::Unreadable) {
        fileProtected_ = true;
    } else {
        table_ = std::move(result.table);
    }
}

void Menu::settle(const TableSaver::Outcome& outcome) {
    unsaved_.erase(unsaved_.begin(), unsaved_.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                            outcome.entries, unsaved_.size())));
    switch (outcome.result) {
        case TableSaver::Result::Saved:
            table_ = outcome.table;
            enterAll(table_, unsaved_);
            break;
        case TableSaver::Result::Unreadable:
            // Said once: what comes after it would only say it again.
            if (!std::exchange(fileProtected_, true)) {
                services_.message(texts::kTableUnsaved, BoxIcon::Warning);
            }
            break;
        case TableSaver::Result::Failed:
            services_.message(texts::kTableUnsaved, BoxIcon::Warning);
            break;
        case TableSaver::Result::GaveUp:
            services_.message(
                std::string(texts::kTableUnsaved) + std::string(texts::kTableLockedReason),
                BoxIcon::Warning);
            break;
    }
    if (savedListener_) savedListener_();
}

void Menu::recordFinalScore(std::int32_t score) {
    refresh();
    if (fileProtected_) {
        services_.message(texts::scoreUnsavable(score), BoxIcon::Warning);
        return;
    }
    if (isRecord(table_, score)) {
        name_ = services_.askText(texts::kNamePrompt, texts::kNamePrefilled, kMaxNameChars);
    } else {
        services_.message(texts::kNoRecord, BoxIcon::Critical, texts::kNoRecordTitle);
    }
    if (name_.empty() || name_ == texts::kNamePrefilled) name_.clear();
    // The row goes into the table as the file holds it at the moment of saving.
    TableEntry entry{ScoreRow{tableName(name_), std::to_string(score)}, score};
    enterAll(table_, {entry});
    unsaved_.push_back(entry);
    saver_.add(std::move(entry));
}

std::string Menu::nameCaption(int row) const {
    return windows1252ToUtf8(table_.at(static_cast<std::size_t>(row)).name);
}

std::string Menu::scoreCaption(int row) const {
    return windows1252ToUtf8(table_.at(static_cast<std::size_t>(row)).score);
}

}  // namespace crestaverde
