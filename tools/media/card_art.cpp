// SPDX-License-Identifier: GPL-3.0-or-later
#include "card_art.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <vector>

#include "design.h"
#include "suit_shapes.h"

namespace crestaverde::art {
namespace {

const QColor kCardPaper(255, 253, 247);
const QColor kCardEdge(70, 70, 70);
const QColor kPrintInk(30, 30, 30);
const QColor kGold(222, 184, 64);
const QColor kGoldDark(140, 100, 20);
const QColor kCourtRed(196, 30, 45);
const QColor kCourtBlue(34, 74, 160);
const QColor kCourtGold(236, 184, 52);
const QColor kCourtBlack(34, 34, 40);
const QColor kSkin(250, 218, 190);
const QColor kOutline(60, 36, 24);
const QColor kSteel(200, 206, 216);
const QColor kLeafGreen(40, 130, 60);
const QColor kBackBlue(24, 58, 140);
const QColor kBackBlueDeep(14, 34, 92);

constexpr int kJack = 11;
constexpr int kQueen = 12;

const QRectF kCardRect(0.5, 0.5, 70, 95);
constexpr qreal kCardCorner = 5;
const QString kIndexFont = QStringLiteral("DejaVu Sans Condensed");
const QString kTitleFont = QStringLiteral("Liberation Serif");

QString rankLabel(int rank) {
    switch (rank) {
        case kAce:
            return QStringLiteral("A");
        case kJack:
            return QStringLiteral("J");
        case kQueen:
            return QStringLiteral("Q");
        case kKing:
            return QStringLiteral("K");
        default:
            return QString::number(rank);
    }
}

QFont outlineFont(const QString& family, bool bold, bool italic = false) {
    QFont font(family);
    font.setPixelSize(100);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// Text as an outline whose capital letters fill the box's height from its top, centred across it
// and narrowed only where it would be wider than the box.
QPainterPath indexText(const QString& text, const QRectF& box, const QString& family) {
    const QFont font = outlineFont(family, true);
    const qreal cap = QFontMetricsF(font).capHeight();
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    const qreal scale = box.height() / cap;
    const qreal across = std::min(scale, box.width() / ink.width());
    QTransform place;
    place.translate(box.center().x(), box.top());
    place.scale(across, scale);
    place.translate(-ink.center().x(), cap);
    return place.map(path);
}

// Text as an outline at a pixel size, its ink centred in the box.
QPainterPath centredText(const QString& text, const QRectF& box, int pixelSize, bool italic) {
    QFont font = outlineFont(kTitleFont, true, italic);
    font.setPixelSize(pixelSize);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path.translated(box.center() - path.boundingRect().center());
}

void paintBlank(QPainter& p, const QColor& fill, const QColor& border) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(kCardRect, kCardCorner, kCardCorner);
}

void paintPip(QPainter& p, Suit suit, QPointF centre, qreal size, bool upsideDown) {
    p.save();
    p.translate(centre);
    if (upsideDown) p.rotate(180);
    p.setPen(Qt::NoPen);
    p.setBrush(suitColor(suit));
    p.drawPath(suitPath(suit, QRectF(-size / 2, -size / 2, size, size)));
    p.restore();
}

// Rank 12 pixels high over the suit 11 pixels high, in the top left corner; the ten is narrowed.
void paintIndex(QPainter& p, int rank, Suit suit) {
    p.setPen(Qt::NoPen);
    p.setBrush(suitColor(suit));
    const QRectF rankBox = rank == 10 ? QRectF(1.5, 3.5, 13.5, 12) : QRectF(2, 3.5, 12, 12);
    p.drawPath(indexText(rankLabel(rank), rankBox, kIndexFont));
    p.drawPath(suitPath(suit, QRectF(3, 18, 10, 11)));
}

void paintIndices(QPainter& p, int rank, Suit suit) {
    paintIndex(p, rank, suit);
    p.save();
    p.translate(kCardPictureSize.width(), kCardPictureSize.height());
    p.rotate(180);
    paintIndex(p, rank, suit);
    p.restore();
}

// Pip places of the printed layouts as (column -1, 0 or 1; row from 0 at the top to 1 at the
// bottom). Pips below the middle stand on their heads.
std::vector<QPointF> pipPlaces(int value) {
    constexpr qreal L = -1, M = 0, R = 1, T = 1.0 / 3, TT = 2.0 / 3;
    switch (value) {
        case 2:
            return {{M, 0}, {M, 1}};
        case 3:
            return {{M, 0}, {M, 0.5}, {M, 1}};
        case 4:
            return {{L, 0}, {R, 0}, {L, 1}, {R, 1}};
        case 5:
            return {{L, 0}, {R, 0}, {M, 0.5}, {L, 1}, {R, 1}};
        case 6:
            return {{L, 0}, {R, 0}, {L, 0.5}, {R, 0.5}, {L, 1}, {R, 1}};
        case 7:
            return {{L, 0}, {R, 0}, {M, 0.25}, {L, 0.5}, {R, 0.5}, {L, 1}, {R, 1}};
        case 8:
            return {{L, 0}, {R, 0}, {M, 0.25}, {L, 0.5}, {R, 0.5}, {M, 0.75}, {L, 1}, {R, 1}};
        case 9:
            return {{L, 0}, {R, 0}, {L, T}, {R, T}, {M, 0.5}, {L, TT}, {R, TT}, {L, 1}, {R, 1}};
        default:
            return {{L, 0},  {R, 0},  {M, 1.0 / 6}, {L, T}, {R, T},
                    {L, TT}, {R, TT}, {M, 5.0 / 6}, {L, 1}, {R, 1}};
    }
}

void paintAce(QPainter& p, Suit suit) {
    const QPointF centre(35.5, 48);
    if (suit != Suit::Spades) {
        paintPip(p, suit, centre, 30, false);
        return;
    }
    // The ace of spades carries the deck's flourish: a large spade with an inlaid line and the
    // green crest.
    paintPip(p, suit, centre, 42, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kCardPaper, 0.9));
    p.drawPath(suitPath(suit, QRectF(centre.x() - 15, centre.y() - 16, 30, 30)));
    QPainterPath crest;
    crest.moveTo(28, 51);
    crest.lineTo(32.5, 43);
    crest.lineTo(35, 46.5);
    crest.lineTo(38.5, 40);
    crest.lineTo(43, 51);
    crest.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 170, 70));
    p.drawPath(crest);
}

