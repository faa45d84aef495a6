#include "card_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>

#include "suit_shapes.h"

namespace crestaverde::art {
namespace {

const QColor kFelt(0, 128, 0);
const QColor kLightGreen(192, 255, 192);
const QColor kPaper(252, 250, 242);
const QColor kInk(30, 30, 30);
const QColor kGold(222, 184, 64);

QImage canvas(int width, int height, const QColor& fill = Qt::transparent) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QString rankLabel(char rank) {
    switch (rank) {
        case '1':
            return QStringLiteral("A");
        case '0':
            return QStringLiteral("10");
        case 'j':
            return QStringLiteral("J");
        case 'q':
            return QStringLiteral("Q");
        case 'k':
            return QStringLiteral("K");
        default:
            return QString(QChar(rank));
    }
}

QFont font(const QString& family, int pixelSize, bool bold, bool italic = false) {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void paintBlank(QPainter& p, const QColor& fill, const QColor& border) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), 5, 5);
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

void paintCorner(QPainter& p, char rank, Suit suit) {
    p.setPen(suitColor(suit));
    p.setFont(font(QStringLiteral("DejaVu Sans Condensed"), rank == '0' ? 10 : 11, true));
    p.drawText(QRectF(1, 2, 13, 12), Qt::AlignCenter, rankLabel(rank));
    paintPip(p, suit, QPointF(7.5, 19), 8, false);
}

// Pip places as (column, row): columns 0, 1, 2 left to right, rows 0 (top) to 1 (bottom).
std::vector<QPointF> pipPlaces(int value) {
    constexpr qreal L = 0, M = 1, R = 2, T = 1.0 / 3, TT = 2.0 / 3;
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

void paintPips(QPainter& p, int value, Suit suit) {
    if (value == 1) {
        paintPip(p, suit, QPointF(35.5, 48), 30, false);
        return;
    }
    for (const QPointF& place : pipPlaces(value)) {
        const QPointF centre(22 + place.x() * 13.5, 17 + place.y() * 62);
        paintPip(p, suit, centre, 12, place.y() > 0.55);
    }
}

QPainterPath crown(qreal left, qreal top, qreal width, qreal height, int points) {
    QPainterPath path;
    path.moveTo(left, top + height);
    const qreal step = width / (points - 1);
    for (int i = 0; i < points; ++i) {
        path.lineTo(left + i * step, top);
        if (i + 1 < points) path.lineTo(left + (i + 0.5) * step, top + height * 0.55);
    }
    path.lineTo(left + width, top + height);
    path.closeSubpath();
    return path;
}

// A court card: a framed figure made of a crown or cap, a face, a robe in the suit's colour.
void paintCourt(QPainter& p, char rank, Suit suit) {
    const QColor colour = suitColor(suit);
    const QRectF frame(13, 9, 45, 78);
    QLinearGradient paper(frame.topLeft(), frame.bottomRight());
    paper.setColorAt(0, QColor(255, 246, 214));
    paper.setColorAt(1, QColor(242, 224, 170));
    p.setPen(QPen(colour, 1));
    p.setBrush(paper);
    p.drawRect(frame);

    // Robe and shoulders.
    QPainterPath robe;
    robe.moveTo(17, 86);
    robe.quadTo(20, 56, 35.5, 52);
    robe.quadTo(51, 56, 54, 86);
    robe.closeSubpath();
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPath(robe);
    p.setBrush(kGold);
    p.drawRect(QRectF(33.5, 54, 4, 32));
    paintPip(p, suit, QPointF(35.5, 72), 9, false);
    // Face.
    p.setBrush(QColor(250, 214, 180));
    p.setPen(QPen(QColor(120, 80, 50), 0.8));
    p.drawEllipse(QPointF(35.5, 42), 8, 9.5);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(32.5, 41), 1, 1.2);
    p.drawEllipse(QPointF(38.5, 41), 1, 1.2);
    p.setPen(QPen(QColor(170, 40, 40), 0.9));
    p.drawLine(QPointF(33.5, 46.5), QPointF(37.5, 46.5));
    // Headwear.
    p.setPen(QPen(QColor(130, 90, 10), 0.8));
    p.setBrush(kGold);
    if (rank == 'k') {
        p.drawPath(crown(26, 22, 19, 11, 4));
        p.setPen(QPen(QColor(110, 70, 40), 1.2));
        p.setBrush(QColor(150, 110, 70));
        p.drawChord(QRectF(28, 42, 15, 14), 200 * 16, 140 * 16);  // beard
    } else if (rank == 'q') {
        p.drawPath(crown(28, 25, 15, 8, 3));
        p.setPen(Qt::NoPen);
        p.setBrush(colour.darker(130));
        p.drawEllipse(QPointF(35.5, 27), 1.6, 1.6);
        p.setBrush(QColor(120, 60, 20));
        p.drawRect(QRectF(26.5, 36, 2.5, 14));  // hair
        p.drawRect(QRectF(42, 36, 2.5, 14));
    } else {
        QPainterPath cap;
        cap.moveTo(26, 35);
        cap.quadTo(30, 24, 44, 27);
        cap.lineTo(46, 35);
        cap.closeSubpath();
        p.setBrush(colour.lighter(120));
        p.drawPath(cap);
        p.setPen(QPen(kGold, 1.2));
        p.drawLine(QPointF(44, 27), QPointF(51, 19));  // feather
    }
    // Rank letter in the frame's corner.
    p.setPen(colour);
    p.setFont(font(QStringLiteral("Liberation Serif"), 14, true));
    p.drawText(QRectF(41, 9, 17, 16), Qt::AlignCenter, rankLabel(rank));
}

void paintRotatedCorner(QPainter& p, char rank, Suit suit) {
    p.save();
    p.translate(kCardWidth, kCardHeight);
    p.rotate(180);
    paintCorner(p, rank, suit);
    p.restore();
}

}  // namespace

