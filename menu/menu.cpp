// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu.h"

#include <algorithm>
#include <functional>

#include "score_entry.h"
#include "windows1252.h"

namespace crestaverde {
namespace {

constexpr std::string_view kNoRecordText = "CONSIGA MÁS PUNTOS LA PRÓXIMA VEZ";
constexpr std::string_view kNoRecordTitle = "NO HAY RECORD!!!";
constexpr std::string_view kUnreadableText =
    "No se ha podido leer el archivo de récords (record.ini). La tabla empieza vacía y el archivo "
    "no se modificará en esta partida.";
constexpr std::string_view kUnsavedText =
    "No se han podido guardar las puntuaciones en el archivo de récords (record.ini).";

// Said before any name is asked for, since no name could be kept.
std::string unsavableText(std::int32_t score) {
    return "Su puntuación de " + std::to_string(score) +
           " puntos no se puede guardar, porque no se ha podido leer el archivo de récords "
           "(record.ini).";
}

// Line breaks would split the ten-line file; what the code page cannot hold becomes "?".
std::string tableName(const std::string& name) {
    std::string oneLine = name;
    std::erase_if(oneLine, [](char c) { return c == '\r' || c == '\n'; });
    return utf8ToWindows1252(oneLine);
}

}  // namespace

Menu::Menu(Services& services, RecordFile file) : services_(services), file_(std::move(file)) {}

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
        services_.message(kUnreadableText, BoxIcon::Warning);
    }
}

// Another copy of the game may have saved since this one last read the table.
void Menu::refresh() {
    if (fileProtected_) return;
    RecordFile::ReadResult result = file_.read();
    if (result.status == RecordFile::ReadStatus::Unreadable) {
        fileProtected_ = true;
    } else {
        table_ = std::move(result.table);
    }
}

void Menu::save(const std::function<void(ScoreTable&)>& change) {
    if (fileProtected_) return;
    RecordFile::UpdateResult result = file_.update(change);
    if (result.status == RecordFile::ReadStatus::Unreadable) {
        fileProtected_ = true;
        services_.message(kUnsavedText, BoxIcon::Warning);
        return;
    }
    table_ = std::move(result.table);
    if (!result.saved) services_.message(kUnsavedText, BoxIcon::Warning);
}

void Menu::recordFinalScore(std::int32_t score) {
    refresh();
    if (fileProtected_) {
        services_.message(unsavableText(score), BoxIcon::Warning);
        return;
    }
    if (isRecord(table_, score)) {
        name_ = services_.askText(kNamePrompt, kNamePlaceholder, kMaxNameChars);
    } else {
        services_.message(kNoRecordText, BoxIcon::Critical, kNoRecordTitle);
    }
    if (name_.empty() || name_ == kNamePlaceholder) name_.clear();
    // The row goes into the table as the file holds it at the moment of saving.
    save([row = ScoreRow{tableName(name_), std::to_string(score)}, score](ScoreTable& table) {
        enterScore(table, row, score);
    });
}

std::string Menu::nameCaption(int row) const {
    return windows1252ToUtf8(table_.at(static_cast<std::size_t>(row)).name);
}

std::string Menu::scoreCaption(int row) const {
    return windows1252ToUtf8(table_.at(static_cast<std::size_t>(row)).score);
}

}  // namespace crestaverde