void paintPips(QPainter& p, int value, Suit suit) {
    for (const QPointF& place : pipPlaces(value)) {
        const QPointF centre(35.5 + place.x() * 12.5, 18 + place.y() * 60);
        paintPip(p, suit, centre, 12.5, place.y() > 0.55);
    }
}

// ---- Court cards ----
// Each figure is drawn from the waist up in the top half of its frame, in coordinates centred on
// the card with y running up to -39, and drawn again turned about the centre.

enum class Held { Sword, Axe, Orb, Sceptre, Rose, Fan, Tulip, Mirror, Leaf, Halberd, Arrow, Lance };
enum class Hat { Crown, Tiara, Beret, Cap };

struct CourtLook {
    QColor robe;
    QColor band;
    QColor hair;
    Held held;
    int side;  // the hand holding the item: -1 left, 1 right; the figure looks the other way
    bool beard;
};

CourtLook courtLook(int rank, Suit suit) {
    const int s = static_cast<int>(suit);
    const auto pick = [s](std::array<CourtLook, 4> looks) {
        return looks.at(static_cast<std::size_t>(s));
    };
    const QColor brown(110, 62, 30);
    const QColor black(40, 32, 30);
    const QColor blond(214, 168, 70);
    const QColor grey(170, 170, 176);
    const QColor auburn(150, 60, 30);
    switch (rank) {
        case kKing:
            return pick(
                {{{kCourtRed, kCourtGold, brown, Held::Sword, 1, true},
                  {kCourtBlue, kCourtRed, grey, Held::Axe, -1, true},
                  {kCourtBlue, kCourtGold, black, Held::Orb, 1, true},
                  {kCourtGold, kCourtBlack, QColor(235, 235, 238), Held::Sceptre, -1, true}}});
        case kQueen:
            return pick({{{kCourtRed, kCourtGold, blond, Held::Rose, -1, false},
                          {kCourtGold, kCourtBlue, brown, Held::Fan, 1, false},
                          {kCourtBlue, kCourtRed, black, Held::Tulip, -1, false},
                          {kCourtBlack, kCourtGold, auburn, Held::Mirror, 1, false}}});
        default:
            return pick({{{kCourtRed, kCourtGold, blond, Held::Leaf, 1, false},
                          {kCourtBlue, kCourtRed, brown, Held::Halberd, -1, false},
                          {kCourtGold, kCourtBlue, black, Held::Arrow, 1, false},
                          {kCourtBlack, kCourtRed, auburn, Held::Lance, -1, false}}});
    }
}

