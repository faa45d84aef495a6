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
std::string tableName(const std::string& nombre) {
    std::string oneLine = nombre;
    std::erase_if(oneLine, [](char c) { return c == '\r' || c == '\n'; });
    return utf8ToWindows1252(oneLine);
}

}  // namespace

Menu::Menu(Services& services, RecordFile file) : services_(services), file_(std::move(file)) {}

void Menu::Form_Load() {
    if (loaded_) return;
    loaded_ = true;
    Abre_puntos();
}

void Menu::Abre_puntos() {
    RecordFile::ReadResult result = file_.read();
    table_ = std::move(result.table);
    if (result.status == RecordFile::ReadStatus::Unreadable) {
        fileProtected_ = true;
        services_.messageBox(kUnreadableText, box::kExclamation);
    }
}

void Menu::Cierra_puntos() {
    if (fileProtected_) return;
    if (!file_.write(table_)) services_.messageBox(kUnsavedText, box::kExclamation);
}

void Menu::puntuacion(std::int32_t puntos) {
    if (numericValue(table_[kScoreRows - 1].score) <= puntos) {
        nombre_ = services_.inputBox(kNamePrompt, kNamePlaceholder);
    } else {
        services_.messageBox(kNoRecordText, box::kCritical, kNoRecordTitle);
    }
    if (nombre_.empty() || nombre_ == kNamePlaceholder) nombre_.clear();
    for (int row = 0; row < kScoreRows; ++row) {
        if (numericValue(table_[static_cast<std::size_t>(row)].score) <= puntos) {
            enter(row, puntos);
            break;
        }
    }
    Cierra_puntos();
}

// The rows below move down unchanged; the old last row drops out.
void Menu::enter(int row, std::int32_t puntos) {
    const auto at = table_.begin() + row;
    std::move_backward(at, table_.end() - 1, table_.end());
    *at = {tableName(nombre_), numberToText(puntos)};
}

void Menu::Command1_Click(Board& board) {
    services_.hideMenu();
    services_.activateBoard();
    board.repartir(true);
}

void Menu::Form_Unload() {
    services_.endProgram();
}

std::string Menu::nameCaption(int row) const {
    return windows1252ToUtf8(table_.at(static_cast<std::size_t>(row)).name);
}

std::string Menu::scoreCaption(int row) const {
    return windows1252ToUtf8(table_.at(static_cast<std::size_t>(row)).score);
}

}  // namespace crestaverde
