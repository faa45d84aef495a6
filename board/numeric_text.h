#pragma once
// How the game reads numbers out of texts and writes them back.

#include <cstdint>
#include <string>
#include <string_view>

namespace crestaverde {

// The number that the leading characters of a text form: blanks, tabs and line feeds are
// skipped wherever they stand; then an optional sign, digits, an optional point with digits and
// an optional exponent. Reading stops at the first character that cannot continue the number;
// a text that does not begin with one counts as 0.
[[nodiscard]] double numericValue(std::string_view text);

// Decimal digits, "-" when negative; no leading blank, no separators.
[[nodiscard]] std::string numberToText(std::int64_t value);

// A caption the board wrote itself: optional leading blanks, then decimal digits. Saturates
// instead of overflowing, so a score that grew without bound still reads as the largest value.
[[nodiscard]] std::int64_t captionNumber(std::string_view caption);

}  // namespace crestaverde