QImage cardFace(char rank, char suitLetter) {
    QImage image = canvas(kCardWidth, kCardHeight);
    QPainter p(&image);
    const Suit suit = suitOfLetter(suitLetter);
    paintBlank(p, kPaper, QColor(60, 60, 60));
    paintCorner(p, rank, suit);
    paintRotatedCorner(p, rank, suit);
    if (rank == 'j' || rank == 'q' || rank == 'k') {
        paintCourt(p, rank, suit);
    } else {
        paintPips(p, rank == '0' ? 10 : rank == '1' ? 1 : rank - '0', suit);
    }
    return image;
}

QImage cardBack() {
    QImage image = canvas(kCardWidth, kCardHeight, kFelt);
    QPainter p(&image);
    paintBlank(p, Qt::white, QColor(40, 40, 40));
    const QRectF inner(4, 4, kCardWidth - 8, kCardHeight - 8);
    QLinearGradient blue(inner.topLeft(), inner.bottomRight());
    blue.setColorAt(0, QColor(24, 60, 150));
    blue.setColorAt(1, QColor(12, 30, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRoundedRect(inner, 3, 3);
    p.setClipRect(inner);
    p.setPen(QPen(QColor(120, 160, 230, 150), 1));
    for (int d = -kCardHeight; d < kCardWidth + kCardHeight; d += 6) {
        p.drawLine(QPointF(d, 0), QPointF(d + kCardHeight, kCardHeight));
        p.drawLine(QPointF(d, kCardHeight), QPointF(d + kCardHeight, 0));
    }
    p.setClipping(false);
    p.setBrush(QColor(12, 30, 90));
    p.setPen(QPen(kGold, 1.2));
    p.drawEllipse(QPointF(35.5, 48), 14, 14);
    paintPip(p, Suit::Spades, QPointF(35.5, 48), 15, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1));
    p.drawRoundedRect(inner.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    return image;
}

QImage emptyStock() {
    QImage image = canvas(kCardWidth, kCardHeight, kFelt);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 90, 0), 2, Qt::DashLine));
    p.setBrush(QColor(0, 110, 0));
    p.drawRoundedRect(QRectF(2, 2, kCardWidth - 4, kCardHeight - 4), 5, 5);
    p.setPen(QPen(QColor(0, 80, 0), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawEllipse(QPointF(35.5, 48), 16, 16);
    p.drawLine(QPointF(24, 59), QPointF(47, 37));
    return image;
}

QImage neutralCard() {
    QImage image = canvas(kCardWidth, kCardHeight, kFelt);
    QPainter p(&image);
    paintBlank(p, QColor(238, 236, 226), QColor(90, 90, 90));
    p.setPen(QPen(QColor(0, 128, 0), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 5, kCardWidth - 10, kCardHeight - 10), 3, 3);
    QPainterPath ridge;  // a green crest
    ridge.moveTo(10, 66);
    ridge.lineTo(24, 40);
    ridge.lineTo(31, 50);
    ridge.lineTo(41, 30);
    ridge.lineTo(61, 66);
    ridge.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawPath(ridge);
    p.setBrush(QColor(192, 255, 192));
    QPainterPath snow;
    snow.moveTo(41, 30);
    snow.lineTo(36, 40);
    snow.lineTo(41, 37);
    snow.lineTo(46, 40);
    snow.closeSubpath();
    p.drawPath(snow);
    return image;
}

QImage menuLandscape() {
    QImage image = canvas(258, 184);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 184);
    sky.setColorAt(0, QColor(70, 130, 210));
    sky.setColorAt(0.6, QColor(250, 210, 150));
    sky.setColorAt(1, QColor(250, 190, 120));
    p.fillRect(image.rect(), sky);
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
        hill.moveTo(0, 184);
        for (int x = 0; x <= 258; x += 6) {
            const double y =
                95 + layer * 22 - 28 * std::sin((x + layer * 70) / 40.0) * (layer == 1 ? 1.3 : 0.8);
            hill.lineTo(x, y);
        }
        hill.lineTo(258, 184);
        hill.closeSubpath();
        p.setBrush(ridges[static_cast<std::size_t>(layer)]);
        p.drawPath(hill);
    }
    // A fan of three cards in the foreground.
    const std::array<std::pair<char, char>, 3> fan = {{{'q', 'a'}, {'k', 'c'}, {'1', 'b'}}};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(129, 190);
        p.rotate(-24 + i * 24);
        p.drawImage(QRectF(-26, -100, 52, 70), cardFace(fan[static_cast<std::size_t>(i)].first,
                                                        fan[static_cast<std::size_t>(i)].second));
        p.restore();
    }
    return image;
}

