// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <array>
#include <string_view>

#include "design.h"
#include "media_catalogue.h"

namespace crestaverde {
namespace {

// The hand, a character a pixel: '#' ink, '.' paper, a space clear. Its hot spot is the raised
// index finger's tip, the top row's only pixel.
// clang-format off
constexpr auto kHand = std::to_array<std::string_view>({
    "      #",
    "     #.#",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...#### ###",
    "    #.......#...####",
    "    #.......#...#...#",
    "    #.......#...#...#",
    "    #.......#...#...#",
    "  # #.......#...#...#",
    " #.##.......#...#...#",
    "#...#...............#",
    " #..#...............#",
    " #..................#",
    "  #.................#",
    "   #................#",
    "   #................#",
    "    #...............#",
    "     #..............#",
    "     #.............#",
    "      #............#",
    "      #...........#",
    "       ###########",
});
// clang-format on
constexpr QPoint kHandHotSpot(static_cast<int>(kHand.front().find('#')), 0);

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
    QImage hand(32, 32, QImage::Format_ARGB32);
    hand.fill(Qt::transparent);
    int y = 0;
    for (const std::string_view row : kHand) {
        int x = 0;
        for (const char pixel : row) {
            if (pixel != ' ')
                hand.setPixelColor(x, y, pixel == '#' ? design::kInk : design::kPaper);
            ++x;
        }
        ++y;
    }
    return QCursor(QPixmap::fromImage(hand), kHandHotSpot.x(), kHandHotSpot.y());
}

}  // namespace crestaverde
