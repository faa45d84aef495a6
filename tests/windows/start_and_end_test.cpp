// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start and end on the real windows under the offscreen platform: the box about
// an unreadable table over the shown board, the board before the first deal, closing the board,
// and the display check. Quitting while another copy holds the table's lock, and where Qt's
// plugins come from, are played on the real program by tests/e2e (shared_table.py, start_up.sh).

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
        QCOMPARE(game.board().state().phase, Phase::Over);
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

    // The three ways of starting with no window to open, and two that Qt can start with: a
    // platform that needs no display, and a list whose first platform Qt lacks.
    void noDisplayIsToldInSpanish() {
        const struct {
            std::vector<std::string> platforms;
            std::optional<std::string> display;
            std::string told;  // in the problem; none when empty
        } rows[] = {{{"xcb"}, std::nullopt, "DISPLAY"},
                    {{"xcb"}, ":65000", "«:65000»"},  // no X server has a number this high
                    {{"nonesuch"}, ":0", "«nonesuch»"},
                    {{"offscreen"}, std::nullopt, ""},
                    {{"nonesuch", "minimal"}, std::nullopt, ""}};
        for (const auto& row : rows) {
            DisplayRequest request;
            request.platforms = row.platforms;
            const std::string problem =
                DisplayCheck(request,
                             [&](const std::string& name) {
                                 return name == "DISPLAY" ? row.display : std::nullopt;
                             })
                    .problem()
                    .value_or("");
            QVERIFY2(
                row.told.empty() ? problem.empty() : problem.find(row.told) != std::string::npos,
                (row.platforms[0] + ": " + problem).c_str());
        }
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::StartAndEndTest)
#include "start_and_end_test.moc"
