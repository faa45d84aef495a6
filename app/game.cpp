#include "game.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QProgressDialog>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <utility>

#include "about_window.h"
#include "board_accessible.h"
#include "crestaverde_version.h"
#include "design.h"
#include "help_window.h"
#include "icons.h"
#include "line_edit_accessible.h"
#include "menu_accessible.h"
#include "program_files.h"
#include "time_bar.h"
#include "window_texts.h"

namespace crestaverde {
namespace {

// A copy of the game holds the table's lock for milliseconds: one that holds it longer than the
// quiet wait is held up, and one that holds it as long as the patience is stopped or stuck.
constexpr auto kQuietWait = std::chrono::milliseconds(300);
constexpr auto kSavePatience = std::chrono::seconds(10);

}  // namespace

Game::Game(const QString& folder, const std::function<void()>& endProgram)
    : Game(std::filesystem::path(QFile::encodeName(folder).toStdString()), endProgram) {}

Game::Game(const std::filesystem::path& folder, const std::function<void()>& endProgram)
    : endProgram_(endProgram),
      media_(mediaFolderFor(folder)),
      services_([this](TimerId id) {
          board_.tick(id);
          refreshBoard();
      }),
      menu_(services_, RecordFile(recordFileFor(folder))),
      board_(services_, menu_),
      boardWindow_(std::make_unique<BoardWindow>(board_, media_, [this] { quit(); })),
      menuWindow_(new MenuWindow(menu_, board_, media_, boardWindow_.get(), [this] { quit(); })) {
    services_.attach(this);
    menuWindow_->setHelpAndAbout([this] { showHelp(); }, [this] { showAbout(); });
    menu_.setSavedListener([this] { savesSettled(); });
}

Game::~Game() = default;

// The menu is asked for right behind the board, before any event runs: the window system maps
// the two together, and the board's first paint, the longest at a large size, cannot hold the
// menu back.
void Game::start(std::function<void()> beforePlay) {
    menuWindow_->setBeforePlay(std::move(beforePlay));
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

void Game::quit() {
    if (std::exchange(quitting_, true)) return;
    if (menu_.saving()) waitForSaves();
    quitting_ = false;
    endProgram_();
}

// A save takes milliseconds: the box comes only when one waits longer, for the table's lock.
// Until then the player's input waits too.
void Game::waitForSaves() {
    QEventLoop loop;
    savesWait_ = &loop;
    QTimer::singleShot(kQuietWait, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (menu_.saving()) waitInBox(loop);
    savesWait_ = nullptr;
}

void Game::waitInBox(QEventLoop& loop) {
    QProgressDialog waiting(texts::kSavingWait, texts::kQuitUnsaved, 0, 0, boxParent());
    waiting.setWindowTitle(QApplication::applicationName());
    waiting.setWindowModality(Qt::ApplicationModal);
    waiting.setMinimumDuration(0);
    QObject::connect(&waiting, &QProgressDialog::canceled, [this] { menu_.stopWaiting(); });
    QObject::connect(&waiting, &QDialog::rejected, [this] { menu_.stopWaiting(); });
    QTimer patience;
    patience.setSingleShot(true);
    QObject::connect(&patience, &QTimer::timeout, [this] { menu_.stopWaiting(); });
    patience.start(kSavePatience);
    waiting.show();
    loop.exec();
}

void Game::savesSettled() {
    menuWindow_->showTable();
    if (savesWait_ != nullptr && !menu_.saving()) savesWait_->quit();
}

void prepareApplication() {
    QApplication::setApplicationName(texts::qText(texts::kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(CRESTAVERDE_VERSION));
    // Lets the desktop match the windows to the menu entry, for its icon and startup notice; on
    // Wayland it is also the windows' application id.
    QApplication::setDesktopFileName(QStringLiteral(CRESTAVERDE_DESKTOP_ID));
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
    installTimeBarAccessibility();
    installMenuAccessibility();
    installLineEditAccessibility();
    QFont::insertSubstitutions(
        design::kSerif, {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(design::kSansSerif,
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(design::kTahoma, {QStringLiteral("DejaVu Sans Condensed"),
                                                 QStringLiteral("Liberation Sans")});
}

}  // namespace crestaverde
