// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start menu on screen: pictures, the record table and four buttons. Play hides it, hands
// the board the focus and deals; Quit, Esc and the close box end the program.

#include <QDialog>
#include <array>
#include <functional>

#include "board.h"
#include "design.h"
#include "media_catalogue.h"
#include "menu.h"

class QLabel;
class QPushButton;

namespace crestaverde {

class MenuWindow : public QDialog {
  public:
    MenuWindow(Menu& menu, Board& board, const MediaCatalogue& media, QWidget* boardWindow,
               std::function<void()> endProgram);

    // Loads the window the first time, shows the current table and runs modally until hidden.
    void showModal();
    // What the help and about buttons open.
    void setHelpAndAbout(std::function<void()> help, std::function<void()> about);
    // What Play waits for before it deals; it may end the program instead.
    void setBeforePlay(std::function<void()> beforePlay);
    // Brings the rows shown in line with the menu's table.
    void showTable();

    [[nodiscard]] QLabel* nameLabel(int row) const { return names_[static_cast<std::size_t>(row)]; }
    [[nodiscard]] QLabel* scoreLabel(int row) const {
        return scores_[static_cast<std::size_t>(row)];
    }

    void reject() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void play();
    QPushButton* addButton(const QString& caption, const QString& name, design::ButtonDesign place);

    Menu& menu_;
    Board& board_;
    const MediaCatalogue& media_;
    std::array<QLabel*, kScoreRows> names_{};
    std::array<QLabel*, kScoreRows> scores_{};
    std::function<void()> help_;
    std::function<void()> about_;
    std::function<void()> beforePlay_;
    std::function<void()> endProgram_;
};

}  // namespace crestaverde
