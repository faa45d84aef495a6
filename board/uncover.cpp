// SPDX-License-Identifier: GPL-3.0-or-later
// Turning tower cards face up once the two cards covering them are gone.

#include "board.h"

namespace crestaverde {

// Only the cards taken decide, never which are face up, so one pass in any order turns up every
// card it can.
void Board::uncover() {
    for (int position = 1; position <= kTowerCardCount; ++position) {
        const auto covering = coveringCards(position);
        if (covering && s_.taken[static_cast<std::size_t>((*covering)[0])] &&
            s_.taken[static_cast<std::size_t>((*covering)[1])]) {
            s_.faceDown[static_cast<std::size_t>(position)] = false;
        }
    }
}

}  // namespace crestaverde
