#include "game.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>

#include "about_window.h"
#include "design.h"
#include "help_window.h"
#include "score_location.h"

namespace crestaverde {

Game::Game(const QString& folder, std::function<void()> endProgram)
    : Game(std::filesystem::path(QFile::encodeName(folder).toStdString()), std::move(endProgram)) {}

Game::Game(const std::filesystem::path& folder, std::function<void()> endProgram)
    : media_(folder),
      services_(
          [this](TimerId id) {
              board_.tick(id);
              refreshBoard();
          },
          std::move(endProgram)),
      menu_(services_, RecordFile(recordFileFor(folder))),
      board_(services_, menu_),
      boardWindow_(std::make_unique<BoardWindow>(board_, services_, media_)),
      menuWindow_(new MenuWindow(menu_, board_, media_, boardWindow_.get())),
      registry_(findSystemInfoProgram(qEnvironmentVariable("PATH").toStdString())),
      system_(services_) {
    services_.attach(this);
    menuWindow_->setHelpAndAbout([this] { showHelp(); }, [this] { showAbout(); });
    services_.timer(TimerId::Timer1).setInterval(design::kClockDesignMs);
    services_.timer(TimerId::Timer3).setInterval(design::kBannerTimerMs);
    services_.timer(TimerId::Timer2).setInterval(design::kStartTimerMs);
}

Game::~Game() = default;

void Game::start() {
    board_.Form_Load();
    boardWindow_->showMaximized();
    services_.timer(TimerId::Timer2).setEnabled(true);
}

void Game::refreshBoard() {
    boardWindow_->refresh();
}

QWidget* Game::boxParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return boardWindow_.get();
}

void Game::showMenuModal() {
    refreshBoard();
    menuWindow_->showModal();
}

void Game::hideMenu() {
    menuWindow_->hide();
}

void Game::activateBoard() {
    boardWindow_->raise();
    boardWindow_->activateWindow();
}

void Game::showHelp() {
    HelpWindow help(media_, services_, menuWindow_);
    help.exec();
}

void Game::showAbout() {
    AboutWindow about(media_, services_, registry_, system_, menuWindow_);
    about.exec();
}

void prepareApplication() {
    QApplication::setApplicationName(QStringLiteral("CRESTAVERDE"));
    QApplication::setApplicationVersion(QStringLiteral("1.5.0"));
    // Boxes come and go while the board stays; only the program's own end may end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QFont::insertSubstitutions(
        design::kSerif, {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(design::kSansSerif,
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(design::kTahoma, {QStringLiteral("DejaVu Sans Condensed"),
                                                 QStringLiteral("Liberation Sans")});
}

}  // namespace crestaverde
