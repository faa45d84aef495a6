// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start and end on the real windows under the offscreen platform: the box about
// an unreadable table over the shown board, the board before the first deal, closing the board,
// and the display check's list of platforms. Quitting while another copy holds the table's lock,
// starting with no window to open, and where Qt's plugins come from, are played on the real
// program by tests/e2e (shared_table.py, start_up.sh).

#include <QPushButton>
#include <optional>

#include "display_check.h"
#include "game.h"
#include "player_script.h"
#include "program_folder.h"

namespace crestaverde::testing {

namespace fs = std::filesystem;

QWidget* modal() {
    return QApplication::activeModalWidget();
}

class StartAndEndTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(); }

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
        QTRY_VERIFY_WITH_TIMEOUT(steps.done(), kHangMs);
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
        const auto clockRuns = [&] { return game.services().timer(TimerId::Clock).active(); };
        PlayerScript steps;
        steps
            .when([&] { return game.menuWindow().isVisible(); },
                  [&] { QTest::keyClick(&game.menuWindow(), Qt::Key_Return); })
            .box(PlayerScript::click("Aceptar"))
            .box(PlayerScript::click("Aceptar"))
            .when(clockRuns, [&] { game.boardWindow().close(); })
            .box(PlayerScript::click("No"))
            .when([&] { return modal() == nullptr && clockRuns(); },
                  [&] {
                      keptAfterNo = !ended && game.board().state().phase == Phase::Playing;
                      game.boardWindow().close();
                  })
            .box(PlayerScript::click("Sí"))
            .box(PlayerScript::type("Cierre", true));
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(ended, kHangMs);
        QVERIFY(keptAfterNo);
        const QString leave =
            QStringLiteral("CRESTAVERDE | ¿Desea abandonar la partida? | Question | Sí, No");
        QCOMPARE(steps.seen().mid(2, 2), QStringList(2, leave));
        QVERIFY(!game.menuWindow().isVisible());
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
        QVERIFY(ended && modal() == nullptr);
    }

    // One platform that Qt has is enough, past one that it lacks.
    void aListOfPlatformsStartsOnTheFirstThatQtHas() {
        const auto none = [](const std::string&) -> std::optional<std::string> { return {}; };
        DisplayRequest request;
        request.platforms = {"nonesuch"};
        QVERIFY(DisplayCheck(request, none).problem().has_value());
        request.platforms.emplace_back("minimal");
        QVERIFY(!DisplayCheck(request, none).problem().has_value());
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::StartAndEndTest)
#include "start_and_end_test.moc"
