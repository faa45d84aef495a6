// SPDX-License-Identifier: GPL-3.0-or-later
// The deal, uncovering, and the player's moves: tower plays, bonuses, draws, abandoning. Closing
// the board window asks as abandoning does during a game, and ends the program at once otherwise.

#include <gtest/gtest.h>

#include <set>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

TEST(Draws, RoundingAndTheMappingOfDrawsToCards) {
    for (const auto& [value, rounded] : std::vector<std::pair<float, int>>{
             {0.5F, 0}, {1.5F, 2}, {2.5F, 2}, {12.49F, 12}, {12.51F, 13}, {12.5F, 12}}) {
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    }
    // 0.5 / 13 scales to 0.5, which rounds to the even 0.
    EXPECT_EQ(std::pair(scaledDraw(0.999999F, 13), scaledDraw(0.5F / 13, 13)), std::pair(13, 0));
    EXPECT_EQ((std::array{rankOfDraw(0), rankOfDraw(1), rankOfDraw(10), rankOfDraw(13)}),
              (std::array{1, 1, 10, 13}));
    EXPECT_EQ(
        (std::array{suitOfDraw(0), suitOfDraw(1), suitOfDraw(2), suitOfDraw(3), suitOfDraw(4)}),
        (std::array{Suit::Spades, Suit::Spades, Suit::Clubs, Suit::Diamonds, Suit::Hearts}));
}

TEST(Deal, EveryCardOnceFaceDownWhereCoveredAndTheClockWaitingForTheBanner) {
    for (long long seed = 1; seed <= 100; ++seed) {
        TestGame game(seed * 7919);
        const BoardState& s = game.s();
        game.keepOnly({});         // every card taken, as a cleared board leaves them
        game.edit().timeBar = 35;  // the banner fills the bar on from where it stands
        game.board.deal();
        std::set<std::pair<int, Suit>> cards;
        for (int p = 1; p <= kTowerCardCount; ++p) {
            cards.insert({s.tower[p].rank, s.tower[p].suit});
            EXPECT_EQ(std::pair(s.taken[p], s.faceDown[p]), std::pair(false, !inBaseRow(p))) << p;
        }
        for (const Card& card : s.stock) cards.insert({card.rank, card.suit});
        ASSERT_EQ(cards.size(), 52U) << seed;
        EXPECT_EQ(s.faceUp, s.stock.back());
        EXPECT_EQ(std::tuple(s.stockLeft, s.timeLeft, s.timeBar, s.phase, game.clock().active(),
                             game.banner().active()),
                  std::tuple(24, 200, 35, Phase::Banner, false, true));
    }
}

TEST(Deal, TheClockSeedsTheDealAndAnUnchangedReadingKeepsTheSequenceGoing) {
    TestGame game(555);
    game.board.deal();
    // The first card drawn goes face up; re-seeding from the same reading draws on.
    ClockSeededRandom random;
    random.randomize(555);
    const Card first = random.card();
    EXPECT_EQ(game.s().stock.back(), first);
    random.randomize(555);
    EXPECT_NE(random.card(), first);
    TestGame later(556);  // another reading, another deal
    later.board.deal();
    EXPECT_NE(later.s().stock, game.s().stock);
    TestGame hoursLater(555 + (1LL << 32));  // the reading's high half counts too
    hoursLater.board.deal();
    EXPECT_NE(hoursLater.s().stock, game.s().stock);
}

class Play : public ::testing::Test {
  protected:
    void SetUp() override { game.startGame(); }
    TestGame game{4242};
    const BoardState& s = game.s();
};

TEST_F(Play, NeighboursPlayWithTheAceKingWrap) {
    const std::vector<std::tuple<int, int, bool>> cases = {
        {13, 12, true}, {13, 1, true},  {13, 13, false}, {1, 2, true},   {1, 13, true},
        {1, 1, false},  {7, 8, true},   {7, 6, true},    {7, 9, false},  {2, 13, false},
        {12, 1, false}, {12, 13, true}, {2, 1, true},    {11, 13, false}};
    for (const auto& [faceUp, tower, playable] : cases) {
        game.edit().taken[7] = false;
        game.setRank(0, faceUp);
        game.play(7, tower);
        EXPECT_EQ(s.taken[7], playable) << faceUp << " <- " << tower;
    }
}

// Each play adds (level + 3) x 10 to the time, up to the full 200, and turns up the cards it
// leaves uncovered: 4 lies on 7 and 8, 5 on 8 and 9, 6 on 9 and 10.
TEST_F(Play, APlayMovesTheCardOntoTheFaceUpCardScoresAddsTimeAndUncovers) {
    for (const auto& [p, level, before, after] :
         {std::array{7, 1, 120, 160}, {8, 3, 100, 160}, {9, 1, 195, 200}}) {
        std::tie(game.edit().level, game.edit().timeLeft) = std::pair(level, before);
        const std::int64_t score = s.score;
        game.play(p, s.faceUp.rank % 13 + 1);
        EXPECT_EQ(std::tuple(s.taken[p], s.faceUp, s.score, s.timeLeft, s.timeBar, s.stockLeft),
                  std::tuple(true, s.tower[p], score + 300, after, after, 24))
            << level;
    }
    EXPECT_EQ((std::array{s.faceDown[4], s.faceDown[5], s.faceDown[6]}),
              (std::array{false, false, true}));
}

