// SPDX-License-Identifier: GPL-3.0-or-later
// Turning tower cards face up once the two cards overlapping them from below are gone.

#include "board.h"

namespace crestaverde {
namespace {

struct Overlap {
    int card;
    int lowerLeft;
    int lowerRight;
};

constexpr std::array<Overlap, 18> kOverlaps = {{
    {4, 7, 8},
    {5, 8, 9},
    {6, 9, 10},
    {14, 10, 17},
    {15, 17, 18},
    {16, 18, 19},
    {23, 19, 26},
    {24, 26, 27},
    {25, 27, 28},
    {2, 4, 5},
    {3, 5, 6},
    {1, 2, 3},
    {12, 14, 15},
    {13, 15, 16},
    {11, 12, 13},
    {21, 23, 24},
    {22, 24, 25},
    {20, 21, 22},
}};

}  // namespace

// A card only goes when it is face up, so one pass in this order frees everything it can.
void Board::uncover() {
    for (const Overlap& overlap : kOverlaps) {
        if (s_.taken[static_cast<std::size_t>(overlap.lowerLeft)] &&
            s_.taken[static_cast<std::size_t>(overlap.lowerRight)]) {
            s_.faceDown[static_cast<std::size_t>(overlap.card)] = false;
        }
    }
}

}  // namespace crestaverde
