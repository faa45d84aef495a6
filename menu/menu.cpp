#include "menu.h"

#include <algorithm>
#include <functional>

#include "numeric_text.h"
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
std::string unsavableText(std::int32_t puntos) {
    return "Su puntuación de " + numberToText(puntos) +
           " puntos no se puede guardar, porque no se ha podido leer el archivo de récords "
           "(record.ini).";
}

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
    save({});
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
        services_.messageBox(kUnsavedText, box::kExclamation);
        return;
    }
    table_ = std::move(result.table);
    if (!result.saved) services_.messageBox(kUnsavedText, box::kExclamation);
}

void Menu::puntuacion(std::int32_t puntos) {
    refresh();
    if (fileProtected_) {
        services_.messageBox(unsavableText(puntos), box::kExclamation);
        return;
    }
    if (isRecord(table_, puntos)) {
        nombre_ = services_.inputBox(kNamePrompt, kNamePlaceholder);
    } else {
        services_.messageBox(kNoRecordText, box::kCritical, kNoRecordTitle);
    }
    if (nombre_.empty() || nombre_ == kNamePlaceholder) nombre_.clear();
    // The row goes into the table as the file holds it at the moment of saving.
    save([row = ScoreRow{tableName(nombre_), numberToText(puntos)}, puntos](ScoreTable& table) {
        enterScore(table, row, puntos);
    });
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
