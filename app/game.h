#pragma once
// The whole program's objects, wired together: the services on Qt, the board and the menu with
// their windows. Everything lives as long as the program runs.

#include <QEventLoop>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

#include "board.h"
#include "board_window.h"
#include "media_catalogue.h"
#include "menu.h"
#include "menu_window.h"
#include "qt_services.h"

namespace crestaverde {

class Game : public WindowHost {
  public:
    // endProgram ends the process; tests pass one that only records the request. The program
    // ends through quit(), which first lets every score reach the file.
    explicit Game(const std::filesystem::path& folder,
                  const std::function<void()>& endProgram = &QtServices::endProcessNow);
    explicit Game(const QString& folder,
                  const std::function<void()>& endProgram = &QtServices::endProcessNow);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    ~Game() override;

    // Shows the board maximised and the menu over it, and returns when the menu's modal loop
    // ends. Every deal of the menu's Play waits for beforePlay first.
    void start(std::function<void()> beforePlay = {});

    [[nodiscard]] Board& board() { return board_; }
    [[nodiscard]] Menu& menu() { return menu_; }
    [[nodiscard]] BoardWindow& boardWindow() { return *boardWindow_; }
    [[nodiscard]] MenuWindow& menuWindow() { return *menuWindow_; }
    [[nodiscard]] QtServices& services() { return services_; }

    void refreshBoard() override;
    QWidget* boxParent() override;
    void showMenu() override;

    // The menu's help and about buttons: each opens its window anew, modally.
    void showHelp();
    void showAbout();
    // Ends the program once every score has reached the file, or could not: while another copy
    // of the game holds the table's lock, a box says that the game waits for it, for a while at
    // most, and lets the player stop waiting.
    void quit();

  private:
    void waitForSaves();
    void waitInBox(QEventLoop& loop);
    void savesSettled();

    std::function<void()> endProgram_;
    bool quitting_ = false;
    QEventLoop* savesWait_ = nullptr;  // set while quit() waits
    MediaCatalogue media_;
    QtServices services_;
    Menu menu_;
    Board board_;
    std::unique_ptr<BoardWindow> boardWindow_;
    MenuWindow* menuWindow_;  // owned by the board window
};

// Sets fonts, application facts, Qt's texts in Spanish and the windows' accessible interfaces;
// call once after the QApplication exists, before any window.
void prepareApplication();

}  // namespace crestaverde
