// SPDX-License-Identifier: GPL-3.0-or-later
// Dealing a new board.

#include <bitset>

#include "board.h"

namespace crestaverde {
namespace {

constexpr int kDeckSize = kTowerCardCount + kStockCards;

std::size_t deckIndex(Card card) {
    return static_cast<std::size_t>(card.rank - 1) * 4 + static_cast<std::size_t>(card.suit);
}

}  // namespace

Board::Board(Services& services, ScoreKeeper& scores) : services_(services), scores_(scores) {
    services_.setBoxesClosedListener([this] { scheduleHeldTicks(); });
}

void Board::deal() {
    dealCards();
    clock().stop();
    s_.timeLeft = kFullTime;
    s_.phase = Phase::Banner;
    Timer& banner = services_.timer(TimerId::Banner);
    if (!banner.active()) banner.start(kBannerIntervalMs);
}

// Each card is drawn afresh, re-seeding from the clock first; a card dealt already is drawn
// again. The face-up card comes first, then the stock from the top, then the towers from 28
// down to 1: hard-to-draw cards therefore end up in the towers more often.
void Board::dealCards() {
    std::bitset<kDeckSize> dealt;
    for (int place = kDeckSize; place >= 1;) {
        random_.randomize(services_.timeOfDayMicros());
        const Card card = random_.card();
        if (dealt.test(deckIndex(card))) continue;
        dealt.set(deckIndex(card));
        if (place > kTowerCardCount) {
            s_.stock[static_cast<std::size_t>(place - kTowerCardCount - 1)] = card;
        } else {
            s_.tower[static_cast<std::size_t>(place)] = card;
        }
        --place;
    }
    for (int position = 1; position <= kTowerCardCount; ++position) {
        s_.taken[static_cast<std::size_t>(position)] = false;
        s_.faceDown[static_cast<std::size_t>(position)] = !inBaseRow(position);
    }
    s_.stockLeft = kStockCards;
    s_.faceUp = s_.stock.back();
}

}  // namespace crestaverde
