#pragma once
// The windows' icons and the board's hand cursor, drawn by the program itself.

#include <QCursor>
#include <QIcon>

#include "suit_shapes.h"

namespace crestaverde {

// A suit in its colour with a grey shadow, at 16 and 32 pixels.
[[nodiscard]] QIcon suitIcon(Suit suit);
// A hand with the index finger raised: black outline, white fill, hot spot at its tip.
[[nodiscard]] QCursor handCursor();

}  // namespace crestaverde