void outlined(QPainter& p, const QColor& fill, qreal width = 0.5) {
    p.setPen(QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
}

void paintRobe(QPainter& p, const CourtLook& look, int rank, Suit suit) {
    QPainterPath robe;
    robe.moveTo(-18.5, 0);
    robe.lineTo(-18.5, -7);
    robe.cubicTo(-18.5, -13.5, -13, -16.5, -6, -17.5);
    robe.lineTo(6, -17.5);
    robe.cubicTo(13, -16.5, 18.5, -13.5, 18.5, -7);
    robe.lineTo(18.5, 0);
    robe.closeSubpath();
    outlined(p, look.robe);
    p.drawPath(robe);
    // Sleeve seams and the trim down the front.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(look.band, 1.1));
    for (const int side : {-1, 1}) {
        QPainterPath seam;
        seam.moveTo(side * 10, -16.6);
        seam.quadTo(side * 12.5, -8, side * 12, 0);
        p.drawPath(seam);
    }
    outlined(p, look.band, 0.4);
    p.drawRect(QRectF(-4, -16.5, 8, 16.5));
    // The band carries the suit, in the robe's colour on the lighter bands.
    for (const qreal y : {-11.5, -4.5}) {
        p.setPen(Qt::NoPen);
        p.setBrush(look.band == kCourtGold ? suitColor(suit) : kCardPaper);
        p.drawPath(suitPath(suit, QRectF(-2.2, y - 2.2, 4.4, 4.4)));
    }
    if (rank == kKing) {  // an ermine collar
        QPainterPath collar;
        collar.moveTo(-10, -17);
        collar.quadTo(0, -19, 10, -17);
        collar.quadTo(11, -13.5, 7.5, -12.5);
        collar.quadTo(0, -15.5, -7.5, -12.5);
        collar.quadTo(-11, -13.5, -10, -17);
        outlined(p, kCardPaper, 0.4);
        p.drawPath(collar);
        p.setPen(Qt::NoPen);
        p.setBrush(kPrintInk);
        for (const qreal x : {-7.0, -3.5, 3.5, 7.0}) p.drawEllipse(QPointF(x, -15), 0.5, 0.8);
    } else if (rank == kQueen) {  // a square neckline and a string of pearls
        outlined(p, kSkin, 0.4);
        p.drawRect(QRectF(-5, -17.6, 10, 3.6));
        p.setPen(Qt::NoPen);
        p.setBrush(kCardPaper);
        for (int i = -4; i <= 4; ++i)
            p.drawEllipse(QPointF(i * 1.1, -15.2 + 0.08 * i * i), 0.5, 0.5);
    } else {  // a white ruff
        QPainterPath ruff;
        for (int i = -4; i <= 4; ++i) ruff.addEllipse(QPointF(i * 1.6, -17.2), 1.3, 1.1);
        outlined(p, kCardPaper, 0.35);
        p.drawPath(ruff.simplified());
    }
}

void paintHair(QPainter& p, const CourtLook& look, int rank) {
    QPainterPath hair;
    if (rank == kQueen) {  // long, falling to the shoulders
        hair.moveTo(-6.2, -27);
        hair.cubicTo(-8.5, -22, -8.5, -17, -9.5, -14.5);
        hair.lineTo(-4, -16.5);
        hair.lineTo(4, -16.5);
        hair.lineTo(9.5, -14.5);
        hair.cubicTo(8.5, -17, 8.5, -22, 6.2, -27);
        hair.cubicTo(5, -32, -5, -32, -6.2, -27);
    } else if (rank == kKing) {  // to the collar
        hair.moveTo(-5.8, -27);
        hair.cubicTo(-7.5, -23, -7.2, -20, -6.5, -17.5);
        hair.lineTo(6.5, -17.5);
        hair.cubicTo(7.2, -20, 7.5, -23, 5.8, -27);
        hair.cubicTo(5, -31.5, -5, -31.5, -5.8, -27);
    } else {  // a page-boy cut
        hair.moveTo(-5.8, -26);
        hair.cubicTo(-6.8, -23, -6.6, -21, -6, -19.8);
        hair.lineTo(6, -19.8);
        hair.cubicTo(6.6, -21, 6.8, -23, 5.8, -26);
        hair.cubicTo(5, -31.5, -5, -31.5, -5.8, -26);
    }
    hair.closeSubpath();
    outlined(p, look.hair, 0.4);
    p.drawPath(hair);
}

void paintFace(QPainter& p, const CourtLook& look, int rank) {
    const qreal turn = -0.8 * look.side;  // the face turns away from the held item
    outlined(p, kSkin, 0.45);
    p.drawRect(QRectF(-1.8, -19.5, 3.6, 2.4));  // neck
    p.drawEllipse(QPointF(turn * 0.3, -24.2), 4.9, 5.9);
    // Fringe over the forehead.
    QPainterPath fringe;
    fringe.moveTo(-5 + turn * 0.3, -25.5);
    fringe.cubicTo(-4.5, -31, 4.5, -31, 5 + turn * 0.3, -25.5);
    fringe.quadTo(turn * 2, -28.5, -5 + turn * 0.3, -25.5);
    outlined(p, look.hair, 0.35);
    p.drawPath(fringe);
    // Eyes, brows, nose and mouth, all shifted the way the face turns.
    for (const qreal x : {-2.0, 2.0}) {
        const QPointF eye(x + turn, -24.6);
        p.setPen(Qt::NoPen);
        p.setBrush(kCardPaper);
        p.drawEllipse(eye, 1.05, 0.7);
        p.setBrush(QColor(50, 70, 110));
        p.drawEllipse(eye + QPointF(turn * 0.3, 0), 0.55, 0.6);
        p.setPen(QPen(look.hair.darker(130), 0.45, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(eye + QPointF(-1.1, -1.3), eye + QPointF(1.1, -1.5));
    }
    p.setPen(QPen(kOutline, 0.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF(
        {QPointF(turn * 1.2, -24), QPointF(turn * 1.9, -22), QPointF(turn * 1.1, -21.8)}));
    if (rank == kQueen) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 150, 150, 140));
        p.drawEllipse(QPointF(-3 + turn, -22), 1.1, 0.8);
        p.drawEllipse(QPointF(3 + turn, -22), 1.1, 0.8);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 50, 60));
    p.drawEllipse(QPointF(turn, -20.7), 1.3, 0.5);
    if (!look.beard) return;
    QPainterPath beard;
    beard.moveTo(-4.8 + turn * 0.3, -23);
    beard.cubicTo(-4.6, -17.5, -2, -15.2, turn, -14.6);
    beard.cubicTo(2, -15.2, 4.6, -17.5, 4.8 + turn * 0.3, -23);
    beard.cubicTo(3.5, -19.5, 2, -19.3, turn, -20);
    beard.cubicTo(-2, -19.3, -3.5, -19.5, -4.8 + turn * 0.3, -23);
    outlined(p, look.hair, 0.35);
    p.drawPath(beard);
    QPainterPath moustache;
    moustache.moveTo(turn, -21.6);
    moustache.cubicTo(turn - 1.5, -22.4, turn - 3, -21.6, turn - 3.4, -20.2);
    moustache.cubicTo(turn - 2, -21, turn - 1, -20.8, turn, -21);
    moustache.cubicTo(turn + 1, -20.8, turn + 2, -21, turn + 3.4, -20.2);
    moustache.cubicTo(turn + 3, -21.6, turn + 1.5, -22.4, turn, -21.6);
    p.drawPath(moustache);
}

QPainterPath crownPath(qreal half, qreal base, qreal height, int points) {
    QPainterPath crown;
    crown.moveTo(-half, base);
    const qreal step = 2 * half / (points - 1);
    for (int i = 0; i < points; ++i) {
        crown.lineTo(-half + i * step, base - height);
        if (i + 1 < points) crown.lineTo(-half + (i + 0.5) * step, base - height * 0.45);
    }
    crown.lineTo(half, base);
    crown.closeSubpath();
    return crown;
}

