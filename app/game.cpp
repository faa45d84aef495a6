#include "game.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "about_window.h"
#include "board_accessible.h"
#include "crestaverde_version.h"
#include "design.h"
#include "help_window.h"
#include "icons.h"
#include "menu_accessible.h"
#include "score_location.h"

namespace crestaverde {

Game::Game(const QString& folder, const std::function<void()>& endProgram)
    : Game(std::filesystem::path(QFile::encodeName(folder).toStdString()), endProgram) {}

Game::Game(const std::filesystem::path& folder, const std::function<void()>& endProgram)
    : media_(mediaFolderFor(folder)),
      services_([this](TimerId id) {
          board_.tick(id);
          refreshBoard();
      }),
      menu_(services_, RecordFile(recordFileFor(folder))),
      board_(services_, menu_),
      boardWindow_(std::make_unique<BoardWindow>(board_, media_, endProgram)),
      menuWindow_(new MenuWindow(menu_, board_, media_, boardWindow_.get(), endProgram)) {
    services_.attach(this);
    menuWindow_->setHelpAndAbout([this] { showHelp(); }, [this] { showAbout(); });
}

Game::~Game() = default;

// The menu is asked for right behind the board, before any event runs: the window system maps
// the two together, and the board's first paint, the longest at a large size, cannot hold the
// menu back.
void Game::start() {
    boardWindow_->showMaximized();
    showMenu();
}

void Game::refreshBoard() {
    boardWindow_->refresh();
}

QWidget* Game::boxParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return boardWindow_.get();
}

void Game::showMenu() {
    refreshBoard();
    menuWindow_->showModal();
}

void Game::showHelp() {
    HelpWindow help(media_, services_, menuWindow_);
    help.exec();
}

void Game::showAbout() {
    AboutWindow about(media_, services_, qEnvironmentVariable("PATH").toStdString(), menuWindow_);
    about.exec();
}

void prepareApplication() {
    QApplication::setApplicationName(
        QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));
    QApplication::setApplicationVersion(QStringLiteral(CRESTAVERDE_VERSION));
    // Lets the desktop match the windows to the menu entry, for its icon and startup notice.
    QApplication::setDesktopFileName(QStringLiteral("crestaverde"));
    QApplication::setWindowIcon(appIcon());
    // Boxes come and go while the board stays; only the program's own end may end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // The game speaks Spanish whatever the desktop's language, and so must Qt's own buttons and
    // menus. Without the translations installed Qt falls back to English, which still plays.
    auto* qtTexts = new QTranslator(qApp);
    if (qtTexts->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtTexts);
    }
    installBoardAccessibility();
    installMenuAccessibility();
    QFont::insertSubstitutions(
        design::kSerif, {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(design::kSansSerif,
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(design::kTahoma, {QStringLiteral("DejaVu Sans Condensed"),
                                                 QStringLiteral("Liberation Sans")});
}

}  // namespace crestaverde
