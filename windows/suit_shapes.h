// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four card suits as vector shapes, shared by the card art and the window icons.

#include <QColor>
#include <QPainterPath>
#include <QRectF>

#include "cards.h"

namespace crestaverde {

[[nodiscard]] QPainterPath suitPath(Suit suit, const QRectF& box);
[[nodiscard]] QColor suitColor(Suit suit);

}  // namespace crestaverde
