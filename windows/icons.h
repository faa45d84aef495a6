// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows' icons and the board's hand cursor, drawn by the program itself.

#include <QCursor>
#include <QIcon>

namespace crestaverde {

// The program's own icon at every size it is drawn at; every window carries it.
[[nodiscard]] QIcon appIcon();
// A hand with the index finger raised: black outline, white fill, hot spot at its tip.
[[nodiscard]] QCursor handCursor();

}  // namespace crestaverde
