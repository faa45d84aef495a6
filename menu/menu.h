#pragma once
// The start menu `frmjuego` without its window: the high-score table, the record check with
// name entry, and what its buttons do.

#include <cstdint>
#include <functional>
#include <string>

#include "board.h"
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

    // Runs once, the first time the menu is shown.
    void Form_Load();
    void Abre_puntos();
    void Cierra_puntos();
    void puntuacion(std::int32_t puntos) override;

    // Play: hide the menu, hand the board the focus, deal with the banner.
    void Command1_Click(Board& board);
    // Quit, Esc and the close box: the program ends at once.
    void Form_Unload();

    [[nodiscard]] const ScoreTable& table() const { return table_; }
    // A row's texts as the menu's labels show them.
    [[nodiscard]] std::string nameCaption(int row) const;
    [[nodiscard]] std::string scoreCaption(int row) const;
    [[nodiscard]] const std::string& nombre() const { return nombre_; }

  private:
    void refresh();
    void save(const std::function<void(ScoreTable&)>& change);

    Services& services_;
    RecordFile file_;
    ScoreTable table_;
    std::string nombre_;
    bool loaded_ = false;
    // A file that exists but could not be read is never overwritten in this run, and no name
    // is asked for that could not be kept.
    bool fileProtected_ = false;
};

}  // namespace crestaverde
