// Turning tower cards face up.

#include <gtest/gtest.h>

#include "fake_services.h"

namespace crestaverde::testing {
namespace {

class Uncover : public ::testing::Test {
  protected:
    void SetUp() override { game.board.repartir(false); }
    void take(std::initializer_list<int> slots) {
        for (const int slot : slots) game.edit().Image1[slot].Visible = false;
        game.board.destapar();
    }
    [[nodiscard]] std::vector<int> liftedCovers() const {
        std::vector<int> lifted;
        for (int n = 1; n <= kCoverCount; ++n) {
            if (!game.s().Image3[n].Visible) lifted.push_back(n);
        }
        return lifted;
    }
    TestGame game;
};

TEST_F(Uncover, NothingIsFreeRightAfterADeal) {
    game.board.destapar();
    EXPECT_TRUE(liftedCovers().empty());
    EXPECT_TRUE(game.s().quitar);
}

TEST_F(Uncover, ASharedBaseCardFreesOneCardInEachOfTwoTowers) {
    take({9, 17});
    EXPECT_TRUE(liftedCovers().empty());
    take({10});
    EXPECT_EQ(liftedCovers(), (std::vector<int>{6, 10}));  // slots 6 and 14
}

TEST_F(Uncover, BaseCard19FreesSlots16And23) {
    take({18, 26});
    take({19});
    EXPECT_EQ(liftedCovers(), (std::vector<int>{12, 16}));
}

TEST_F(Uncover, APeakTurnsUpOnlyWhenBothCardsBelowItAreGone) {
    take({2});
    EXPECT_TRUE(game.s().Image3[1].Visible);
    take({3});
    EXPECT_FALSE(game.s().Image3[1].Visible);
    take({12, 13});
    EXPECT_FALSE(game.s().Image3[7].Visible);
    take({21, 22});
    EXPECT_FALSE(game.s().Image3[13].Visible);
}

TEST_F(Uncover, EveryCoverLiesOnItsSlotAndLiftsWithItsReleasingPair) {
    // A whole board taken at once lifts all 18 covers in one call.
    take({7,  8,  9,  10, 17, 18, 19, 26, 27, 28, 4,  5, 6,
          14, 15, 16, 23, 24, 25, 2,  3,  12, 13, 21, 22});
    EXPECT_EQ(liftedCovers().size(), 18U);
    EXPECT_EQ(slotUnderCover(7), 11);
    EXPECT_EQ(slotUnderCover(13), 20);
    for (int n = 1; n <= kCoverCount; ++n) EXPECT_EQ(coverOnSlot(slotUnderCover(n)), n);
}

TEST_F(Uncover, ALiftedCoverStaysLiftedUntilTheNextDeal) {
    take({7, 8});
    EXPECT_FALSE(game.s().Image3[4].Visible);
    game.edit().Image1[7].Visible = true;  // nothing ever brings a card back, but even so
    game.board.destapar();
    EXPECT_FALSE(game.s().Image3[4].Visible);
    game.board.repartir(false);
    EXPECT_TRUE(game.s().Image3[4].Visible);
}

}  // namespace
}  // namespace crestaverde::testing
