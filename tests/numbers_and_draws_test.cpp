// Reading numbers from texts, writing them back, rounding, and the card draws.

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "cards.h"
#include "numeric_text.h"
#include "random_draws.h"

namespace crestaverde {
namespace {

TEST(NumericValue, ReadsTheLeadingNumberAndStopsWhereItCannotContinue) {
    EXPECT_EQ(numericValue("1300"), 1300);
    EXPECT_EQ(numericValue(" 1300"), 1300);
    EXPECT_EQ(numericValue("123abc"), 123);
    EXPECT_EQ(numericValue("-42"), -42);
    EXPECT_EQ(numericValue("+7x"), 7);
    EXPECT_DOUBLE_EQ(numericValue("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(numericValue(".5"), 0.5);
    EXPECT_DOUBLE_EQ(numericValue("1.5e3"), 1500);
    EXPECT_DOUBLE_EQ(numericValue("15E-1"), 1.5);
    EXPECT_EQ(numericValue("1e"), 1);
    EXPECT_EQ(numericValue("3.2.1"), 3.2);
    EXPECT_EQ(numericValue("1,000"), 1);
}

TEST(NumericValue, SkipsBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(numericValue("1 2\t3\n4"), 1234);
    EXPECT_EQ(numericValue("- 5"), -5);
    EXPECT_EQ(numericValue("\n\t 9"), 9);
    EXPECT_EQ(numericValue("1\r2"), 1);  // a carriage return is not skipped
}

TEST(NumericValue, TextWithoutALeadingNumberIsZero) {
    EXPECT_EQ(numericValue(""), 0);
    EXPECT_EQ(numericValue("abc"), 0);
    EXPECT_EQ(numericValue("-"), 0);
    EXPECT_EQ(numericValue("."), 0);
    EXPECT_EQ(numericValue("e5"), 0);
    EXPECT_EQ(numericValue(std::string_view("\0"
                                            "5",
                                            2)),
              0);
}

TEST(NumberToText, PlainDigitsWithMinusWhenNegative) {
    EXPECT_EQ(numberToText(0), "0");
    EXPECT_EQ(numberToText(15600), "15600");
    EXPECT_EQ(numberToText(-300), "-300");
    EXPECT_EQ(numberToText(2147483647), "2147483647");
}

TEST(CaptionNumber, ReadsDigitsAfterBlanksAndSaturates) {
    EXPECT_EQ(captionNumber(" 1300"), 1300);
    EXPECT_EQ(captionNumber("24"), 24);
    EXPECT_EQ(captionNumber(""), 0);
    EXPECT_EQ(captionNumber("99999999999999999999999"), INT64_MAX);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(0.5F), 0);
    EXPECT_EQ(roundHalfEven(1.5F), 2);
    EXPECT_EQ(roundHalfEven(2.5F), 2);
    EXPECT_EQ(roundHalfEven(12.5F), 12);
    EXPECT_EQ(roundHalfEven(12.49F), 12);
    EXPECT_EQ(roundHalfEven(12.51F), 13);
    EXPECT_EQ(roundHalfEven(0.0F), 0);
}

TEST(CardDraws, MapRankAndSuitDrawsToCodes) {
    EXPECT_EQ(rankCharacter(0), '1');
    EXPECT_EQ(rankCharacter(1), '1');
    EXPECT_EQ(rankCharacter(9), '9');
    EXPECT_EQ(rankCharacter(10), '0');
    EXPECT_EQ(rankCharacter(11), 'j');
    EXPECT_EQ(rankCharacter(12), 'q');
    EXPECT_EQ(rankCharacter(13), 'k');
    EXPECT_EQ(suitLetter(0), 'd');
    EXPECT_EQ(suitLetter(1), 'd');
    EXPECT_EQ(suitLetter(2), 'c');
    EXPECT_EQ(suitLetter(3), 'b');
    EXPECT_EQ(suitLetter(4), 'a');
    EXPECT_EQ(cardValue('0'), 10);
    EXPECT_EQ(cardValue('k'), 13);
    EXPECT_EQ(cardValue('1'), 1);
    EXPECT_EQ(cardPicture("0b"), "carta0b.gif");
}

TEST(CardDraws, ScaleInSinglePrecisionBeforeRounding) {
    EXPECT_EQ(rankCharacter(scaledDraw(0.5F / 13.0F, 13)), '1');  // exactly half: the ace
    EXPECT_EQ(scaledDraw(0.999999F, 13), 13);
    EXPECT_EQ(scaledDraw(0.125F, 4), 0);
    EXPECT_EQ(scaledDraw(0.375F, 4), 2);
    EXPECT_EQ(scaledDraw(0.875F, 4), 4);
}

TEST(ClockSeededRandom, NumbersLieInTheUnitInterval) {
    ClockSeededRandom random;
    random.randomize(12345);
    for (int i = 0; i < 100000; ++i) {
        const float u = random.rnd();
        ASSERT_GE(u, 0.0F);
        ASSERT_LT(u, 1.0F);
    }
}

TEST(ClockSeededRandom, AnUnchangedClockDoesNotRepeatEarlierNumbers) {
    ClockSeededRandom random;
    random.randomize(777);
    const float first = random.rnd();
    random.randomize(777);
    const float second = random.rnd();
    EXPECT_NE(first, second);

    ClockSeededRandom fresh;
    fresh.randomize(777);
    EXPECT_EQ(fresh.rnd(), first);  // a new reading does seed afresh
}

// Frequencies over many draws against the tables, with a tolerance of five standard deviations.
template <std::size_t N>
void expectFrequencies(const std::array<int, N>& counts, const std::array<double, N>& expected,
                       int total) {
    for (std::size_t i = 0; i < N; ++i) {
        const double p = expected[i];
        const double sigma = std::sqrt(total * p * (1 - p));
        EXPECT_NEAR(counts[i], total * p, 5 * sigma) << "outcome " << i;
    }
}

TEST(CardDraws, FollowTheProbabilityTables) {
    ClockSeededRandom random;
    random.randomize(2026);
    constexpr int kTotal = 400000;
    std::array<int, 14> values{};  // index = card value
    std::array<int, 4> suits{};    // a, b, c, d
    for (int i = 0; i < kTotal; ++i) {
        ++values[static_cast<std::size_t>(cardValue(rankCharacter(scaledDraw(random.rnd(), 13))))];
        ++suits[static_cast<std::size_t>(suitLetter(scaledDraw(random.rnd(), 4)) - 'a')];
    }
    EXPECT_EQ(values[0], 0);
    std::array<int, 13> byValue{};
    std::array<double, 13> expectedValues{};
    for (std::size_t v = 1; v <= 13; ++v) {
        byValue[v - 1] = values[v];
        expectedValues[v - 1] = v == 1 ? 1.5 / 13 : v == 13 ? 0.5 / 13 : 1.0 / 13;
    }
    expectFrequencies(byValue, expectedValues, kTotal);
    expectFrequencies(suits, {1.0 / 8, 1.0 / 4, 1.0 / 4, 3.0 / 8}, kTotal);
}

}  // namespace
}  // namespace crestaverde
