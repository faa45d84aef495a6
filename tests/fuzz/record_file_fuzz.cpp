// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a high-score file: reading never fails, no field passes its cap, and what is
// written reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "record_file.h"
#include "windows1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using crestaverde::RecordFile;
    const crestaverde::ScoreTable table =
        RecordFile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (RecordFile::parse(RecordFile::format(table)) != table) std::abort();
    for (const crestaverde::ScoreRow& row : table) {
        if (row.name.size() > crestaverde::kMaxNameChars) std::abort();
        if (row.score.size() > RecordFile::kMaxLineBytes) std::abort();
        if (row.name.find_first_of("\r\n") != std::string::npos) std::abort();
        if (crestaverde::utf8ToWindows1252(crestaverde::windows1252ToUtf8(row.name)) != row.name) {
            std::abort();
        }
    }
    return 0;
}