void paintHat(QPainter& p, const CourtLook& look, int rank, Hat hat) {
    switch (hat) {
        case Hat::Crown: {
            outlined(p, kCourtGold, 0.45);
            p.drawPath(crownPath(6, -28.6, 8.5, 5));
            p.drawRect(QRectF(-6, -30.2, 12, 1.8));
            p.setPen(Qt::NoPen);
            for (int i = 0; i < 5; ++i) {
                p.setBrush(i % 2 == 0 ? kCourtRed : kCourtBlue);
                p.drawEllipse(QPointF(-6 + i * 3, -37.1), 0.8, 0.8);
            }
            p.setBrush(look.band == kCourtRed ? kCourtBlue : kCourtRed);
            p.drawEllipse(QPointF(0, -29.3), 1.1, 0.7);
            break;
        }
        case Hat::Tiara: {
            // A veil behind the head, then a crown of three rounded lobes.
            outlined(p, look.band.lighter(115), 0.4);
            QPainterPath veil;
            veil.moveTo(-6.5, -31);
            veil.cubicTo(-11, -28, -11.5, -20, -12.5, -16);
            veil.lineTo(-9.6, -14.8);
            veil.lineTo(-7, -28);
            veil.lineTo(7, -28);
            veil.lineTo(9.6, -14.8);
            veil.lineTo(12.5, -16);
            veil.cubicTo(11.5, -20, 11, -28, 6.5, -31);
            veil.closeSubpath();
            p.drawPath(veil);
            outlined(p, kCourtGold, 0.45);
            QPainterPath tiara;
            tiara.moveTo(-5, -29);
            tiara.quadTo(-6, -33.5, -3, -33);
            tiara.quadTo(-1.5, -36.5, 0, -36.8);
            tiara.quadTo(1.5, -36.5, 3, -33);
            tiara.quadTo(6, -33.5, 5, -29);
            tiara.closeSubpath();
            p.drawPath(tiara);
            p.setPen(Qt::NoPen);
            p.setBrush(rank == kQueen && look.band == kCourtBlue ? kCourtRed : kCourtBlue);
            p.drawEllipse(QPointF(0, -33), 1, 1.3);
            break;
        }
        case Hat::Beret: {
            QPainterPath beret;
            beret.moveTo(-7.5, -28.5);
            beret.cubicTo(-8.5, -34, -2, -36.5, 3, -35.5);
            beret.cubicTo(8, -34.5, 9.5, -31, 7.5, -28.5);
            beret.closeSubpath();
            outlined(p, look.band, 0.45);
            p.drawPath(beret);
            outlined(p, kCourtGold, 0.4);
            p.drawRect(QRectF(-6.5, -29.6, 13, 1.6));
            // A feather sweeping back over the side away from the face.
            QPainterPath feather;
            feather.moveTo(look.side * 4, -34.5);
            feather.cubicTo(look.side * 9, -39, look.side * 14, -37, look.side * 16, -32);
            feather.cubicTo(look.side * 12, -35, look.side * 8, -35, look.side * 5, -33);
            feather.closeSubpath();
            outlined(p, kCardPaper, 0.4);
            p.drawPath(feather);
            break;
        }
        case Hat::Cap: {
            QPainterPath cap;
            cap.moveTo(-6.5, -28.2);
            cap.lineTo(-5.5, -34.5);
            cap.quadTo(0, -37, 5.5, -34.5);
            cap.lineTo(6.5, -28.2);
            cap.closeSubpath();
            outlined(p, look.band, 0.45);
            p.drawPath(cap);
            outlined(p, look.robe, 0.4);
            p.drawRect(QRectF(-7.5, -29.8, 15, 2));
            p.setPen(Qt::NoPen);
            p.setBrush(kCourtGold);
            p.drawEllipse(QPointF(0, -36), 1.2, 1.2);
            break;
        }
    }
}

void paintPole(QPainter& p, qreal x, qreal top, qreal bottom, const QColor& colour, qreal width) {
    outlined(p, colour, 0.35);
    p.drawRect(QRectF(x - width / 2, top, width, bottom - top));
}

