// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start menu's record table on the accessibility bus, a row at a time: each name label reads
// its whole row, "name, score", and the score label beside it is left out, so that no score is
// read twice.

namespace crestaverde {

// Before the first menu window exists.
void installMenuAccessibility();

}  // namespace crestaverde
