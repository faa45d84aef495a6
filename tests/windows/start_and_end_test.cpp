// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start and end on the real windows under the offscreen platform: the box about
// an unreadable table over the shown board, closing the board during a game, quitting while
// another copy holds the table's lock, where Qt's plugins come from, and the display check.

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "display_check.h"
#include "game.h"
#include "player_script.h"
#include "plugin_folders.h"
#include "program_folder.h"
#include "table_lock.h"

namespace crestaverde::testing {

namespace fs = std::filesystem;

QWidget* modal() {
    return QApplication::activeModalWidget();
}

class StartAndEndTest : public QObject {
    Q_OBJECT

  private:
    static bool clockRuns(Game& game) { return game.services().timer(TimerId::Clock).active(); }

    // From the menu into a game, the first board's banner answered.
    static void playOn(PlayerScript& steps, Game& game) {
        steps
            .when([&] { return game.menuWindow().isVisible(); },
                  [&] { QTest::keyClick(&game.menuWindow(), Qt::Key_Return); })
            .box(PlayerScript::click("Aceptar"))
            .box(PlayerScript::click("Aceptar"));
    }

    // A game abandoned into the record table under the name given, back to the menu.
    static void abandonAs(PlayerScript& steps, Game& game, const QString& name) {
        playOn(steps, game);
        steps
            .when([&] { return clockRuns(game); },
                  [&] { game.boardWindow().findChild<QPushButton*>("abandon")->click(); })
            .box(PlayerScript::click("Sí"))
            .box(PlayerScript::type(name, true));
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
        PlayerScript steps;
        steps
            .box([&](QDialog* shown) {
                windowsUp = game.boardWindow().isVisible() && game.menuWindow().isVisible();
                box = shown->frameGeometry();
                for (QWidget* w = shown; w != nullptr; w = w->parentWidget())
                    overBoard = overBoard || w == &game.boardWindow();
                PlayerScript::click("Aceptar")(shown);
            })
            .when([&] { return modal() == &game.menuWindow(); }, [&] { game.menuWindow().hide(); });
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(steps.done(), 20000);
        QVERIFY(steps.seen()[0].contains("No se ha podido leer el archivo de récords"));
        QVERIFY(windowsUp && overBoard);
        QVERIFY(game.boardWindow().frameGeometry().contains(box.center()));
    }

    void closingTheBoardDuringAGameAsksAndYesEndsTheGameThenTheProgram() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        bool ended = false;
        bool keptAfterNo = false;
        Game game(folder, [&] { ended = true; });
        PlayerScript steps;
        playOn(steps, game);
        steps.when([&] { return clockRuns(game); }, [&] { game.boardWindow().close(); })
            .box(PlayerScript::click("No"))
            .when([&] { return modal() == nullptr && clockRuns(game); },
                  [&] {
                      keptAfterNo = !ended && game.board().state().phase == Phase::Playing;
                      game.boardWindow().close();
                  })
            .box(PlayerScript::click("Sí"))
            .box(PlayerScript::type("Cierre", true));
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(ended, 20000);
        QVERIFY(keptAfterNo);
        const QString leave =
            QStringLiteral("CRESTAVERDE | ¿Desea abandonar la partida? | Question | Sí, No");
        QCOMPARE(steps.seen().mid(2, 2), QStringList(2, leave));
        QVERIFY(!game.menuWindow().isVisible());
        QCOMPARE(static_cast<int>(game.board().state().phase), static_cast<int>(Phase::Over));
        QVERIFY((RecordFile(folder / "record.ini").read().table[0] == ScoreRow{"Cierre", "0"}));
    }

    // Till the first deal the board shows its titles alone: no card, no cover, no stock.
    void theBoardShowsNoCardBeforeTheFirstDeal() {
        TempFolder dir;
        Game game(mediaCopy(dir), [] {});
        const BoardWindow& board = game.boardWindow();
        for (const design::Element& element : design::boardStacking()) {
            if (element.kind == design::ElementKind::Label) continue;
            const auto found = board.elementAt(board.designRect(element).center());
            QVERIFY(!found || found->kind == design::ElementKind::Label);
        }
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
        bool shownUnsaved = false;
        Game game(folder, [&] { ended = true; });
        PlayerScript steps;
        abandonAs(steps, game, "Ana");
        steps
            .when([&] { return modal() == &game.menuWindow(); },
                  [&] {
                      shownUnsaved = game.menuWindow().nameLabel(0)->text() == "Ana" &&
                                     !fs::exists(folder / "record.ini");
                      QTest::keyClick(&game.menuWindow(), Qt::Key_Escape);
                  })
            .when([] { return qobject_cast<QProgressDialog*>(modal()) != nullptr; },
                  [&] { other.reset(); })
            .when([&] { return ended; }, [&] { game.menuWindow().hide(); });
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(steps.done(), 20000);
        QVERIFY(shownUnsaved);
        QVERIFY((RecordFile(folder / "record.ini").read().table[0] == ScoreRow{"Ana", "0"}));
    }

    void quittingWithoutWaitingForTheLockTellsThatTheScoreIsLost() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        const TableLock other(folder / "record.ini");
        bool ended = false;
        bool endedBeforeTold = true;
        Game game(folder, [&] { ended = true; });
        PlayerScript steps;
        abandonAs(steps, game, "Ana");
        steps
            .when([&] { return modal() == &game.menuWindow(); },
                  [&] { QTest::keyClick(&game.menuWindow(), Qt::Key_Escape); })
            .when([] { return qobject_cast<QProgressDialog*>(modal()) != nullptr; },
                  [] { PlayerScript::click("Salir sin guardar")(qobject_cast<QDialog*>(modal())); })
            .box([&](QDialog* box) {
                endedBeforeTold = ended;
                PlayerScript::click("Aceptar")(box);
            })
            .when([&] { return ended; }, [&] { game.menuWindow().hide(); });
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(steps.done(), 20000);
        QVERIFY(!endedBeforeTold);
        QVERIFY(steps.seen().back().contains("bloqueado"));
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
