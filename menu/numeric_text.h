// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the record table reads a score out of its text.

#include <string_view>

namespace crestaverde {

// The number that the leading characters of a text form: blanks, tabs and line feeds are
// skipped wherever they stand; then an optional sign, digits, an optional point with digits and
// an optional exponent. Reading stops at the first character that cannot continue the number;
// a text that does not begin with one counts as 0.
[[nodiscard]] double numericValue(std::string_view text);

}  // namespace crestaverde
