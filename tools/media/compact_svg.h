// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawings as the game reads them at every start: what the SVG generator writes, without
// the state it repeats on every group and the digits no screen shows. Smaller files are parsed
// sooner.

#include <QByteArray>

namespace crestaverde::art {

// The same drawing in fewer bytes; a document that does not parse is returned as it was.
[[nodiscard]] QByteArray compactSvg(const QByteArray& svg);

}  // namespace crestaverde::art