// The item in the hand at x = side * 11. Long items rise from below the hand to the frame's top.
void paintHeld(QPainter& p, const CourtLook& look) {
    const int side = look.side;
    const qreal x = side * 11.5;
    const QColor wood(130, 82, 40);
    switch (look.held) {
        case Held::Sword: {
            QPainterPath blade;
            blade.moveTo(x - 0.9, -9);
            blade.lineTo(x - 0.9, -35);
            blade.lineTo(x, -37.5);
            blade.lineTo(x + 0.9, -35);
            blade.lineTo(x + 0.9, -9);
            blade.closeSubpath();
            outlined(p, kSteel, 0.35);
            p.drawPath(blade);
            p.setPen(QPen(QColor(150, 156, 168), 0.3));
            p.drawLine(QPointF(x, -11), QPointF(x, -35));
            outlined(p, kCourtGold, 0.35);
            p.drawRect(QRectF(x - 3.6, -10, 7.2, 1.4));
            p.drawRect(QRectF(x - 0.7, -8.6, 1.4, 4.5));
            p.drawEllipse(QPointF(x, -3.6), 1, 1);
            break;
        }
        case Held::Axe: {
            paintPole(p, x, -36, -3, wood, 1.3);
            QPainterPath head;
            head.moveTo(x, -33);
            head.lineTo(x + side * 3, -32.5);
            head.quadTo(x + side * 7.5, -35, x + side * 7, -30);
            head.quadTo(x + side * 7.5, -25, x + side * 3, -27.5);
            head.lineTo(x, -27);
            head.closeSubpath();
            outlined(p, kSteel, 0.4);
            p.drawPath(head);
            outlined(p, kCourtGold, 0.35);
            p.drawEllipse(QPointF(x, -36.5), 1, 1);
            break;
        }
        case Held::Orb: {
            const QPointF centre(x - side * 1, -14.5);
            outlined(p, kCourtGold, 0.45);
            p.drawEllipse(centre, 4, 4);
            p.setBrush(Qt::NoBrush);
            p.drawLine(centre + QPointF(-4, 0), centre + QPointF(4, 0));
            p.drawLine(centre + QPointF(0, -4), centre + QPointF(0, 4));
            outlined(p, kCourtGold, 0.35);
            p.drawRect(QRectF(centre.x() - 0.5, centre.y() - 8, 1, 4));
            p.drawRect(QRectF(centre.x() - 1.8, centre.y() - 7, 3.6, 1));
            p.setPen(Qt::NoPen);
            p.setBrush(kCourtRed);
            p.drawEllipse(centre + QPointF(-2, -2), 0.9, 0.9);
            p.drawEllipse(centre + QPointF(2, 2), 0.9, 0.9);
            break;
        }
        case Held::Sceptre: {
            paintPole(p, x, -33, -3, kCourtGold, 1.1);
            outlined(p, kCourtGold, 0.4);
            p.drawEllipse(QPointF(x, -34), 2, 2);
            QPainterPath fleur;
            fleur.moveTo(x, -39);
            fleur.quadTo(x + 1.6, -37.5, x, -35.8);
            fleur.quadTo(x - 1.6, -37.5, x, -39);
            p.drawPath(fleur);
            p.setPen(Qt::NoPen);
            p.setBrush(kCourtRed);
            p.drawEllipse(QPointF(x, -34), 0.9, 0.9);
            break;
        }
        case Held::Rose:
        case Held::Tulip: {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(kLeafGreen, 0.8, Qt::SolidLine, Qt::RoundCap));
            QPainterPath stem;
            stem.moveTo(x, -7);
            stem.quadTo(x - side * 2, -16, x - side * 0.5, -25);
            p.drawPath(stem);
            QPainterPath leaf;
            leaf.moveTo(x - side * 1.2, -15);
            leaf.quadTo(x + side * 2, -19.5, x + side * 4.5, -18);
            leaf.quadTo(x + side * 1.5, -15, x - side * 1.2, -15);
            outlined(p, kLeafGreen, 0.3);
            p.drawPath(leaf);
            const QPointF bloom(x - side * 0.5, -27.5);
            if (look.held == Held::Rose) {
                outlined(p, kCourtRed, 0.35);
                p.drawEllipse(bloom, 3.2, 2.9);
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(kCourtRed.darker(150), 0.4));
                p.drawEllipse(bloom, 1.8, 1.5);
                p.drawArc(QRectF(bloom - QPointF(2.6, 2.2), QSizeF(5.2, 4.4)), 200 * 16, 160 * 16);
            } else {
                QPainterPath cup;
                cup.moveTo(bloom + QPointF(-3, -2.8));
                cup.lineTo(bloom + QPointF(-1.5, -1.2));
                cup.lineTo(bloom + QPointF(0, -3.6));
                cup.lineTo(bloom + QPointF(1.5, -1.2));
                cup.lineTo(bloom + QPointF(3, -2.8));
                cup.cubicTo(bloom + QPointF(3.4, 1.5), bloom + QPointF(1.5, 2.8),
                            bloom + QPointF(0, 2.8));
                cup.cubicTo(bloom + QPointF(-1.5, 2.8), bloom + QPointF(-3.4, 1.5),
                            bloom + QPointF(-3, -2.8));
                outlined(p, kCourtGold, 0.35);
                p.drawPath(cup);
            }
            break;
        }
        case Held::Fan: {
            const QPointF pivot(x - side * 1, -9);
            QPainterPath fan;
            fan.moveTo(pivot);
            fan.arcTo(QRectF(pivot - QPointF(9, 9), QSizeF(18, 18)), side > 0 ? 70 : 50, 60);
            fan.closeSubpath();
            outlined(p, look.band, 0.4);
            p.drawPath(fan);
            p.setPen(QPen(kCourtGold, 0.35));
            for (int i = 0; i <= 6; ++i) {
                const qreal angle = (side > 0 ? 70 : 50) + i * 10.0;
                const qreal rad = angle * 3.14159265 / 180;
                p.drawLine(pivot, pivot + QPointF(8.6 * std::cos(rad), -8.6 * std::sin(rad)));
            }
            break;
        }
        case Held::Mirror: {
            paintPole(p, x, -20, -5, kCourtGold, 1.3);
            outlined(p, kCourtGold, 0.45);
            p.drawEllipse(QPointF(x, -25.5), 3.6, 4.6);
            outlined(p, QColor(200, 225, 240), 0.3);
            p.drawEllipse(QPointF(x, -25.5), 2.5, 3.5);
            p.setPen(QPen(kCardPaper, 0.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x - 1, -27.5), QPointF(x + 0.2, -28.6));
            break;
        }
        case Held::Leaf: {
            paintPole(p, x, -30, -4, kLeafGreen.darker(130), 0.8);
            QPainterPath leaf;
            leaf.moveTo(x, -38);
            leaf.cubicTo(x + 4.5, -33, x + 4.2, -25, x, -20);
            leaf.cubicTo(x - 4.2, -25, x - 4.5, -33, x, -38);
            outlined(p, kLeafGreen, 0.35);
            p.drawPath(leaf);
            p.setPen(QPen(kLeafGreen.lighter(150), 0.3));
            for (int i = 0; i < 4; ++i) {
                const qreal y = -33.5 + i * 3.4;
                p.drawLine(QPointF(x, y + 1.2), QPointF(x - 2.4, y - 0.6));
                p.drawLine(QPointF(x, y + 1.2), QPointF(x + 2.4, y - 0.6));
            }
            break;
        }
        case Held::Halberd: {
            paintPole(p, x, -35, -3, wood, 1.2);
            QPainterPath blade;
            blade.moveTo(x, -38.5);
            blade.lineTo(x + 1, -35);
            blade.lineTo(x + side * 5.5, -34);
            blade.quadTo(x + side * 6.2, -30.5, x + side * 4.5, -28);
            blade.lineTo(x, -29.5);
            blade.lineTo(x - side * 2.6, -31.5);
            blade.lineTo(x, -33);
            blade.lineTo(x - 1, -35);
            blade.closeSubpath();
            outlined(p, kSteel, 0.35);
            p.drawPath(blade);
            break;
        }
        case Held::Arrow: {
            paintPole(p, x, -34, -4, wood, 0.9);
            QPainterPath head;
            head.moveTo(x, -38.5);
            head.lineTo(x + 1.7, -34);
            head.lineTo(x - 1.7, -34);
            head.closeSubpath();
            outlined(p, kSteel, 0.35);
            p.drawPath(head);
            outlined(p, kCourtRed, 0.3);
            for (const int s : {-1, 1}) {
                QPainterPath vane;
                vane.moveTo(x, -8);
                vane.lineTo(x + s * 2, -5.5);
                vane.lineTo(x + s * 2, -2.5);
                vane.lineTo(x, -4.5);
                vane.closeSubpath();
                p.drawPath(vane);
            }
            break;
        }
        case Held::Lance: {
            paintPole(p, x, -34, -3, wood, 1.2);
            QPainterPath tip;
            tip.moveTo(x, -38.8);
            tip.lineTo(x + 1.3, -34);
            tip.lineTo(x - 1.3, -34);
            tip.closeSubpath();
            outlined(p, kSteel, 0.35);
            p.drawPath(tip);
            QPainterPath pennant;
            pennant.moveTo(x, -33);
            pennant.lineTo(x - side * 7, -31);
            pennant.lineTo(x - side * 4.5, -29.5);
            pennant.lineTo(x - side * 7, -28);
            pennant.lineTo(x, -27);
            pennant.closeSubpath();
            outlined(p, look.band, 0.35);
            p.drawPath(pennant);
            break;
        }
    }
}

