// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where each tower card lies and which cards cover it. The deal, the uncovering, the window's
// drawing and stacking, the keys and the accessible descriptions all take the layout from here.
//
// Positions as dealt (row 1 holds the peaks; the base row is shared by the towers):
//
//     row 1        1                 11                 20
//     row 2      2   3             12  13             21  22
//     row 3    4   5   6         14  15  16         23  24  25
//     row 4  7   8   9   10    17    18    19     26    27    28
//
// Columns count half cards from the left edge: each card of rows 1 to 3 lies across the two
// cards of the row below that are half a card to either side of it, and stays covered until
// both are gone. The base row lies on the even columns 0 to 18; a tower is six columns wide.

#include <array>
#include <cstddef>
#include <optional>

namespace crestaverde {

inline constexpr int kTowers = 3;
inline constexpr int kTowerRows = 4;
inline constexpr int kBaseRow = kTowerRows;
inline constexpr int kTowerCardCount = 28;
inline constexpr int kColumnsPerTower = 6;
inline constexpr int kLastColumn = kTowers * kColumnsPerTower;

struct TowerPlace {
    int row;     // 1 (the peaks) to 4 (the base)
    int tower;   // 0 left, 1 middle, 2 right
    int column;  // in half cards from the left edge
};

namespace layout_detail {

// Dealt tower by tower, each from its peak down, its rows from the left, then the base cards
// under it; a base card between two towers is dealt with the left one.
constexpr std::array<TowerPlace, kTowerCardCount + 1> makePlaces() {
    std::array<TowerPlace, kTowerCardCount + 1> places{};
    std::size_t position = 1;
    for (int tower = 0; tower < kTowers; ++tower) {
        const int left = tower * kColumnsPerTower;
        for (int row = 1; row < kBaseRow; ++row) {
            for (int i = 0; i < row; ++i) {
                places[position++] = {row, tower, left + kBaseRow - row + 2 * i};
            }
        }
        for (int column = tower == 0 ? 0 : left + 2; column <= left + kColumnsPerTower;
             column += 2) {
            places[position++] = {kBaseRow, tower, column};
        }
    }
    return places;
}

}  // namespace layout_detail

// By position 1..28; 0 is unused.
inline constexpr std::array<TowerPlace, kTowerCardCount + 1> kTowerPlaces =
    layout_detail::makePlaces();

[[nodiscard]] constexpr const TowerPlace& towerPlace(int position) {
    return kTowerPlaces.at(static_cast<std::size_t>(position));
}
[[nodiscard]] constexpr int towerRow(int position) {
    return towerPlace(position).row;
}
[[nodiscard]] constexpr bool inBaseRow(int position) {
    return towerRow(position) == kBaseRow;
}

// The position of the card at a row and column, or 0 where none lies.
[[nodiscard]] constexpr int positionAt(int row, int column) {
    for (int position = 1; position <= kTowerCardCount; ++position) {
        const TowerPlace& place = towerPlace(position);
        if (place.row == row && place.column == column) return position;
    }
    return 0;
}

// The two cards of the row below that cover a card, left one first; none for a base card.
[[nodiscard]] constexpr std::optional<std::array<int, 2>> coveringCards(int position) {
    const TowerPlace& place = towerPlace(position);
    if (place.row == kBaseRow) return std::nullopt;
    return std::array{positionAt(place.row + 1, place.column - 1),
                      positionAt(place.row + 1, place.column + 1)};
}

// Each tower's top card, from the left.
inline constexpr std::array<int, kTowers> kPeaks = {
    positionAt(1, 3), positionAt(1, 3 + kColumnsPerTower), positionAt(1, 3 + 2 * kColumnsPerTower)};

namespace layout_detail {

constexpr std::array<int, kTowerCardCount> makeReadingOrder() {
    std::array<int, kTowerCardCount> order{};
    std::size_t at = 0;
    for (int row = 1; row <= kTowerRows; ++row) {
        for (int column = 0; column <= kLastColumn; ++column) {
            if (const int position = positionAt(row, column)) order[at++] = position;
        }
    }
    return order;
}

}  // namespace layout_detail

// The positions row by row from the peaks down, each row from the left: the covered cards of
// rows 1 to 3 come first, then the base row.
inline constexpr std::array<int, kTowerCardCount> kReadingOrder = layout_detail::makeReadingOrder();
inline constexpr int kCoveredCardCount = kTowerCardCount - (kLastColumn / 2 + 1);

// A position's place in the reading order, from 0.
[[nodiscard]] constexpr int readingIndex(int position) {
    for (int index = 0; index < kTowerCardCount; ++index) {
        if (kReadingOrder.at(static_cast<std::size_t>(index)) == position) return index;
    }
    return -1;
}

// Where the towers meet: they share the base row, and the cards between them.
static_assert(kPeaks == std::array{1, 11, 20});
static_assert(inBaseRow(10) && towerPlace(10).tower == 0 && towerPlace(19).tower == 1);
static_assert(coveringCards(14) == std::array{10, 17} && coveringCards(23) == std::array{19, 26});
static_assert(!inBaseRow(kReadingOrder[kCoveredCardCount - 1]) &&
              inBaseRow(kReadingOrder[kCoveredCardCount]));

}  // namespace crestaverde
