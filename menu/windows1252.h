// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The high-score file stores one byte per character in the Windows-1252 code page; the rest of
// the program speaks UTF-8.

#include <string>
#include <string_view>

namespace crestaverde {

// Every byte has a character: the five bytes the code page leaves undefined become the control
// characters of the same number, so that any file reads and writes back unchanged.
[[nodiscard]] std::string windows1252ToUtf8(std::string_view bytes);

// Characters the code page cannot hold, and bytes that are not valid UTF-8, become "?".
[[nodiscard]] std::string utf8ToWindows1252(std::string_view text);

}  // namespace crestaverde