QImage menuBackdrop() {
    QImage image = canvas(549, 299);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient felt(0, 0, 549, 299);
    felt.setColorAt(0, QColor(0, 112, 0));
    felt.setColorAt(1, QColor(0, 70, 0));
    p.fillRect(image.rect(), felt);
    // Faint suits strewn over the felt.
    for (int i = 0; i < 28; ++i) {
        const QPointF at((i * 97) % 300 + 6, (i * 53) % 280 + 8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 18));
        p.drawPath(suitPath(static_cast<Suit>(i % 4), QRectF(at, QSizeF(14, 14))));
    }
    p.setFont(font(QStringLiteral("Liberation Serif"), 24, true, true));
    p.setPen(QColor(0, 0, 0));
    p.drawText(QRectF(20, 2, 270, 32), Qt::AlignCenter, QStringLiteral("CRESTAVERDE"));
    p.setPen(kLightGreen);
    p.drawText(QRectF(18, 0, 270, 32), Qt::AlignCenter, QStringLiteral("CRESTAVERDE"));
    // A frame around the table, then a clear window for the score board behind.
    const QRect table(306, 24, 233, 265);
    p.setPen(QPen(kGold, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(table.adjusted(-2, -2, 1, 1));
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillRect(table, Qt::transparent);
    return image;
}

QImage scoreBoard() {
    QImage image = canvas(233, 265, QColor(18, 40, 24));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient board(0, 0, 0, 265);
    board.setColorAt(0, QColor(30, 60, 36));
    board.setColorAt(1, QColor(10, 26, 14));
    p.fillRect(image.rect(), board);
    p.setFont(font(QStringLiteral("Liberation Serif"), 19, true, true));
    p.setPen(kGold);
    p.drawText(QRectF(0, 8, 233, 28), Qt::AlignCenter, QStringLiteral("RÉCORDS"));
    p.setPen(QPen(kGold, 1));
    p.drawLine(QPointF(30, 38), QPointF(203, 38));
    // A band under each of the five rows of names and scores.
    const std::array<int, 5> rows = {51, 90, 129, 168, 204};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, i % 2 == 0 ? 26 : 14));
        p.drawRoundedRect(QRectF(4, rows[i] - 6, 225, 28), 4, 4);
    }
    p.setPen(QPen(kGold.darker(140), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 231, 263));
    return image;
}