// Sleeves in the band's colour: one arm down to the hand holding the item, the other across the
// waist, each ending in a gold cuff and a hand.
void paintArms(QPainter& p, const CourtLook& look) {
    const int s = look.side;
    QPainterPath holding;
    holding.moveTo(s * 9, -17.2);
    holding.cubicTo(s * 15, -17, s * 18.2, -14.5, s * 18, -10);
    holding.cubicTo(s * 17.8, -7.5, s * 16, -6.2, s * 13.4, -6.2);
    holding.lineTo(s * 13.4, -10.4);
    holding.cubicTo(s * 13, -12.8, s * 11.5, -13.8, s * 9, -14.2);
    holding.closeSubpath();
    QPainterPath resting;
    resting.moveTo(-s * 9, -17.2);
    resting.cubicTo(-s * 15, -17, -s * 18.2, -14.5, -s * 18, -9.5);
    resting.cubicTo(-s * 17.5, -5, -s * 12, -3.4, -s * 7.2, -3.6);
    resting.lineTo(-s * 7.2, -7.4);
    resting.cubicTo(-s * 10.5, -7.6, -s * 13, -9.5, -s * 13.2, -13.2);
    resting.closeSubpath();
    outlined(p, look.band, 0.45);
    p.drawPath(holding);
    p.drawPath(resting);
    outlined(p, kCourtGold, 0.35);
    p.drawRect(QRectF(s > 0 ? 12.2 : -13.6, -10.4, 1.4, 4.2));
    p.drawRect(QRectF(s > 0 ? -8.4 : 7.0, -7.4, 1.4, 3.8));
}

void paintHands(QPainter& p, const CourtLook& look) {
    outlined(p, kSkin, 0.4);
    p.drawEllipse(QPointF(look.side * 11.2, -8.3), 2, 1.8);
    p.drawEllipse(QPointF(-look.side * 5.6, -5.5), 1.8, 1.6);
}

void paintCourtHalf(QPainter& p, int rank, Suit suit) {
    const CourtLook look = courtLook(rank, suit);
    const bool jack = rank == kJack;
    const Hat hat = rank == kKing                                 ? Hat::Crown
                    : rank == kQueen                              ? Hat::Tiara
                    : suit == Suit::Hearts || suit == Suit::Clubs ? Hat::Beret
                                                                  : Hat::Cap;
    if (hat == Hat::Tiara) paintHat(p, look, rank, hat);  // the veil falls behind the figure
    if (look.held == Held::Sword) paintHeld(p, look);     // the blade stands behind the shoulder
    paintRobe(p, look, rank, suit);
    paintArms(p, look);
    paintHair(p, look, rank);
    paintFace(p, look, rank);
    if (hat != Hat::Tiara) paintHat(p, look, rank, hat);
    if (look.held != Held::Sword) paintHeld(p, look);
    paintHands(p, look);
    // The suit beside the head, on the side of the empty hand.
    paintPip(p, suit, QPointF(-look.side * 15.2, -34.2), jack ? 6 : 6.5, false);
}

void paintCourt(QPainter& p, int rank, Suit suit) {
    const QRectF frame(15.5, 8.5, 40, 79);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 246, 228));
    p.drawRect(frame);
    for (const int turn : {0, 180}) {
        p.save();
        p.translate(35.5, 48);
        p.rotate(turn);
        paintCourtHalf(p, rank, suit);
        p.restore();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(suitColor(suit), 0.8));
    p.drawRect(frame);
    p.drawLine(QPointF(frame.left(), 48), QPointF(frame.right(), 48));
}

// ---- The back ----

// A line cut to a rectangle (Liang and Barsky); empty when it misses.
QLineF cutToRect(const QLineF& line, const QRectF& rect) {
    qreal from = 0;
    qreal to = 1;
    const qreal dx = line.dx();
    const qreal dy = line.dy();
    const std::array<std::pair<qreal, qreal>, 4> edges = {{
        {-dx, line.x1() - rect.left()},
        {dx, rect.right() - line.x1()},
        {-dy, line.y1() - rect.top()},
        {dy, rect.bottom() - line.y1()},
    }};
    for (const auto& [step, room] : edges) {
        if (step == 0) {
            if (room < 0) return {};
            continue;
        }
        const qreal t = room / step;
        if (step < 0) {
            from = std::max(from, t);
        } else {
            to = std::min(to, t);
        }
    }
    if (from >= to) return {};
    return {line.pointAt(from), line.pointAt(to)};
}

// A four-petalled rosette, the back's repeating motif.
void addRosette(QPainterPath& petals, QPointF at, qreal size) {
    for (int i = 0; i < 4; ++i) {
        QPainterPath leaf;
        leaf.moveTo(0, 0);
        leaf.quadTo(size * 0.45, -size * 0.45, 0, -size);
        leaf.quadTo(-size * 0.45, -size * 0.45, 0, 0);
        petals.addPath(QTransform().translate(at.x(), at.y()).rotate(i * 90).map(leaf));
    }
}

}  // namespace

void paintCardFace(QPainter& p, Card card) {
    const int rank = card.rank;
    const Suit suit = card.suit;
    paintBlank(p, kCardPaper, kCardEdge);
    paintIndices(p, rank, suit);
    if (rank >= kJack) {
        paintCourt(p, rank, suit);
    } else if (rank == kAce) {
        paintAce(p, suit);
    } else {
        paintPips(p, rank, suit);
    }
}

