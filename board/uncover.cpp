// Turning tower cards face up once the two cards overlapping them from below are gone.

#include "board.h"

namespace crestaverde {
namespace {

struct CoverRule {
    int firstReleasing;
    int secondReleasing;
    int cover;
};

// In the order they are tested: row 3 from the base, then each tower's upper rows.
constexpr std::array<CoverRule, kCoverCount> kCoverRules = {{
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

}  // namespace

void Board::destapar() {
    s_.quitar = false;
    while (!s_.quitar) {
        s_.quitar = true;
        for (const CoverRule& rule : kCoverRules) {
            CoverPicture& cover = s_.Image3[rule.cover];
            if (gone(rule.firstReleasing) && gone(rule.secondReleasing) && cover.Visible) {
                cover.Visible = false;
                s_.quitar = false;
                break;
            }
        }
    }
}

}  // namespace crestaverde
