// The board's starting values and the deal.

#include <gtest/gtest.h>

#include <set>

#include "cards.h"
#include "fake_services.h"

namespace crestaverde::testing {
namespace {

TEST(Load, SetsTheStartingValuesAndDealsNothing) {
    TestGame game;
    EXPECT_EQ(game.s().contar, 52);
    EXPECT_EQ(game.s().level, 1);
    EXPECT_EQ(game.s().bono, 2);
    EXPECT_EQ(game.s().tiempo, 0);
    EXPECT_EQ(game.s().ProTiempo, 0);
    EXPECT_EQ(game.s().Label2.text, "0");
    EXPECT_FALSE(game.s().Label8.Visible);
    for (int i = 1; i <= kSlotCount; ++i) EXPECT_TRUE(game.s().Image1[i].picture.empty());
}

void expectFreshDeal(const BoardState& s) {
    std::set<std::string> codes;
    for (int i = 1; i <= kSlotCount; ++i) {
        const CardSlot& slot = s.Image1[i];
        ASSERT_EQ(slot.picture.size(), std::string("cartaXY.gif").size()) << slot.picture;
        const std::string code = slot.picture.substr(5, 2);
        codes.insert(code);
        EXPECT_EQ(slot.Tag, std::to_string(cardValue(code[0]))) << code;
        EXPECT_EQ(slot.Visible, i <= 28 || i == 52) << i;
    }
    EXPECT_EQ(codes.size(), 52U);
    EXPECT_EQ(s.contar, 52);
    EXPECT_TRUE(s.Image1[52].Enabled);
    for (int n = 1; n <= kCoverCount; ++n) {
        EXPECT_TRUE(s.Image3[n].Visible);
        EXPECT_EQ(s.Image3[n].picture, "atras.jpg");
    }
    EXPECT_EQ(s.Image2, "atras.jpg");
    EXPECT_EQ(s.Label8.text, "24");
    EXPECT_TRUE(s.Label8.Visible);
    for (const Caption& notice : s.Label3) EXPECT_FALSE(notice.Visible);
    EXPECT_EQ(s.tiempo, 200);
}

TEST(Deal, PlacesEveryCodeOnceAndLaysOutTheBoardOverManySeeds) {
    for (long long seed = 1; seed <= 200; ++seed) {
        TestGame game(seed * 7919);
        game.board.Form_Load();
        game.board.repartir(true);
        SCOPED_TRACE(seed);
        expectFreshDeal(game.s());
        EXPECT_FALSE(game.clock().enabled());
        EXPECT_EQ(game.clock().interval(), 2000);
        EXPECT_TRUE(game.services.timer(TimerId::Timer3).enabled());
    }
}

TEST(Deal, WithoutBannerLeavesClockAndBannerStopped) {
    TestGame game;
    game.board.repartir(false);
    expectFreshDeal(game.s());
    EXPECT_FALSE(game.clock().enabled());
    EXPECT_FALSE(game.services.timer(TimerId::Timer3).enabled());
}

TEST(Deal, LeavesLevelTriesScoreAndBarAlone) {
    TestGame game;
    game.edit().level = 4;
    game.edit().bono = 1;
    game.edit().Label2.text = "1234";
    game.edit().ProTiempo = 35;
    game.board.repartir(true);
    EXPECT_EQ(game.s().level, 4);
    EXPECT_EQ(game.s().bono, 1);
    EXPECT_EQ(game.s().Label2.text, "1234");
    EXPECT_EQ(game.s().ProTiempo, 35);
    EXPECT_EQ(game.clock().interval(), 1400);
}

TEST(Deal, SetsTheClockIntervalFromTheLevel) {
    TestGame game;
    const std::array<int, 12> expected = {2000, 1800, 1600, 1400, 1200, 1000,
                                          800,  600,  400,  200,  0,    0};
    for (int level = 1; level <= 12; ++level) {
        game.edit().level = static_cast<std::int16_t>(level);
        game.board.repartir(true);
        EXPECT_EQ(game.clock().interval(), expected[static_cast<std::size_t>(level - 1)]) << level;
    }
    game.edit().level = 400;  // far beyond: still no time limit, never a negative interval
    game.board.repartir(true);
    EXPECT_EQ(game.clock().interval(), 0);
}

TEST(Deal, TheDealRecordHoldsTheSentinelAndEveryCode) {
    TestGame game(99);
    game.board.repartir(true);
    const std::u16string& basura = game.s().basura;
    ASSERT_EQ(basura.size(), 2U + 2U * 52U);
    EXPECT_EQ(basura.substr(0, 2), u"\u00e7\u00f1");
    EXPECT_EQ(game.s().numero, 0);
}

}  // namespace
}  // namespace crestaverde::testing
