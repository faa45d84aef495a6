// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a game holds at any moment: the three towers (laid out as tower_layout.h says), the stock,
// the face-up card, the score, the time, the level and the tries left.

#include <array>
#include <cstdint>

#include "cards.h"
#include "tower_layout.h"

namespace crestaverde {

inline constexpr int kStockCards = 24;
inline constexpr int kFullTime = 200;
inline constexpr int kTriesPerGame = 2;

enum class Phase {
    NotDealt,   // the program has just started: nothing is on the board yet
    Banner,     // a new board: the level-start banner fills the time bar, the clock waits
    Playing,    // the clock drains the time at the level's pace
    Countdown,  // all three peaks are taken: the clock pays out the time left
    Over,       // the game has ended; the board shows blank faces until the next game
};

struct BoardState {
    Phase phase = Phase::NotDealt;
    std::array<Card, kTowerCardCount + 1> tower{};     // by position 1..28; 0 is unused
    std::array<bool, kTowerCardCount + 1> taken{};     // played off the tower
    std::array<bool, kTowerCardCount + 1> faceDown{};  // still covered by the cards below
    std::array<Card, kStockCards> stock{};             // drawn from the back: 23 first, 0 last
    int stockLeft = kStockCards;  // cards not yet drawn past, face-up one included
    Card faceUp;                  // where tower cards are played
    std::int64_t score = 0;
    int timeLeft = 0;  // 0..200, in steps of 5
    int timeBar = 0;   // what the time bar shows; the banner fills it before the clock runs
    int level = 1;
    int triesLeft = kTriesPerGame;
    bool paused = false;  // the clock stopped because the board was out of the player's sight

    [[nodiscard]] bool stockEmpty() const { return stockLeft == 0; }
    [[nodiscard]] bool peakTaken(std::size_t peak) const { return taken[kPeaks.at(peak)]; }
    [[nodiscard]] bool cleared() const {
        return taken[kPeaks[0]] && taken[kPeaks[1]] && taken[kPeaks[2]];
    }
    [[nodiscard]] bool inPlay() const {
        return phase == Phase::Banner || phase == Phase::Playing || phase == Phase::Countdown;
    }
    // Whether a click on the tower card counts now, whether the card fits or not.
    [[nodiscard]] bool canPlay(int position) const {
        return inPlay() && position >= 1 && position <= kTowerCardCount && !taken.at(position) &&
               !faceDown.at(position);
    }
    // Whether a click on the face-up card would draw.
    [[nodiscard]] bool canDraw() const { return inPlay() && !stockEmpty(); }
};

}  // namespace crestaverde