void paintCardBack(QPainter& p) {
    paintBlank(p, kCardPaper, kCardEdge);
    const QRectF panel(4, 4, kCardPictureSize.width() - 8, kCardPictureSize.height() - 8);
    QLinearGradient blue(panel.topLeft(), panel.bottomRight());
    blue.setColorAt(0, kBackBlue);
    blue.setColorAt(1, kBackBlueDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRoundedRect(panel, 3, 3);

    // A trellis of fine lines with a rosette at every crossing and a dot in every diamond, each
    // kind painted as one shape so that the drawing stays small.
    const QRectF field = panel.adjusted(2.5, 2.5, -2.5, -2.5);
    const qreal step = 7.5;
    const QPointF centre = panel.center();
    QPainterPath trellis;
    for (int k = -20; k <= 20; ++k) {
        const QPointF through = centre + QPointF(k * step, 0);
        for (const qreal slope : {1.0, -1.0}) {
            const QLineF cut = cutToRect(
                QLineF(through - QPointF(100, 100 * slope), through + QPointF(100, 100 * slope)),
                field);
            if (cut.isNull()) continue;
            trellis.moveTo(cut.p1());
            trellis.lineTo(cut.p2());
        }
    }
    QPainterPath petals;
    QPainterPath hearts;
    QPainterPath dots;
    for (int i = -8; i <= 8; ++i) {
        for (int j = -10; j <= 10; ++j) {
            const QPointF at = centre + QPointF(i * step / 2, j * step / 2);
            if (!field.adjusted(1.5, 1.5, -1.5, -1.5).contains(at)) continue;
            if ((i + j) % 2 != 0) {
                dots.addEllipse(at, 0.7, 0.7);
            } else {
                addRosette(petals, at, 2.3);
                hearts.addEllipse(at, 0.5, 0.5);
            }
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 160, 235, 170), 0.5));
    p.drawPath(trellis);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 200, 90, 200));
    p.drawPath(dots);
    p.setBrush(QColor(190, 210, 250));
    p.drawPath(petals);
    p.setBrush(kGold);
    p.drawPath(hearts);
    // Gold and white rules around the field.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 1));
    p.drawRoundedRect(panel.adjusted(1.6, 1.6, -1.6, -1.6), 2, 2);
    p.setPen(QPen(kCardPaper, 0.6));
    p.drawRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), 2.6, 2.6);

    // The medallion: the green crest under a red diamond in a gold ring.
    const QPointF middle(35.5, 48);
    p.setPen(QPen(kGold, 1.6));
    p.setBrush(kBackBlueDeep);
    p.drawEllipse(middle, 15, 19);
    p.setPen(QPen(kGoldDark, 0.5));
    p.setBrush(kCardPaper);
    p.drawEllipse(middle, 12, 16);
    QPainterPath crest;
    crest.moveTo(25.5, 56);
    crest.lineTo(31, 45);
    crest.lineTo(34, 49.5);
    crest.lineTo(38.5, 41);
    crest.lineTo(45.5, 56);
    crest.quadTo(35.5, 61.5, 25.5, 56);
    p.setPen(Qt::NoPen);
    p.setBrush(design::kFelt);
    p.drawPath(crest);
    QPainterPath snow;
    snow.moveTo(38.5, 41);
    snow.lineTo(36.6, 44.6);
    snow.lineTo(38.5, 43.6);
    snow.lineTo(40.2, 44.6);
    snow.closeSubpath();
    p.setBrush(design::kLightGreen);
    p.drawPath(snow);
    p.setBrush(suitColor(Suit::Diamonds));
    p.drawPath(suitPath(Suit::Diamonds, QRectF(31.5, 33.5, 8, 10)));
}

void paintEmptyStock(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 200, 120), 1.2, Qt::DashLine));
    p.setBrush(QColor(0, 104, 0));
    p.drawRoundedRect(QRectF(1.5, 1.5, kCardPictureSize.width() - 3, kCardPictureSize.height() - 3),
                      5, 5);
    p.setPen(QPen(QColor(150, 220, 150), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(35.5, 48), 15, 15);
    p.drawLine(QPointF(25, 58.5), QPointF(46, 37.5));
}

void paintNeutralCard(QPainter& p) {
    paintBlank(p, QColor(240, 238, 228), kCardEdge);
    p.setPen(QPen(design::kFelt, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 5, kCardPictureSize.width() - 10, kCardPictureSize.height() - 10),
                      3, 3);
    QPainterPath ridge;  // a green crest
    ridge.moveTo(10, 66);
    ridge.lineTo(24, 40);
    ridge.lineTo(31, 50);
    ridge.lineTo(41, 30);
    ridge.lineTo(61, 66);
    ridge.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(design::kFelt);
    p.drawPath(ridge);
    p.setBrush(design::kLightGreen);
    QPainterPath snow;
    snow.moveTo(41, 30);
    snow.lineTo(36, 40);
    snow.lineTo(41, 37);
    snow.lineTo(46, 40);
    snow.closeSubpath();
    p.drawPath(snow);
}

void paintMenuLandscape(QPainter& p) {
    const QSizeF size(kMenuLandscapeSize);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(70, 130, 210));
    sky.setColorAt(0.6, QColor(250, 210, 150));
    sky.setColorAt(1, QColor(250, 190, 120));
    p.fillRect(QRectF(QPointF(0, 0), size), sky);
    QRadialGradient sun(QPointF(196, 58), 26);
    sun.setColorAt(0, QColor(255, 250, 210));
    sun.setColorAt(1, QColor(255, 220, 120, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(196, 58), 26, 26);
    const std::array<QColor, 3> ridges = {QColor(60, 150, 60), QColor(20, 120, 30),
                                          QColor(0, 90, 10)};
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hill;
        hill.moveTo(0, size.height());
        for (int x = 0; x <= size.width(); x += 6) {
            const double y =
                95 + layer * 22 - 28 * std::sin((x + layer * 70) / 40.0) * (layer == 1 ? 1.3 : 0.8);
            hill.lineTo(x, y);
        }
        hill.lineTo(size.width(), size.height());
        hill.closeSubpath();
        p.setBrush(ridges[static_cast<std::size_t>(layer)]);
        p.drawPath(hill);
    }
    // A fan of three cards in the foreground, their feet below the picture's edge.
    const std::array<Card, 3> fan = {
        {{kQueen, Suit::Hearts}, {kKing, Suit::Clubs}, {kAce, Suit::Spades}}};
    for (std::size_t i = 0; i < fan.size(); ++i) {
        p.save();
        p.translate(129, 190);
        p.rotate(-24 + static_cast<qreal>(i) * 24);
        p.translate(-27, -104);
        p.scale(54.0 / kCardPictureSize.width(), 73.0 / kCardPictureSize.height());
        paintCardFace(p, fan[i]);
        p.restore();
    }
}