TEST_F(Play, CardsThePlayerCannotReachStayWhereTheyAre) {
    game.setRank(0, 5);
    game.edit().taken[7] = true;
    for (const int p : {1, 4, 14, 25, 7}) game.setRank(p, 6);
    for (const int p : {1, 4, 14, 25, 7, 0, 29, -1}) game.board.playTowerCard(p);
    EXPECT_EQ(std::pair(s.score, s.faceUp.rank), std::pair(std::int64_t{0}, 5));
}

TEST_F(Play, AMisfitChangesNothingUntilAPeakIsGoneThenEveryTowerClickPays) {
    game.setRank(0, 5);
    game.play(8, 9);
    EXPECT_EQ(std::pair(s.score, s.timeLeft), std::pair(std::int64_t{0}, 200));
    game.keepOnly({11, 20, 7});
    game.play(7, 9);
    game.board.playTowerCard(7);
    EXPECT_EQ(std::tuple(s.score, s.peakTaken(0), s.peakTaken(1)), std::tuple(10000, true, false));
    game.play(7, 6);
    EXPECT_EQ(s.score, 15300);
    game.board.drawFromStock();  // a draw pays no bonus
    EXPECT_EQ(s.score, 15300);
}

TEST_F(Play, TheThirdPeakPaysThreeBonusesThenTheCountdownStarts) {
    game.keepOnly({1, 11, 20});
    game.edit().score = INT64_MAX - 30000;  // the repeated bonus saturates instead of wrapping
    game.setRank(0, 5);
    game.play(1, 6);
    game.play(11, 7);
    EXPECT_EQ(s.score, INT64_MAX - 30000 + 5300 + 10300);
    game.services.shown.clear();
    game.play(20, 8);  // 300 + 3 x 5000 more
    EXPECT_EQ(game.services.shown, (std::vector<ShownBox>{{"CRESTAVERDE", "LO HAS CONSEGUIDO"}}));
    EXPECT_EQ(std::tuple(s.score, s.phase, game.clock().interval()),
              std::tuple(INT64_MAX, Phase::Countdown, 10));
}

// A try lost with more to come the clock's tests prove on running out.
TEST_F(Play, DrawingCountsDownAndOneDrawTooManyLosesTheLastTryAndTheGame) {
    std::tie(game.edit().score, game.edit().level, game.edit().triesLeft, game.edit().timeBar) =
        std::tuple(4200, 3, 1, 90);
    game.services.onMenu = [] {};  // the player stays in the menu
    for (int left = 23; left >= 1; --left) {
        game.board.drawFromStock();
        EXPECT_EQ(std::pair(s.faceUp, s.stockLeft), std::pair(s.stock[left - 1], left));
    }
    game.board.drawFromStock();
    EXPECT_EQ(game.services.shown.back(),
              (ShownBox{"JUEGO TERMINADO", "No lo conseguistes", BoxIcon::Warning}));
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{4200}));
    EXPECT_EQ(std::tuple(s.phase, s.triesLeft, s.score, s.level, s.timeBar, game.clock().active()),
              std::tuple(Phase::Over, 2, 0, 1, 0, false));
    game.board.drawFromStock();  // behind the menu the board takes no moves
    EXPECT_EQ(s.stockLeft, 24);
}

// No keeps the game: the held-tick test plays it through, its clock running on.
TEST_F(Play, AbandoningAsksAndYesEndsTheGameWithTheScoreTheTableCanHold) {
    game.edit().score = 2147483647LL + 5000;
    game.services.answerNext(true);
    game.board.abandon();
    EXPECT_EQ(game.services.shown.back(),
              (ShownBox{"CRESTAVERDE", "¿Desea abandonar la partida?"}));
    EXPECT_EQ(game.scores.handed, (std::vector<std::int32_t>{2147483647}));
    // The menu's Play dealt the next game.
    EXPECT_EQ(std::pair(game.services.menuShown, s.phase), std::pair(2, Phase::Banner));
}

// The window-level tests play the rest: No keeps the game, Yes ends it and the program.
TEST_F(Play, ClosingTheWindowAsksFirstInEveryPhaseOfAGameInPlayOnly) {
    for (const Phase phase : {Phase::Banner, Phase::Playing, Phase::Countdown, Phase::Over}) {
        game.edit().phase = phase;
        const std::size_t boxes = game.services.shown.size();
        game.services.answerNext(false);
        EXPECT_EQ(game.board.closeRequested(), phase == Phase::Over) << static_cast<int>(phase);
        EXPECT_EQ(game.services.shown.size(), boxes + (phase == Phase::Over ? 0 : 1));
    }
}

}  // namespace
}  // namespace crestaverde::testing
