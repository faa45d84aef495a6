// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start and end on the real windows under the offscreen platform: the box about
// an unreadable table over the shown board, closing the board during a game, quitting while
// another copy holds the table's lock, where Qt's plugins come from, and the display check.

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <optional>

#include "display_check.h"
#include "game.h"
#include "plugin_folders.h"
#include "table_lock.h"
#include "temp_folder.h"

namespace crestaverde::testing {

namespace fs = std::filesystem;

// Acts from a timer, so that it keeps going inside whatever modal loops the program opens: once
// a step's condition holds, its action runs, queued.
class Steps {
  public:
    Steps() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (steps_.empty() || !steps_.front().first()) return;
            QTimer::singleShot(0, std::move(steps_.front().second));
            steps_.pop_front();
        });
        timer_.start(5);
    }
    Steps& when(std::function<bool()> ready, std::function<void()> act) {
        steps_.emplace_back(std::move(ready), std::move(act));
        return *this;
    }
    [[nodiscard]] bool done() const { return steps_.empty(); }

  private:
    QTimer timer_;
    std::deque<std::pair<std::function<bool()>, std::function<void()>>> steps_;
};

QWidget* modal() {
    return QApplication::activeModalWidget();
}

// The box on top when it is a message box showing this text.
QMessageBox* boxSaying(const QString& text) {
    auto* box = qobject_cast<QMessageBox*>(modal());
    return box != nullptr && box->isVisible() && box->text().contains(text) ? box : nullptr;
}

void press(QWidget* dialog, const QString& caption) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->text() == caption) button->click();
    }
}

class StartAndEndTest : public QObject {
    Q_OBJECT

  private:
    static fs::path mediaCopy(const TempFolder& dir) {
        const fs::path folder = dir.file("media");
        fs::create_directory(folder);
        for (const QString& file : MediaCatalogue::fileNames()) {
            fs::copy_file(fs::path(CRESTAVERDE_MEDIA_DIR) / file.toStdString(),
                          folder / file.toStdString());
        }
        return folder;
    }
    static bool clockRuns(Game& game) { return game.services().timer(TimerId::Clock).active(); }

    // From the menu into a game, the first board's banner answered.
    static void playOn(Steps& steps, Game& game) {
        steps
            .when([&] { return game.menuWindow().isVisible(); },
                  [&] { QTest::keyClick(&game.menuWindow(), Qt::Key_Return); })
            .when([] { return boxSaying("NIVEL 1"); }, [] { press(modal(), "Aceptar"); })
            .when([] { return boxSaying("Empieza"); }, [] { press(modal(), "Aceptar"); });
    }

    // A game abandoned into the record table under the name given, back to the menu.
    static void abandonAs(Steps& steps, Game& game, const QString& name) {
        playOn(steps, game);
        steps
            .when([&] { return clockRuns(game); },
                  [&] { game.boardWindow().findChild<QPushButton*>("abandon")->click(); })
            .when([] { return boxSaying("abandonar"); }, [] { press(modal(), "Sí"); })
            .when([] { return qobject_cast<QInputDialog*>(modal()) != nullptr; },
                  [name] {
                      auto* box = qobject_cast<QInputDialog*>(modal());
                      box->setTextValue(name);
                      box->accept();
                  });
    }

  private slots:
    void initTestCase() { prepareApplication(); }

    void pluginsComeFromQtsOwnFolderAlone() {
        QCOMPARE(QCoreApplication::libraryPaths(), ownPluginFolders());
    }

