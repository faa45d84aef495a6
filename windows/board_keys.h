// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board's keyboard: the arrow keys move a highlight among the cards that a click would play
// now, Enter (or Space) plays the highlighted card as that click would, Esc takes the highlight
// away. With nothing highlighted Enter presses the focused button, which Qt does only in a dialog,
// and every other key goes where it always went: Space presses the button too. The mouse never
// depends on the highlight: a click only clears it.

#include <QObject>
#include <optional>

#include "board_state.h"
#include "design.h"

class QKeyEvent;
class QPainter;

namespace crestaverde {

class BoardWindow;

class BoardKeys : public QObject {
  public:
    // Watches the keys and clicks that reach the window or any of its controls.
    explicit BoardKeys(BoardWindow& window);

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
