// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board on the accessibility bus. The window is painted, so its accessible interface adds an
// object for each card and for each label a player reads (the score, the draws left, the three
// peak notices) before its own controls: named as a player would say them, the cards a click
// would play pressable, and every change sent on as a name or state event. A screen reader does
// not read out a change of name, so what a move of the player's changed is also told through a
// notification: the card that came up, the score, the draws left, a peak's notice.

#include <QString>
#include <array>
#include <optional>

#include "board_state.h"
#include "cards.h"
#include "design.h"

namespace crestaverde {

class BoardWindow;

// The painted objects in reading order: the tower cards row by row, the face-up card, the stock,
// the score, the draws left, the peak notices from left to right.
inline constexpr int kPaintedObjects = kTowerCardCount + 7;
// Then the notification, which is never shown.
inline constexpr int kBoardObjects = kPaintedObjects + 1;

// Gives every board window its accessible interface; before the first board window exists.
void installBoardAccessibility();

// Tells a screen reader that the keyboard highlight moved to a card, or went back to the focused
// control.
void announceHighlight(BoardWindow& window, std::optional<design::Element> card);

// Sends the names and states that changed since the last call.
class BoardAnnouncer {
  public:
    explicit BoardAnnouncer(BoardWindow& window) : window_(window) {}
    // The next call follows a move of the player's, and notifies what it changed.
    void playerMoved() { moved_ = true; }
    void boardChanged();
    // What the last move changed, as the notification reads it: "7 de corazones. Robos
    // restantes: 22".
    [[nodiscard]] const QString& notice() const { return notice_; }

  private:
    struct Seen {
        QString name;
        bool shown = false;
        bool clickable = false;
    };
    BoardWindow& window_;
    std::array<Seen, kPaintedObjects> seen_;
    QString notice_;
    bool moved_ = false;
};

}  // namespace crestaverde
