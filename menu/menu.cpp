#include "menu.h"

#include <algorithm>

#include "numeric_text.h"
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

void Menu::saveTable() {
    if (fileProtected_) return;
    if (!file_.write(table_)) services_.message(kUnsavedText, BoxIcon::Warning);
}

void Menu::recordFinalScore(std::int32_t score) {
    if (numericValue(table_[kScoreRows - 1].score) <= score) {
        name_ = services_.askText(kNamePrompt, kNamePlaceholder, kMaxNameLength);
    } else {
        services_.message(kNoRecordText, BoxIcon::Critical, kNoRecordTitle);
    }
    if (name_.empty() || name_ == kNamePlaceholder) name_.clear();
    for (int row = 0; row < kScoreRows; ++row) {
        if (numericValue(table_[static_cast<std::size_t>(row)].score) <= score) {
            enter(row, score);
            break;
        }
    }
    saveTable();
}

// The rows below move down unchanged; the old last row drops out.
void Menu::enter(int row, std::int32_t score) {
    const auto at = table_.begin() + row;
    std::move_backward(at, table_.end() - 1, table_.end());
    *at = {tableName(name_), std::to_string(score)};
}

std::string Menu::nameCaption(int row) const {
    return windows1252ToUtf8(table_.at(static_cast<std::size_t>(row)).name);
}

std::string Menu::scoreCaption(int row) const {
    return windows1252ToUtf8(table_.at(static_cast<std::size_t>(row)).score);
}

}  // namespace crestaverde
