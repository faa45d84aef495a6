// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a score and as a name: numbers read without overflow or a value that cannot be
// compared, the scores the game writes read back exactly, and the code page round trip holds.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "numeric_text.h"
#include "score_entry.h"
#include "windows1252.h"

namespace {

void checkNumbers(std::string_view text) {
    using namespace crestaverde;
    const double score = scoreValue(text);
    if (score != score || score - score != 0) std::abort();  // NaN or infinite
    if (text.size() >= sizeof(std::int32_t)) {
        std::int32_t value = 0;
        std::memcpy(&value, text.data(), sizeof value);
        const std::string written = std::to_string(value);  // as the table stores a score
        if (numericValue(written) != value || scoreValue(written) != value) std::abort();
    }
}

void checkCodePage(std::string_view bytes) {
    using namespace crestaverde;
    // Every byte of a file survives the trip through the characters the menu shows.
    if (utf8ToWindows1252(windows1252ToUtf8(bytes)) != bytes) std::abort();
    // Whatever a player types becomes at most one byte per character, and settles at once.
    const std::string stored = utf8ToWindows1252(bytes);
    if (stored.size() > bytes.size()) std::abort();
    if (utf8ToWindows1252(windows1252ToUtf8(stored)) != stored) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkNumbers(text);
    checkCodePage(text);
    return 0;
}
