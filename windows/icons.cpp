// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons.h"

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "design.h"
#include "media_catalogue.h"

namespace crestaverde {
namespace {

// The hand in a 32 x 32 grid: a raised index finger from the top at x 6, three folded fingers
// and a thumb, as one outline.
QPainterPath handOutline() {
    QPainterPath hand;
    hand.moveTo(4.5, 2);
    hand.quadTo(6.5, -0.5, 8.5, 2);
    hand.lineTo(8.5, 12);
    hand.quadTo(10.5, 10, 12.5, 12);
    hand.quadTo(14.5, 10, 16.5, 12.5);
    hand.quadTo(18.5, 11, 20.5, 13.5);
    hand.lineTo(20.5, 22);
    hand.quadTo(20.5, 27, 16.5, 29.5);
    hand.lineTo(7.5, 29.5);
    hand.quadTo(4.5, 25, 1, 19);
    hand.quadTo(0.5, 16, 3, 16.5);
    hand.lineTo(4.5, 19);
    hand.closeSubpath();
    return hand;
}

// Read as PNG outright. Asked to guess, or even told "png", Qt first loads every installed image
// plugin to ask whether one of them reads PNG: the ICO, JPEG and SVG plugins and the JPEG library,
// four libraries loaded for nothing before the first window shows.
QPixmap iconPicture(int size) {
    QImageReader reader(media::iconPicture(size), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

}  // namespace

QIcon appIcon() {
    QIcon icon;
    for (const int size : media::kIconSizes) icon.addPixmap(iconPicture(size));
    return icon;
}

QCursor handCursor() {
    QPixmap hand(32, 32);
    hand.fill(Qt::transparent);
    QPainter p(&hand);
    p.setPen(QPen(design::kInk, 1));
    p.setBrush(design::kPaper);
    p.drawPath(handOutline());
    for (const qreal x : {12.5, 16.5}) p.drawLine(QPointF(x, 12.5), QPointF(x, 17));
    p.end();
    return QCursor(hand, 6, 0);
}

}  // namespace crestaverde
