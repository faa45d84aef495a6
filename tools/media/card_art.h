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

namespace crestaverde::art {

inline constexpr QSize kCardSize{71, 96};
inline constexpr QSize kMenuLandscapeSize{258, 184};
inline constexpr QSize kMenuBackdropSize{549, 299};
inline constexpr QSize kScoreBoardSize{233, 265};
inline constexpr QSize kClipSize{77, 39};
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
