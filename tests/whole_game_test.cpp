// Complete games through the contract, from the first menu to the score in the file.

#include <gtest/gtest.h>

#include "fake_services.h"
#include "menu.h"
#include "numeric_text.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

// The real menu and board over the fake window layer.
struct WholeGame {
    WholeGame() {
        services.onTick = [this](TimerId id) { board.tick(id); };
        services.onMenu = [this] {
            menu.Form_Load();
            if (gamesToPlay-- > 0) {
                menu.Command1_Click(board);
            } else {
                menu.Form_Unload();
            }
        };
        board.Form_Load();
        services.timer(TimerId::Timer2).setInterval(1);
        services.timer(TimerId::Timer2).setEnabled(true);
        services.timer(TimerId::Timer3).setInterval(1);
    }
    // Plays greedily: any free tower card that fits, else a draw.
    void playOneMove() {
        const BoardState& s = board.state();
        const std::int64_t faceUp = captionNumber(s.Image1[s.contar].Tag);
        for (std::int16_t slot = 1; slot <= kTowerSlotCount; ++slot) {
            const int cover = coverOnSlot(slot);
            if (!s.Image1[slot].Visible || (cover != 0 && s.Image3[cover].Visible)) continue;
            const std::int64_t v = captionNumber(s.Image1[slot].Tag);
            if (v == faceUp + 1 || v == faceUp - 1 || (v == 13 && faceUp == 1) ||
                (v == 1 && faceUp == 13)) {
                board.Image1_Click(slot);
                return;
            }
        }
        board.Image1_Click(s.contar);
    }

    TempFolder folder;
    FakeServices services{555};
    Menu menu{services, RecordFile(folder.file("record.ini"))};
    Board board{services, menu};
    int gamesToPlay = 1;
};

TEST(WholeGame, PlaysToTheEndAndTheScoreLandsInTheFile) {
    WholeGame game;
    game.services.typeNext("Jugadora");
    EXPECT_THROW(
        {
            game.services.advance(1);  // the menu opens; Play deals
            for (int move = 0; move < 100000; ++move) {
                while (game.services.timer(TimerId::Timer3).enabled()) game.services.advance(1);
                game.playOneMove();
                game.services.advance(200);
            }
        },
        ProgramEnded);
    const std::vector<std::string> texts = game.services.boxTexts();
    ASSERT_FALSE(texts.empty());
    int lostRounds = 0;
    for (const std::string& text : texts)
        lostRounds += text.ends_with("No lo conseguistes") ? 1 : 0;
    EXPECT_EQ(lostRounds, 2);
    EXPECT_EQ(game.services.menuShown, 2);
    const std::string written = readBytes(game.folder.file("record.ini"));
    const ScoreRow best = game.menu.table()[0];
    EXPECT_EQ(best.name, "Jugadora");
    EXPECT_GT(numericValue(best.score), 0);
    EXPECT_EQ(written, "Jugadora\r\n" + best.score + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(WholeGame, AClearedBoardCountsDownAndMovesToTheNextLevel) {
    WholeGame game;
    game.services.advance(1);
    game.services.advance(41);
    BoardState& s = BoardTestAccess::state(game.board);
    for (int slot = 1; slot <= kTowerSlotCount; ++slot)
        s.Image1[slot].Visible = slot == 20 || slot == 21 || slot == 22;
    game.board.destapar();
    s.Image1[52].Tag = "5";
    s.Image1[21].Tag = "6";
    s.Image1[22].Tag = "7";
    s.Image1[20].Tag = "8";
    for (const std::int16_t slot : {21, 22, 20}) game.board.Image1_Click(slot);
    EXPECT_EQ(game.services.boxTexts().back(), "CRESTAVERDE: LO HAS CONSEGUIDO");
    const std::int64_t beforeCountdown = captionNumber(s.Label2.text);
    game.services.advance(1000);
    EXPECT_EQ(game.board.state().level, 2);
    EXPECT_EQ(captionNumber(s.Label2.text), beforeCountdown + 39 * 400);
    while (game.services.timer(TimerId::Timer3).enabled()) game.services.advance(1);
    EXPECT_EQ(game.services.boxTexts().back(), "CRESTAVERDE: Empieza");
    EXPECT_EQ(game.services.boxTexts()[game.services.boxTexts().size() - 2],
              "CRESTAVERDE: NIVEL 2");
}

TEST(WholeGame, TheSecondGameStartsFreshAndTheTableKeepsBothScores) {
    WholeGame game;
    game.gamesToPlay = 2;
    game.services.defaultAnswer = [](const ShownBox& shown) {
        return shown.style == box::kYesNoQuestion ? box::kAnswerYes : box::kAnswerOk;
    };
    game.services.typeNext("Uno");
    game.services.typeNext("Dos");
    game.services.advance(42);
    BoardTestAccess::state(game.board).Label2.text = "800";
    game.board.Command1_Click();  // abandon: the menu comes back and Play deals again
    EXPECT_EQ(game.board.state().Label2.text, "0");
    EXPECT_EQ(game.board.state().bono, 2);
    game.services.advance(42);
    BoardTestAccess::state(game.board).Label2.text = "1200";
    EXPECT_THROW(game.board.Command1_Click(), ProgramEnded);
    EXPECT_EQ(game.menu.table()[0], (ScoreRow{"Dos", "1200"}));
    EXPECT_EQ(game.menu.table()[1], (ScoreRow{"Uno", "800"}));
}

}  // namespace
}  // namespace crestaverde::testing
