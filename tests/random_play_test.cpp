// A long run of random clicks, ticks, abandons and answers, checking the board's invariants after
// every step.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>

#include "fake_services.h"
#include "numeric_text.h"

namespace crestaverde::testing {
namespace {

constexpr std::array<std::array<int, 3>, kCoverCount> kReleases = {{
    {7, 8, 4},
    {8, 9, 5},
    {9, 10, 6},
    {10, 17, 10},
    {17, 18, 11},
    {18, 19, 12},
    {19, 26, 16},
    {26, 27, 17},
    {27, 28, 18},
    {4, 5, 2},
    {5, 6, 3},
    {2, 3, 1},
    {14, 15, 8},
    {15, 16, 9},
    {12, 13, 7},
    {23, 24, 14},
    {24, 25, 15},
    {21, 22, 13},
}};

void checkInvariants(const BoardState& s) {
    ASSERT_GE(s.contar, 29);
    ASSERT_LE(s.contar, 52);
    for (int i = kFirstStockSlot; i <= kSlotCount; ++i) {
        ASSERT_EQ(s.Image1[i].Visible, i == s.contar) << "stock slot " << i;
    }
    ASSERT_TRUE(s.Label8.Visible);
    ASSERT_EQ(s.Label8.text, std::to_string(s.contar - 28));
    for (const auto& [first, second, cover] : kReleases) {
        const bool released = !s.Image1[first].Visible && !s.Image1[second].Visible;
        ASSERT_EQ(s.Image3[cover].Visible, !released) << "cover " << cover;
    }
    ASSERT_EQ(s.tiempo % 5, 0);
    ASSERT_GE(s.tiempo, 0);
    ASSERT_LE(s.tiempo, 200);
    std::set<std::string> shownCodes;
    for (int i = 1; i <= kSlotCount; ++i) {
        if (s.Image1[i].Visible) {
            ASSERT_TRUE(shownCodes.insert(s.Image1[i].picture).second);
        }
    }
    std::set<std::u16string> dealt;
    for (std::size_t pos = 2; pos + 1 < s.basura.size(); pos += 2)
        dealt.insert(s.basura.substr(pos, 2));
    ASSERT_EQ(dealt.size(), 52U);
}

TEST(RandomPlay, HundredThousandStepsKeepTheBoardConsistent) {
    TestGame game(123456789);
    std::mt19937 rng(20261206);
    game.services.defaultAnswer = [&](const ShownBox& shown) {
        if (shown.style != box::kYesNoQuestion) return box::kAnswerOk;
        return rng() % 2 == 0 ? box::kAnswerYes : box::kAnswerNo;
    };
    game.startGame();
    std::size_t gamesEnded = 0;
    std::int64_t lastScore = 0;
    int plays = 0;
    for (int step = 0; step < 100000; ++step) {
        const unsigned action = rng() % 100;
        if (action < 55) {
            // Mostly clicks on cards the player can see, sometimes on anything.
            const int slot =
                action < 45 ? static_cast<int>(rng() % 28) + 1 : static_cast<int>(rng() % 60) - 4;
            game.board.Image1_Click(static_cast<std::int16_t>(slot));
        } else if (action < 70) {
            game.board.Image1_Click(game.s().contar);
        } else if (action < 99) {
            game.services.advance(static_cast<long long>(rng() % 2500) + 1);
        } else {
            game.board.Command1_Click();
        }
        game.finishBanner();
        if (game.scores.handed.size() != gamesEnded) {
            gamesEnded = game.scores.handed.size();
            lastScore = 0;
        }
        const std::int64_t score = captionNumber(game.s().Label2.text);
        ASSERT_GE(score, lastScore) << "step " << step;
        if (score > lastScore) ++plays;
        lastScore = score;
        checkInvariants(game.s());
        if (::testing::Test::HasFatalFailure()) FAIL() << "at step " << step;
    }
    EXPECT_GT(gamesEnded, 10U);
    EXPECT_GT(plays, 1000);
}

}  // namespace
}  // namespace crestaverde::testing
