// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every position, size, colour, font and timer interval of the windows, in one place.
// Positions are in twips as designed (15 twips to a pixel at the design size).

#include <QColor>
#include <QLine>
#include <QRect>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "tower_layout.h"

namespace crestaverde::design {

inline constexpr int kTwipsPerPixel = 15;

[[nodiscard]] constexpr int px(int twips) {
    return twips / kTwipsPerPixel;
}
// The design was laid out on a 96-dot-per-inch screen, so its rectangles are whole pixels; a
// number that is not is a typing error, and stops the build.
[[nodiscard]] consteval int wholePixels(int twips) {
    if (twips % kTwipsPerPixel != 0) throw "a design rectangle off the pixel grid";
    return px(twips);
}
[[nodiscard]] consteval QRect twipRect(int left, int top, int width, int height) {
    return {wholePixels(left), wholePixels(top), wholePixels(width), wholePixels(height)};
}
// Font sizes are designed in points on a 96-dot-per-inch screen.
[[nodiscard]] inline int pointsToPixels(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

// Timers of the windows; the clock's and the banner's pace are the rules' own.
inline constexpr int kFanChangeMs = 1000;
// How long a Wayland board that lost the focus keeps drawing a pixel on every frame presented, to
// learn whether the compositor took it away: longer than a compositor's minimise animation.
inline constexpr int kSightProbeMs = 1000;
// How long a closing window waits for its last frame before it closes all the same.
inline constexpr int kLastFrameWaitMs = 500;

// Colours.
inline const QColor kFelt(0, 128, 0);
inline const QColor kLightGreen(192, 255, 192);
inline const QColor kLightGrey(224, 224, 224);
inline const QColor kMenuGrey(192, 192, 192);
inline const QColor kShadow(0, 0, 0);
inline const QColor kInk(0, 0, 0);
inline const QColor kPaper(255, 255, 255);
inline const QColor kEngravedGrey(128, 128, 128);
inline const QColor kNoBackground;  // invalid: transparent
inline const QColor kHighlight(255, 215, 0);

// Fonts by their design names; the program maps them to installed fonts at start.
inline const QString kSerif = QStringLiteral("Times New Roman");
inline const QString kSansSerif = QStringLiteral("MS Sans Serif");
inline const QString kTahoma = QStringLiteral("Tahoma");

// ---- The board window ----
inline constexpr QSize kBoardDesignSize{794, 543};    // where the controls reach: 11910 x 8145
inline constexpr QSize kBoardRestoredSize{312, 213};  // 4680 x 3195
inline constexpr QSize kCardSize{71, 96};
// Window pixels repainted around an element that changed, for its antialiased and smoothed edges.
inline constexpr int kRepaintMargin = 2;

struct TwipPoint {
    int left;
    int top;
};

// Each tower card's place, in the towers' reading order: row by row from the peaks down, each row
// from the left.
// clang-format off
inline constexpr std::array<TwipPoint, kTowerCardCount> kTowerCardPlaces = {{
    {1845, 540}, {5445, 540}, {9045, 540},
    {1260, 1665}, {2430, 1665}, {4815, 1665}, {6030, 1680}, {8445, 1680}, {9645, 1680},
    {630, 2880}, {1845, 2880}, {3045, 2880}, {4230, 2880}, {5445, 2880}, {6645, 2880},
        {7845, 2880}, {9045, 2880}, {10260, 2880},
    {45, 4005}, {1245, 4005}, {2445, 4020}, {3645, 4020}, {4845, 4020}, {6030, 4050},
        {7245, 4050}, {8415, 4050}, {9645, 4050}, {10845, 4050},
}};

// The backs over the face-down cards of rows 1 to 3, in the same order. They lie a pixel off
// their cards in places, as they always have.
inline constexpr std::array<TwipPoint, kCoveredCardCount> kCoverPlaces = {{
    {1845, 540}, {5445, 540}, {9045, 540},
    {1260, 1665}, {2430, 1665}, {4815, 1665}, {6030, 1665}, {8460, 1665}, {9630, 1665},
    {630, 2880}, {1845, 2880}, {3060, 2880}, {4230, 2880}, {5445, 2880}, {6660, 2880},
        {7830, 2880}, {9045, 2880}, {10260, 2880},
}};
// clang-format on

[[nodiscard]] constexpr TwipPoint towerCardPlace(int position) {
    return kTowerCardPlaces.at(static_cast<std::size_t>(readingIndex(position)));
}
// The back over the card at a position of rows 1 to 3.
[[nodiscard]] constexpr TwipPoint coverPlace(int position) {
    return kCoverPlaces.at(static_cast<std::size_t>(readingIndex(position)));
}

inline constexpr TwipPoint kFaceUpCard{6075, 6705};
inline constexpr TwipPoint kStockPile{4905, 6705};
[[nodiscard]] constexpr bool onPixelGrid(TwipPoint at) {
    return at.left % kTwipsPerPixel == 0 && at.top % kTwipsPerPixel == 0;
}
static_assert(std::ranges::all_of(kTowerCardPlaces, onPixelGrid) &&
              std::ranges::all_of(kCoverPlaces, onPixelGrid) && onPixelGrid(kFaceUpCard) &&
              onPixelGrid(kStockPile));

inline constexpr QRect kTimeBar = twipRect(1125, 6120, 9645, 375);
inline constexpr QRect kAbandonButton = twipRect(9990, 7560, 1185, 510);

// The keyboard highlight: a gold frame edged in ink on both sides, around the card, so that it
// shows on the green felt and on white faces alike. In design pixels.
inline constexpr double kHighlightGap = 4;    // from the card's edge to the middle of the frame
inline constexpr double kHighlightGold = 3;   // the gold line's width
inline constexpr double kHighlightInk = 1.5;  // each ink edge's width

// The board's labels.
enum class BoardLabel {
    ScoreTitle,
    Score,
    LeftPeakNotice,
    MiddlePeakNotice,
    RightPeakNotice,
    BigTitle,
    SmallTitle,
    SmallTitleShadow,
    BigTitleShadow,
    DrawsLeft
};

struct LabelDesign {
    QRect rect;
    QColor text;
    QColor back;  // transparent when invalid
    QString family;
    double points;
    bool bold;
    bool italic;
    Qt::Alignment align;
    bool autoSize;
    bool border;
};

[[nodiscard]] const LabelDesign& boardLabel(BoardLabel label);

// Stacking order of the board's pictures and labels, front to back.
enum class ElementKind { TowerCard, Cover, FaceUpCard, StockPile, Label };
struct Element {
    ElementKind kind;
    int index;  // the tower position of the card, or of the card under a cover; or the BoardLabel
    bool operator==(const Element&) const = default;
};
inline constexpr int kElementCount = kTowerCardCount + kCoveredCardCount + 1 + 1 + 10;
[[nodiscard]] const std::array<Element, kElementCount>& boardStacking();

// ---- The menu window ----
inline constexpr QSize kMenuSize{546, 297};  // 8190 x 4455
inline constexpr QRect kMenuLandscape = twipRect(315, 495, 3870, 2760);
inline constexpr QRect kMenuTitle = twipRect(-30, 0, 8235, 4485);
inline constexpr QRect kMenuRecords = twipRect(4560, 360, 3495, 3975);
inline constexpr int kMenuButtonTop = px(3825);
inline constexpr int kMenuButtonHeight = px(465);
struct ButtonDesign {
    int left;
    int width;
};
inline constexpr ButtonDesign kPlayButton{px(180), px(1230)};
inline constexpr ButtonDesign kQuitButton{px(1620), px(1275)};
inline constexpr ButtonDesign kAboutButton{px(3060), px(1230)};
inline constexpr ButtonDesign kHelpButton{px(6705), px(1275)};
inline constexpr auto kScoreRowTops =
    std::to_array({px(1125), px(1710), px(2295), px(2880), px(3420)});
inline constexpr int kScoreRowHeight = px(240);
inline constexpr int kNameLeft = px(4680);
inline constexpr int kScoreRight = px(7920);
inline constexpr int kNameScoreGap = 8;  // the least room between a name and its score
inline constexpr double kScorePoints = 9.75;

// ---- The about window ----
inline constexpr QSize kAboutSize{396, 237};       // 5940 x 3555
inline constexpr QPoint kAboutPosition{156, 129};  // 2340, 1935 from the screen's corner
inline constexpr auto kAboutCards = std::to_array(
    {twipRect(135, 900, 750, 1080), twipRect(540, 360, 750, 1080), twipRect(990, 765, 750, 1080)});
inline constexpr QRect kAboutTitle = twipRect(1845, 315, 3885, 480);
inline constexpr QRect kAboutVersion = twipRect(1845, 1035, 3885, 225);
inline constexpr QRect kAboutDescription = twipRect(1845, 1575, 3885, 630);
inline constexpr QRect kAboutDisclaimer = twipRect(240, 2610, 3870, 825);
inline constexpr QRect kAboutOk = twipRect(4320, 2625, 1500, 345);
inline constexpr QRect kAboutSystemInfo = twipRect(4320, 3075, 1485, 345);
inline constexpr QLine kAboutGreyLine{px(90), px(2445), px(5760), px(2445)};
inline constexpr QLine kAboutWhiteLine{px(105), px(2460), px(5654), px(2460)};
inline constexpr double kAboutTitlePoints = 18;
inline constexpr double kDialogFontPoints = 8;

// ---- The help window ----
inline constexpr QSize kHelpSize{437, 355};  // 6555 x 5325
inline constexpr QRect kHelpClip = twipRect(3270, 30, 1155, 585);
inline constexpr QRect kHelpRules = twipRect(60, 1320, 3135, 3585);
inline constexpr QRect kHelpHeading = twipRect(150, 30, 3195, 1350);
inline constexpr double kHelpRulesPoints = 12;
inline constexpr double kHelpHeadingPoints = 26.25;

}  // namespace crestaverde::design
