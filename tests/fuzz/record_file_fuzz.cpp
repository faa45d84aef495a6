// Any bytes as a high-score file: reading never fails, and what is written reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "record_file.h"
#include "windows1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using crestaverde::RecordFile;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const crestaverde::ScoreTable table = RecordFile::parse(in);
    const std::string written = RecordFile::format(table);
    std::istringstream again(written);
    if (RecordFile::parse(again) != table) std::abort();
    for (const crestaverde::ScoreRow& row : table) {
        if (row.name.size() > RecordFile::kMaxLineBytes) std::abort();
        if (crestaverde::utf8ToWindows1252(crestaverde::windows1252ToUtf8(row.name)) != row.name) {
            std::abort();
        }
    }
    return 0;
}
