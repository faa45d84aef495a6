// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score file: its exact form, every line end, odd files, and the code page.

#include <gtest/gtest.h>

#include "record_file.h"
#include "temp_folder.h"
#include "windows1252.h"

namespace crestaverde::testing {
namespace {

const ScoreTable kSample = {
    {{"Ana", "5000"}, {"Bea", "4000"}, {"Carla", "4000"}, {"Dani", "3000"}, {"Eva", "1000"}}};

// Whether the table, put whole in the file's place the way every save of the game goes, was saved.
bool saved(const RecordFile& file, const ScoreTable& table) {
    return file.update([&table](ScoreTable& t) { t = table; }).status ==
           RecordFile::SaveStatus::Saved;
}

TEST(RecordFormat, EveryLineEndShortOddLongAndOverlongFiles) {
    const ScoreTable two = {{{"a", "1"}, {"b", "2"}, {"", ""}, {"", ""}, {"", ""}}};
    std::string fourteen;
    for (int i = 0; i < 14; ++i) fourteen += "line" + std::to_string(i) + "\r\n";
    const std::vector<std::pair<std::string, ScoreTable>> cases = {
        {"a\r\n1\r\nb\r\n2\r\n", two},
        {"a\n1\nb\n2\n", two},
        {"a\r1\rb\r2\r", two},
        {"a\r\n1\nb\r2", two},  // a last line without its end
        {"", ScoreTable{}},
        {"a\r\n1\r\nb\r\n", {{{"a", "1"}, {"b", ""}}}},
        {fourteen,
         {{{"line0", "line1"},
           {"line2", "line3"},
           {"line4", "line5"},
           {"line6", "line7"},
           {"line8", "line9"}}}},
        {std::string(5000, 'y') + "\r\n12\r\n", {{{"", "12"}}}},   // an overlong line reads empty
        {std::string(5 << 20, 'x') + "\r\n12\r\n", ScoreTable{}},  // reading stops inside it
    };
    for (const auto& [bytes, table] : cases) {
        EXPECT_EQ(RecordFile::parse(bytes), table) << bytes.substr(0, 40);
    }
    EXPECT_EQ(RecordFile::format({{{"Ana", "300"}}}),
              "Ana\r\n300\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(RecordFile, WritesTheExactBytesAndReadsThemBack) {
    TempFolder folder;
    const RecordFile file(folder.file("record.ini"));
    EXPECT_EQ(file.read().status, RecordFile::ReadStatus::Missing);
    ScoreTable table = kSample;
    table[0].name = utf8ToWindows1252("Íñigo Álvarez €");
    ASSERT_TRUE(saved(file, table));
    EXPECT_EQ(readBytes(file.path()), RecordFile::format(table));
    EXPECT_TRUE(readBytes(file.path()).starts_with("\xCD\xF1igo \xC1lvarez \x80\r\n5000\r\n"));
    const RecordFile::ReadResult back = file.read();
    EXPECT_EQ(back.status, RecordFile::ReadStatus::Read);
    EXPECT_EQ(back.table, table);
}

TEST(RecordFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryOne) {
    TempFolder folder;
    const RecordFile file(folder.file("record.ini"));
    ASSERT_TRUE(saved(file, kSample));
    {
        const FullDisk full;
        EXPECT_FALSE(saved(file, ScoreTable{{{"Otro", "1"}}}));
    }
    EXPECT_EQ(file.read().table, kSample);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}),
              1);  // the table alone: the lock needs no file of its own
    EXPECT_FALSE(saved(RecordFile(folder.file("gone") / "record.ini"), kSample));
}

TEST(Windows1252, MapsTheUpperControlRangeAndReplacesWhatItCannotHold) {
    EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x9F\xF1"), "€ŠŸñ");
    EXPECT_EQ(utf8ToWindows1252("€ŠŸñ\x7F"), "\x80\x8A\x9F\xF1\x7F");
    // Past U+10FFFF and surrogates are no characters: a "?" for each of their bytes.
    EXPECT_EQ(
        utf8ToWindows1252("Łódź 日本 \xF4\x8F\xBF\xBF \xF4\x90\x80\x80 \xED\xA0\x80\xED\xBF\xBF"),
        "?\xF3"
        "d? ?? ? ???? ??????");
    EXPECT_EQ(utf8ToWindows1252("a\xFF"
                                "b\xC3"),
              "a?b?");  // not UTF-8 at all, or cut short
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(one)), one) << byte;
    }
}

}  // namespace
}  // namespace crestaverde::testing