    // The box is told of once the windows are up, and opens over them.
    void anUnreadableTableIsToldOfOverTheShownBoard() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        fs::create_directory(folder / "record.ini");
        Game game(folder, [] {});
        bool windowsUp = false;
        bool overBoard = false;
        QRect box;
        Steps steps;
        steps
            .when([] { return boxSaying("No se ha podido leer el archivo de récords"); },
                  [&] {
                      windowsUp = game.boardWindow().isVisible() && game.menuWindow().isVisible();
                      box = modal()->frameGeometry();
                      overBoard = false;
                      for (QWidget* w = modal(); w != nullptr; w = w->parentWidget())
                          overBoard = overBoard || w == &game.boardWindow();
                      press(modal(), "Aceptar");
                  })
            .when([&] { return modal() == &game.menuWindow(); }, [&] { game.menuWindow().hide(); });
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(steps.done(), 20000);
        QVERIFY(windowsUp);
        QVERIFY(overBoard);
        QVERIFY(game.boardWindow().frameGeometry().contains(box.center()));
    }

    void closingTheBoardDuringAGameAsksAndYesEndsTheGameThenTheProgram() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        bool ended = false;
        Game game(folder, [&] { ended = true; });
        Steps steps;
        playOn(steps, game);
        steps.when([&] { return clockRuns(game); }, [&] { game.boardWindow().close(); })
            .when([] { return boxSaying("¿Desea abandonar la partida?"); },
                  [] { press(modal(), "No"); })
            .when([&] { return modal() == nullptr && clockRuns(game); },
                  [&] {
                      QVERIFY(!ended);
                      QVERIFY(game.board().state().phase == Phase::Playing);
                      game.boardWindow().close();
                  })
            .when([] { return boxSaying("¿Desea abandonar la partida?"); },
                  [] { press(modal(), "Sí"); })
            .when([] { return qobject_cast<QInputDialog*>(modal()) != nullptr; },
                  [] {
                      auto* box = qobject_cast<QInputDialog*>(modal());
                      box->setTextValue("Cierre");
                      box->accept();
                  });
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(ended, 20000);
        QVERIFY(!game.menuWindow().isVisible());
        QCOMPARE(static_cast<int>(game.board().state().phase), static_cast<int>(Phase::Over));
        QVERIFY((RecordFile(folder / "record.ini").read().table[0] == ScoreRow{"Cierre", "0"}));
    }

    void closingTheBoardWithNoGameInPlayEndsAtOnce() {
        TempFolder dir;
        bool ended = false;
        Game game(mediaCopy(dir), [&] { ended = true; });
        game.boardWindow().show();
        game.boardWindow().close();
        QVERIFY(ended);
        QVERIFY(modal() == nullptr);
    }

    // Another copy holds the lock from the game's end on: the menu shows the row at once, and
    // quitting waits for the lock, then saves.
    void quittingWaitsForTheTablesLockAndThenSaves() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        std::optional<TableLock> other(std::in_place, folder / "record.ini");
        bool ended = false;
        Game game(folder, [&] { ended = true; });
        Steps steps;
        abandonAs(steps, game, "Ana");
        steps
            .when([&] { return modal() == &game.menuWindow(); },
                  [&] {
                      QCOMPARE(game.menuWindow().nameLabel(0)->text(), QStringLiteral("Ana"));
                      QVERIFY(!fs::exists(folder / "record.ini"));
                      QTest::keyClick(&game.menuWindow(), Qt::Key_Escape);
                  })
            .when([] { return qobject_cast<QProgressDialog*>(modal()) != nullptr; },
                  [&] {
                      QVERIFY(!ended);
                      other.reset();
                  })
            .when([&] { return ended; }, [&] { game.menuWindow().hide(); });
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(steps.done(), 20000);
        QVERIFY((RecordFile(folder / "record.ini").read().table[0] == ScoreRow{"Ana", "0"}));
    }

    void quittingWithoutWaitingForTheLockTellsThatTheScoreIsLost() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        const TableLock other(folder / "record.ini");
        bool ended = false;
        Game game(folder, [&] { ended = true; });
        Steps steps;
        abandonAs(steps, game, "Ana");
        steps
            .when([&] { return modal() == &game.menuWindow(); },
                  [&] { QTest::keyClick(&game.menuWindow(), Qt::Key_Escape); })
            .when([] { return qobject_cast<QProgressDialog*>(modal()) != nullptr; },
                  [] { press(modal(), "Salir sin guardar"); })
            .when([] { return boxSaying("bloqueado"); },
                  [&] {
                      QVERIFY(!ended);
                      press(modal(), "Aceptar");
                  })
            .when([&] { return ended; }, [&] { game.menuWindow().hide(); });
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(steps.done(), 20000);
        QVERIFY(!fs::exists(folder / "record.ini"));
    }

    // The three ways of starting with no window to open, and two that Qt can start with.
    void noDisplayIsToldInSpanish() {
        const auto without = [](const std::string& platforms,
                                std::optional<std::string> display) -> std::string {
            const auto environment = [display](const std::string& name) {
                return name == "DISPLAY" ? display : std::nullopt;
            };
            DisplayRequest request;
            request.platforms = {platforms};
            return DisplayCheck(request, environment).problem().value_or("");
        };
        QVERIFY(without("xcb", std::nullopt).find("DISPLAY") != std::string::npos);
        // No X server has a display number this high.
        QVERIFY(without("xcb", ":65000").find("«:65000»") != std::string::npos);
        QVERIFY(without("nonesuch", ":0").find("«nonesuch»") != std::string::npos);
        QVERIFY(without("offscreen", std::nullopt).empty());
        DisplayRequest either;
        either.platforms = {"nonesuch", "minimal"};
        QVERIFY(!DisplayCheck(either, [](const std::string&) { return std::nullopt; }).problem());
    }
};

}  // namespace crestaverde::testing

// Qt is kept to its own plugins before the QApplication is built, as the program does.
int main(int argc, char** argv) {
    std::optional<crestaverde::OwnPluginsOnly> plugins(std::in_place,
                                                       crestaverde::runningProgramFolder());
    const QApplication app(argc, argv);
    plugins.reset();
    crestaverde::testing::StartAndEndTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "start_and_end_test.moc"
