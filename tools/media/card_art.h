// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints the game's pictures: card faces, back, empty stock, neutral card, the menu's pictures and
// the frames of the help clip. All of it is drawn here, with no outside art.
// Each picture paints into a painter whose coordinates are its design size in pixels, so the same
// painting makes the bitmap and the scalable drawing. Nothing here clips or blends by composition
// mode, and text is painted as outlines: a scalable drawing keeps neither clips nor fonts.

#include <QImage>
#include <QPainter>
#include <QSize>

#include "cards.h"
#include "design.h"

namespace crestaverde::art {

// The card pictures' own pixels, which every face, back and blank is drawn in: the size of the
// bitmaps beside the drawings. Where the board puts a card, and how large, is the windows' own.
inline constexpr QSize kCardPictureSize{71, 96};
// The menu's and the help window's pictures each fill their place in the window.
inline constexpr QSize kMenuLandscapeSize = design::kMenuLandscape.size();
inline constexpr QSize kMenuBackdropSize = design::kMenuTitle.size();
inline constexpr QSize kScoreBoardSize = design::kMenuRecords.size();
inline constexpr QSize kClipSize = design::kHelpClip.size();
inline constexpr int kIconBox = 64;

// Transparent outside the rounded card, as are the back, the empty stock and the neutral card.
void paintCardFace(QPainter& p, Card card);
void paintCardBack(QPainter& p);
void paintEmptyStock(QPainter& p);
void paintNeutralCard(QPainter& p);
void paintMenuLandscape(QPainter& p);
void paintMenuBackdrop(QPainter& p);  // transparent over the score table
void paintScoreBoard(QPainter& p);
// The game's icon for desktops, in a kIconBox square: a card with the green crest and a diamond.
void paintAppIcon(QPainter& p);

[[nodiscard]] QImage clipFrame(int frame, int frameCount);

}  // namespace crestaverde::art
