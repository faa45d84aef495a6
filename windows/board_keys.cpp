// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_keys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>
#include <cstdlib>
#include <limits>
#include <utility>

#include "board_accessible.h"
#include "board_window.h"

namespace crestaverde {

using design::Element;
using design::ElementKind;

namespace {

constexpr Element kFaceUp{ElementKind::FaceUpCard, 0};

struct Place {
    int row;
    int left;  // twips
};

// The face-up card counts as a row of its own below the base row.
Place placeOf(Element card) {
    if (card.kind == ElementKind::FaceUpCard) return {kTowerRows + 1, design::kFaceUpCard.left};
    return {towerRow(card.index), design::towerCardPlace(card.index).left};
}

bool isArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool isPress(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

// Where an arrow key takes the highlight from a card: along its row, or to the nearest card of
// the closest row above or below that has one to click. Rows first, then the horizontal distance:
// Up from a base card skips a row whose cards are all still face down rather than stopping short.
std::optional<Element> cardTowards(const BoardWindow& window, Element from, Qt::Key key) {
    const Place at = placeOf(from);
    std::optional<Element> best;
    std::pair<int, int> bestCost{std::numeric_limits<int>::max(), 0};
    auto consider = [&](Element card) {
        if (card == from || !window.clickable(card)) return;
        const Place place = placeOf(card);
        const int rows = place.row - at.row;
        const int across = place.left - at.left;
        std::pair<int, int> cost;
        if (key == Qt::Key_Left && rows == 0 && across < 0) {
            cost = {-across, 0};
        } else if (key == Qt::Key_Right && rows == 0 && across > 0) {
            cost = {across, 0};
        } else if ((key == Qt::Key_Up && rows < 0) || (key == Qt::Key_Down && rows > 0)) {
            cost = {std::abs(rows), std::abs(across)};
        } else {
            return;
        }
        if (cost < bestCost) {
            bestCost = cost;
            best = card;
        }
    };
    for (int position = 1; position <= kTowerCardCount; ++position) {
        consider({ElementKind::TowerCard, position});
    }
    consider(kFaceUp);
    return best;
}

}  // namespace

BoardKeys::BoardKeys(BoardWindow& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
    for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        control->installEventFilter(this);
    }
}

// Every deal starts with the level-start banner.
void BoardKeys::follow() {
    const BoardState& s = window_.state();
    const bool dealt = s.phase == Phase::Banner && phase_ != Phase::Banner;
    phase_ = s.phase;
    if (dealt) {
        set(std::nullopt);
        return;
    }
    if (!card_ || window_.clickable(*card_)) return;
    set(window_.clickable(kFaceUp) ? std::optional(kFaceUp) : std::nullopt);
}

QRectF BoardKeys::frameRect(Element card) const {
    const double gap = design::kHighlightGap;
    return window_.designRect(card).adjusted(-gap, -gap, gap, gap);
}

void BoardKeys::paint(QPainter& painter) const {
    if (!card_) return;
    const QRectF frame = frameRect(*card_);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(design::kInk, design::kHighlightGold + 2 * design::kHighlightInk,
                        Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(frame);
    painter.setPen(QPen(design::kHighlight, design::kHighlightGold, Qt::SolidLine, Qt::SquareCap,
                        Qt::MiterJoin));
    painter.drawRect(frame);
    painter.restore();
}

void BoardKeys::set(std::optional<Element> card) {
    if (card == card_) return;
    // The frame reaches half its width beyond its rectangle, and antialiasing one pixel more.
    const double reach = design::kHighlightGold / 2 + design::kHighlightInk + 1;
    for (const std::optional<Element>& framed : {card_, card}) {
        if (!framed) continue;
        const QRectF area = frameRect(*framed).adjusted(-reach, -reach, reach, reach);
        window_.update(window_.designToWindow().mapRect(area).toAlignedRect());
    }
    card_ = card;
    announceHighlight(window_, card_);
}

bool BoardKeys::handles(const QKeyEvent& key) const {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    if (isArrow(key.key())) return card_ || window_.clickable(kFaceUp);
    return (isPress(key.key()) || key.key() == Qt::Key_Escape) && card_;
}

void BoardKeys::press(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
        set(std::nullopt);
    } else if (isPress(key.key())) {
        // A held key would draw the stock away card after card.
        if (!key.isAutoRepeat()) window_.click(*card_);
    } else if (!card_) {
        set(kFaceUp);
    } else {
        set(cardTowards(window_, *card_, static_cast<Qt::Key>(key.key())).value_or(*card_));
    }
}

namespace {

// The board is no dialog, so Qt lets Enter pass a focused button by; the design presses it.
bool pressesFocusedButton(QObject* watched, const QKeyEvent& key) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button == nullptr) return false;
    if (key.modifiers() != Qt::NoModifier && key.modifiers() != Qt::KeypadModifier) return false;
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) return false;
    if (!key.isAutoRepeat()) button->click();
    return true;
}

}  // namespace

bool BoardKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            set(std::nullopt);
            return false;
        // Claimed before any shortcut of the window can take the key.
        case QEvent::ShortcutOverride:
            if (!handles(static_cast<const QKeyEvent&>(*event))) return false;
            event->accept();
            return true;
        case QEvent::KeyPress: {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (!handles(key)) return pressesFocusedButton(watched, key);
            press(key);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace crestaverde
