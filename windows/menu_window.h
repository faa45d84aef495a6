#pragma once
// The start menu `frmjuego` on screen: pictures, the high-score table and four buttons.

#include <QDialog>
#include <array>
#include <functional>

#include "board.h"
#include "media_catalogue.h"
#include "menu.h"

class QLabel;
class QPushButton;

namespace crestaverde {

class MenuWindow : public QDialog {
  public:
    MenuWindow(Menu& menu, Board& board, const MediaCatalogue& media, QWidget* board_window);

    // Loads the window the first time, shows the current table and runs modally until hidden.
    void showModal();
    // What the help and about buttons open.
    void setHelpAndAbout(std::function<void()> help, std::function<void()> about);

    [[nodiscard]] QLabel* nameLabel(int row) const { return names_[static_cast<std::size_t>(row)]; }
    [[nodiscard]] QLabel* scoreLabel(int row) const {
        return scores_[static_cast<std::size_t>(row)];
    }

    void reject() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    void showTable();
    QPushButton* addButton(const QString& caption, const QString& name, int left, int width);

    Menu& menu_;
    Board& board_;
    const MediaCatalogue& media_;
    bool loaded_ = false;
    std::array<QLabel*, kScoreRows> names_{};
    std::array<QLabel*, kScoreRows> scores_{};
    std::function<void()> help_;
    std::function<void()> about_;
};

}  // namespace crestaverde
