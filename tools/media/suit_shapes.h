// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four card suits as vector shapes and their colours, which the card art paints with.

#include <QColor>
#include <QPainterPath>
#include <QRectF>

#include "cards.h"

namespace crestaverde::art {

[[nodiscard]] QPainterPath suitPath(Suit suit, const QRectF& box);
[[nodiscard]] QColor suitColor(Suit suit);

}  // namespace crestaverde::art
