// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cards, and how two random draws pick one.
//
// A draw multiplies a single-precision uniform number by 13 (rank) or 4 (suit) and rounds with
// halves to even. The ends of the range get half the weight of the middle values, and the
// mapping below folds them onto neighbours: the game has always dealt this way, so aces and
// spades come up more often than kings and hearts.

#include <cstdint>

namespace crestaverde {

enum class Suit : std::uint8_t { Hearts, Diamonds, Clubs, Spades };

inline constexpr int kAce = 1;
inline constexpr int kKing = 13;

struct Card {
    int rank = kAce;  // 1 ace .. 11 jack, 12 queen, 13 king
    Suit suit = Suit::Hearts;
    bool operator==(const Card&) const = default;
};

// A rank draw 0..13: 0 and 1 both give the ace.
[[nodiscard]] constexpr int rankOfDraw(int rankDraw) {
    return rankDraw < kAce ? kAce : rankDraw;
}

// A suit draw 0..4: 4 hearts, 3 diamonds, 2 clubs, 0 and 1 spades.
[[nodiscard]] constexpr Suit suitOfDraw(int suitDraw) {
    switch (suitDraw) {
        case 4:
            return Suit::Hearts;
        case 3:
            return Suit::Diamonds;
        case 2:
            return Suit::Clubs;
        default:
            return Suit::Spades;
    }
}

// One above or one below; the ace and the king are neighbours both ways.
[[nodiscard]] constexpr bool neighbours(int rank, int other) {
    return rank == other + 1 || rank == other - 1 || (rank == kKing && other == kAce) ||
           (rank == kAce && other == kKing);
}

}  // namespace crestaverde