// A card slides from the tower on the left onto the face-up card on the right, then rests.
QImage clipFrame(int frame, int frameCount) {
    QImage image = canvas(77, 39, kFelt);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF card(20, 27);
    const QImage pile = cardFace('6', 'a');
    const QImage moving = cardFace('7', 'c');
    const QImage back = cardBack();
    p.drawImage(QRectF(QPointF(2, 2), card), back);
    p.drawImage(QRectF(QPointF(8, 9), card), back);
    p.drawImage(QRectF(QPointF(54, 6), card), pile);
    const int travel = frameCount * 2 / 3;
    const double t = std::min(1.0, static_cast<double>(frame) / travel);
    const double eased = t * t * (3 - 2 * t);
    const QPointF from(16, 11);
    const QPointF to(54, 6);
    const QPointF at = from + (to - from) * eased - QPointF(0, 8 * std::sin(eased * 3.14159));
    p.drawImage(QRectF(at, card), moving);
    if (frame >= travel) {
        p.setPen(QPen(QColor(255, 255, 160), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(to - QPointF(1.5, 1.5), card + QSizeF(3, 3)), 3, 3);
    }
    return image;
}

// Drawn in a 64 x 64 box: a cream card on a slant, a green crest, a red diamond.
QImage appIcon(int size) {
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.translate(32, 32);
    p.rotate(-8);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(-20, -28, 40, 56), 5, 5);
    QPainterPath ridge;
    ridge.moveTo(-15, 20);
    ridge.lineTo(-6, 2);
    ridge.lineTo(-1, 9);
    ridge.lineTo(6, -4);
    ridge.lineTo(15, 20);
    ridge.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawPath(ridge);
    p.setBrush(suitColor(Suit::Diamonds));
    p.drawPath(suitPath(Suit::Diamonds, QRectF(-8, -24, 16, 22)));
    return image;
}

QString appIconSvg() {
    return QStringLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 "
        "64\">\n"
        "  <g transform=\"translate(32 32) rotate(-8)\">\n"
        "    <rect x=\"-20\" y=\"-28\" width=\"40\" height=\"56\" rx=\"5\" fill=\"#fcfaf2\" "
        "stroke=\"#282828\" stroke-width=\"1.5\"/>\n"
        "    <path d=\"M-15 20 L-6 2 L-1 9 L6 -4 L15 20 Z\" fill=\"#008000\"/>\n"
        "    <path d=\"M0 -24 Q2.6 -17.4 6.1 -13 Q2.6 -8.6 0 -2 Q-2.6 -8.6 -6.1 -13 Q-2.6 -17.4 0 "
        "-24 Z\" "
        "fill=\"#c81020\"/>\n"
        "  </g>\n"
        "</svg>\n");
}

}  // namespace crestaverde::art
