#pragma once
// Paints the game's pictures: card faces, back, empty stock, neutral card, the menu's pictures and
// the frames of the help clip. All of it is drawn here, with no outside art.

#include <QImage>
#include <QString>

namespace crestaverde::art {

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;

[[nodiscard]] QImage cardFace(char rank, char suit);  // transparent outside the rounded card
[[nodiscard]] QImage cardBack();
[[nodiscard]] QImage emptyStock();
[[nodiscard]] QImage neutralCard();
[[nodiscard]] QImage menuLandscape();  // fondo2, 258 x 184
[[nodiscard]] QImage menuBackdrop();   // intro, 549 x 299, transparent over the score table
[[nodiscard]] QImage scoreBoard();     // hi-score, 233 x 265
[[nodiscard]] QImage clipFrame(int frame, int frameCount);  // 77 x 39
// The game's icon for desktops: a card with the green crest and a red diamond.
[[nodiscard]] QImage appIcon(int size);
[[nodiscard]] QString appIconSvg();

}  // namespace crestaverde::art
