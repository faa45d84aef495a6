// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard's way onto the board: the arrow keys move a highlight among the cards that a click
// would play now, Enter (or Space) plays the highlighted card as that click would, Esc takes the
// highlight away. With nothing highlighted every key goes where it always went, so Enter and
// Space still press the focused abandon button. The mouse never depends on the highlight: a
// click only clears it.

#include <QObject>
#include <optional>

#include "board_state.h"
#include "design.h"

class QKeyEvent;
class QPainter;

namespace crestaverde {

class BoardWindow;

// Whether a click on the card would do anything now.
[[nodiscard]] bool clickable(const BoardState& s, design::Element card);

// Where an arrow key takes the highlight from a card: along its row, or to the nearest card of
// the closest row above or below that has one to click; the face-up card lies below the base row.
[[nodiscard]] std::optional<design::Element> cardTowards(const BoardState& s, design::Element from,
                                                         Qt::Key key);

class CardHighlight : public QObject {
  public:
    // Watches the keys and clicks that reach the window or any of its controls.
    explicit CardHighlight(BoardWindow& window);

    [[nodiscard]] std::optional<design::Element> card() const { return card_; }
    // After the board changed: a card that can no longer be clicked hands the highlight to the
    // face-up card, where a played card has just gone. A new deal takes the highlight away, so
    // that the first arrow shows it on the face-up card again.
    void follow();
    // Draws the frame; the painter maps design pixels.
    void paint(QPainter& painter) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[nodiscard]] bool handles(const QKeyEvent& key) const;
    void press(const QKeyEvent& key);
    void set(std::optional<design::Element> card);
    [[nodiscard]] QRectF frameRect(design::Element card) const;

    BoardWindow& window_;
    std::optional<design::Element> card_;
    Phase phase_ = Phase::NotDealt;  // at the last follow
};

}  // namespace crestaverde
