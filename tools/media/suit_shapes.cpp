// SPDX-License-Identifier: GPL-3.0-or-later
#include "suit_shapes.h"

namespace crestaverde::art {
namespace {

const QColor kRedSuit(200, 16, 32);
const QColor kBlackSuit(20, 20, 20);

// Shapes are drawn in a 100 x 100 box and mapped onto the requested one.
QPainterPath heart() {
    QPainterPath path;
    path.moveTo(50, 98);
    path.cubicTo(38, 80, 2, 62, 2, 32);
    path.cubicTo(2, 12, 16, 2, 30, 2);
    path.cubicTo(40, 2, 47, 8, 50, 18);
    path.cubicTo(53, 8, 60, 2, 70, 2);
    path.cubicTo(84, 2, 98, 12, 98, 32);
    path.cubicTo(98, 62, 62, 80, 50, 98);
    path.closeSubpath();
    return path;
}

QPainterPath diamond() {
    QPainterPath path;
    path.moveTo(50, 0);
    path.quadTo(66, 30, 88, 50);
    path.quadTo(66, 70, 50, 100);
    path.quadTo(34, 70, 12, 50);
    path.quadTo(34, 30, 50, 0);
    path.closeSubpath();
    return path;
}

QPainterPath stem() {
    QPainterPath path;
    path.moveTo(50, 55);
    path.quadTo(52, 88, 72, 100);
    path.lineTo(28, 100);
    path.quadTo(48, 88, 50, 55);
    path.closeSubpath();
    return path;
}

QPainterPath club() {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addEllipse(QPointF(50, 24), 22, 22);
    path.addEllipse(QPointF(25, 58), 22, 22);
    path.addEllipse(QPointF(75, 58), 22, 22);
    path.addRect(44, 36, 12, 30);
    return path.united(stem());
}

QPainterPath spade() {
    QPainterPath path;
    path.moveTo(50, 0);
    path.cubicTo(62, 20, 98, 36, 98, 62);
    path.cubicTo(98, 80, 84, 86, 72, 86);
    path.cubicTo(62, 86, 54, 80, 50, 72);
    path.cubicTo(46, 80, 38, 86, 28, 86);
    path.cubicTo(16, 86, 2, 80, 2, 62);
    path.cubicTo(2, 36, 38, 20, 50, 0);
    path.closeSubpath();
    return path.united(stem());
}

}  // namespace

QPainterPath suitPath(Suit suit, const QRectF& box) {
    QPainterPath unit;
    switch (suit) {
        case Suit::Hearts:
            unit = heart();
            break;
        case Suit::Diamonds:
            unit = diamond();
            break;
        case Suit::Clubs:
            unit = club();
            break;
        case Suit::Spades:
            unit = spade();
            break;
    }
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width() / 100.0, box.height() / 100.0);
    return toBox.map(unit);
}

QColor suitColor(Suit suit) {
    return suit == Suit::Hearts || suit == Suit::Diamonds ? kRedSuit : kBlackSuit;
}

}  // namespace crestaverde::art