void paintMenuBackdrop(QPainter& p) {
    const QRectF whole(QPointF(0, 0), QSizeF(kMenuBackdropSize));
    // The window through which the score table, a picture of its own, shows.
    const QRectF table(design::kMenuRecords.translated(-design::kMenuTitle.topLeft()));
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient felt(whole.topLeft(), whole.bottomRight());
    felt.setColorAt(0, QColor(0, 112, 0));
    felt.setColorAt(1, QColor(0, 70, 0));
    QPainterPath around;  // the felt with a window for the score table behind
    around.addRect(whole);
    around.addRect(table);
    p.fillPath(around, felt);
    // Faint suits strewn over the felt.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 18));
    for (int i = 0; i < 28; ++i) {
        const QPointF at((i * 97) % 280 + 6, (i * 53) % 280 + 8);
        p.drawPath(suitPath(static_cast<Suit>(i % 4), QRectF(at, QSizeF(14, 14))));
    }
    const QRectF title(20, 2, 270, 32);
    p.setBrush(QColor(0, 0, 0));
    p.drawPath(centredText(QStringLiteral("CRESTAVERDE"), title, 24, true));
    p.setBrush(design::kLightGreen);
    p.drawPath(centredText(QStringLiteral("CRESTAVERDE"), title.translated(-2, -2), 24, true));
    p.setPen(QPen(kGold, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(table.adjusted(-1.5, -1.5, 1.5, 1.5));
}

void paintScoreBoard(QPainter& p) {
    const QSizeF size(kScoreBoardSize);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient board(0, 0, 0, size.height());
    board.setColorAt(0, QColor(30, 60, 36));
    board.setColorAt(1, QColor(10, 26, 14));
    p.fillRect(QRectF(QPointF(0, 0), size), board);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawPath(centredText(QStringLiteral("RÉCORDS"), QRectF(0, 8, size.width(), 28), 19, true));
    p.setPen(QPen(kGold, 1));
    p.drawLine(QPointF(30, 38.5), QPointF(203, 38.5));
    // A band under each of the five rows of names and scores.
    for (std::size_t i = 0; i < design::kScoreRowTops.size(); ++i) {
        const int top = design::kScoreRowTops.at(i) - design::kMenuRecords.top();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, i % 2 == 0 ? 26 : 14));
        p.drawRoundedRect(QRectF(4, top - 6, size.width() - 8, design::kScoreRowHeight + 12), 4, 4);
    }
    p.setPen(QPen(kGold.darker(140), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
}

// Drawn in a 64 x 64 box: a cream card on a slant, a green crest, a red diamond.
void paintAppIcon(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(32, 32);
    p.rotate(-8);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(kCardPaper);
    p.drawRoundedRect(QRectF(-20, -28, 40, 56), 5, 5);
    QPainterPath ridge;
    ridge.moveTo(-15, 20);
    ridge.lineTo(-6, 2);
    ridge.lineTo(-1, 9);
    ridge.lineTo(6, -4);
    ridge.lineTo(15, 20);
    ridge.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(design::kFelt);
    p.drawPath(ridge);
    p.setBrush(suitColor(Suit::Diamonds));
    p.drawPath(suitPath(Suit::Diamonds, QRectF(-8, -24, 16, 22)));
}

namespace {

// The clip's cards are drawn for their small size: a big rank and a big suit, nothing finer.
constexpr QSizeF kClipCard(21, 29);

void paintClipCard(QPainter& p, QPointF at, int rank, Suit suit) {
    const QRectF card(at, kClipCard);
    p.setPen(QPen(kCardEdge, 1));
    p.setBrush(kCardPaper);
    p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(suitColor(suit));
    p.drawPath(indexText(rankLabel(rank), QRectF(at + QPointF(2, 2.5), QSizeF(8, 11)), kIndexFont));
    p.drawPath(suitPath(suit, QRectF(at + QPointF(7, 14), QSizeF(12, 12))));
}

void paintClipBack(QPainter& p, QPointF at) {
    const QRectF card(at, kClipCard);
    p.setPen(QPen(kCardEdge, 1));
    p.setBrush(kCardPaper);
    p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kBackBlue);
    p.drawRoundedRect(card.adjusted(2, 2, -2, -2), 1.5, 1.5);
    p.setBrush(kGold);
    p.drawEllipse(card.center(), 2.5, 3.2);
}

}  // namespace

// The seven of clubs leaves its tower, arcs over and lands on the six of hearts beside the stock,
// then the pair is ringed while the clip rests.
QImage clipFrame(int frame, int frameCount) {
    QImage image(kClipSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(design::kFelt);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintClipBack(p, QPointF(2, 2));
    paintClipBack(p, QPointF(9, 5));
    paintClipBack(p, QPointF(34, 8));  // the stock
    const QPointF from(15, 8);
    const QPointF to(54, 8);
    paintClipCard(p, to, 6, Suit::Hearts);
    const int travel = frameCount / 2;
    const double t = std::min(1.0, static_cast<double>(frame) / travel);
    const double eased = t * t * (3 - 2 * t);
    const QPointF at = from + (to - from) * eased - QPointF(0, 7 * std::sin(eased * 3.14159265));
    paintClipCard(p, QPointF(std::round(at.x()), std::round(at.y())), 7, Suit::Clubs);
    if (frame >= travel) {
        p.setPen(QPen(QColor(255, 230, 90), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(to, kClipCard).adjusted(-1.5, -1.5, 1.5, 1.5), 3.5, 3.5);
    }
    return image;
}

}  // namespace crestaverde::art
