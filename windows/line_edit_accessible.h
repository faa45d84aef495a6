// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text fields on the accessibility bus. Qt's own interface for a QLineEdit gives every character
// a text-attribute run of its own that ends where it starts, and a screen reader that joins the
// runs up to read a line stops one character short ("Introduzca su nombr"). This one reports the
// field's text as the single run it is, and otherwise answers as Qt's does.

namespace crestaverde {

// Gives every QLineEdit this interface; before the first one exists.
void installLineEditAccessibility();

}  // namespace crestaverde
