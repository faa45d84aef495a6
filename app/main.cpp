// CRESTAVERDE: the board opens maximised and the start menu over it.

#include <malloc.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <future>
#include <optional>
#include <set>
#include <string_view>

#include "crestaverde_version.h"
#include "display_check.h"
#include "game.h"
#include "last_frame.h"
#include "media_check.h"
#include "plugin_folders.h"
#include "program_files.h"

namespace {

constexpr const char* kUsage =
    "Uso: crestaverde [OPCIÓN]\n"
    "Solitario de tres torres contra el reloj.\n"
    "\n"
    "  -h, --help     muestra esta ayuda y termina\n"
    "  -v, --version  muestra la versión y termina\n"
    "\n"
    "Sin opciones, empieza el juego. También acepta las opciones propias de Qt, como\n"
    "-platform, -style o -session.\n";

enum class Request { Play, Help, Version, Wrong };

enum class QtOption { None, Alone, WithValue };

// Qt's own options stay Qt's: a session manager restores the game with -session, and a player
// may pick a platform or a style. Qt reads them with one dash or two.
QtOption qtOption(std::string_view option) {
    static const std::set<std::string_view> withValue = {
        "-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
        "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
        "-style",           "-stylesheet",         "-display"};
    static const std::set<std::string_view> alone = {"-reverse", "-nograb", "-dograb"};
    if (option.starts_with("--")) option.remove_prefix(1);
    if (withValue.contains(option)) return QtOption::WithValue;
    return alone.contains(option) ? QtOption::Alone : QtOption::None;
}

// Read before Qt starts, so that help and version need no display.
Request requestOf(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") return Request::Help;
        if (argument == "-v" || argument == "--version") return Request::Version;
        const QtOption qt = qtOption(argument);
        if (qt == QtOption::None) {
            std::fprintf(stderr, "crestaverde: opción desconocida: %s\n", argv[i]);
            return Request::Wrong;
        }
        if (qt == QtOption::WithValue && ++i == argc) {
            std::fprintf(stderr, "crestaverde: falta el valor de %s\n", argv[i - 1]);
            return Request::Wrong;
        }
    }
    return Request::Play;
}

// Over whatever window is up, or alone when none is.
void reportUnusableMedia(const std::filesystem::path& folder, const QStringList& unusable) {
    crestaverde::MessageBoxClosingAfterLastFrame box(
        QMessageBox::Critical, QApplication::applicationName(),
        crestaverde::MediaCatalogue::unusableMessage(
            QFile::decodeName(QByteArray::fromStdString(folder.native())), unusable),
        QApplication::activeModalWidget());
    box.addButton(QMessageBox::Ok);
    box.exec();
}

// A failed write (a full disk, a closed pipe) must not look like success.
int printed(const char* text) {
    return std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    switch (requestOf(argc, argv)) {
        case Request::Help:
            return printed(kUsage);
        case Request::Version:
            return printed("crestaverde " CRESTAVERDE_VERSION "\n");
        case Request::Wrong:
            std::fputs(kUsage, stderr);
            return 2;
        case Request::Play:
            break;
    }
    // The game's few other threads (the two media checks, Qt's X reader, the clip decoder, the
    // table's saver) allocate little and briefly: in the main thread's arena their freed memory
    // serves again, where an arena of their own would stay resident.
    ::mallopt(M_ARENA_MAX, 1);
    std::optional<crestaverde::DisplayCheck> display(
        std::in_place, crestaverde::displayRequestOf({argv, static_cast<std::size_t>(argc)}));
    if (const std::optional<std::string>& missing = display->problem()) {
        std::fprintf(stderr, "crestaverde: %s\n", missing->c_str());
        return 1;
    }
    const std::filesystem::path folder = crestaverde::runningProgramFolder();
    std::optional<crestaverde::OwnPluginsOnly> plugins(std::in_place, folder);
    qInstallMessageHandler(crestaverde::endFailedStart);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    plugins.reset();
    display.reset();
    const std::filesystem::path mediaFolder = crestaverde::mediaFolderFor(folder);
    // The quick part of the media check (only the large pictures decoded) takes the other core
    // while the program is set up and the windows are built; none of them shows before it has
    // passed.
    std::future<QStringList> check = std::async(std::launch::async, [&mediaFolder] {
        return crestaverde::MediaCatalogue(mediaFolder).unusableFiles();
    });
    crestaverde::prepareApplication();
    crestaverde::Game game(folder);
    if (const QStringList unusable = check.get(); !unusable.isEmpty()) {
        reportUnusableMedia(mediaFolder, unusable);
        return 1;
    }
    crestaverde::MediaCheck media(
        mediaFolder,
        [&mediaFolder](const QStringList& unusable) {
            reportUnusableMedia(mediaFolder, unusable);
            crestaverde::QtServices::endProcessWith(1);
        },
        &game.menuWindow());
    game.start([&media] { media.waitForPictures(); });
    return QApplication::exec();
}
