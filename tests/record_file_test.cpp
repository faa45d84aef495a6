// The high-score file: its exact form, every line end, and files that are not what they should be.

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <sstream>

#include "record_file.h"
#include "temp_folder.h"
#include "windows1252.h"

namespace crestaverde::testing {
namespace {

ScoreTable parseText(const std::string& bytes) {
    std::istringstream in(bytes);
    return RecordFile::parse(in);
}

ScoreTable sampleTable() {
    return {
        {{"Ana", "5000"}, {"Bea", "4000"}, {"Carla", "4000"}, {"Dani", "3000"}, {"Eva", "1000"}}};
}

TEST(RecordFormat, TenLinesFillFiveRowsInOrder) {
    const ScoreTable table = parseText("a\r\n1\r\nb\r\n2\r\nc\r\n3\r\nd\r\n4\r\ne\r\n5\r\n");
    EXPECT_EQ(table[0], (ScoreRow{"a", "1"}));
    EXPECT_EQ(table[4], (ScoreRow{"e", "5"}));
}

TEST(RecordFormat, AcceptsEveryLineEndAndALastLineWithoutOne) {
    const ScoreTable expected = {{{"a", "1"}, {"b", "2"}, {"", ""}, {"", ""}, {"", ""}}};
    EXPECT_EQ(parseText("a\r\n1\r\nb\r\n2\r\n"), expected);
    EXPECT_EQ(parseText("a\n1\nb\n2\n"), expected);
    EXPECT_EQ(parseText("a\r1\rb\r2\r"), expected);
    EXPECT_EQ(parseText("a\r\n1\nb\r2"), expected);
}

TEST(RecordFormat, ShortOddAndLongFiles) {
    EXPECT_EQ(parseText(""), ScoreTable{});
    const ScoreTable odd = parseText("a\r\n1\r\nb\r\n");
    EXPECT_EQ(odd[1], (ScoreRow{"b", ""}));
    std::string eleven;
    for (int i = 0; i < 14; ++i) eleven += "line" + std::to_string(i) + "\r\n";
    const ScoreTable longer = parseText(eleven);
    EXPECT_EQ(longer[4], (ScoreRow{"line8", "line9"}));
    EXPECT_EQ(RecordFile::format(longer).find("line10"), std::string::npos);
}

TEST(RecordFormat, EmptyRowsWriteAsEmptyLines) {
    ScoreTable table;
    table[0] = {"Ana", "300"};
    EXPECT_EQ(RecordFile::format(table), "Ana\r\n300\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(RecordFormat, OverlongLinesReadAsEmptyAndHugeFilesReadOnlyAsFarAsNeeded) {
    const std::string huge(5 * 1024 * 1024, 'x');
    const ScoreTable table = parseText(huge + "\r\n12\r\n");
    EXPECT_EQ(table[0], ScoreRow{});  // reading stopped inside the huge line
    const ScoreTable capped = parseText(std::string(5000, 'y') + "\r\n12\r\n");
    EXPECT_EQ(capped[0], (ScoreRow{"", "12"}));
}

TEST(RecordFile, WritesTheExactBytesAndReadsThemBack) {
    TempFolder folder;
    const RecordFile file(folder.file("record.ini"));
    ScoreTable table = sampleTable();
    table[0].name = utf8ToWindows1252("Íñigo Álvarez €");
    ASSERT_TRUE(file.write(table));
    const std::string bytes = readBytes(file.path());
    const std::string expectedStart("\xCD\xF1igo \xC1lvarez \x80\r\n5000\r\n");
    EXPECT_EQ(bytes.substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(bytes.size(), RecordFile::format(table).size());
    const RecordFile::ReadResult back = file.read();
    EXPECT_EQ(back.status, RecordFile::ReadStatus::Read);
    EXPECT_EQ(back.table, table);
    EXPECT_EQ(windows1252ToUtf8(back.table[0].name), "Íñigo Álvarez €");
}

TEST(RecordFile, AMissingFileIsAnEmptyTable) {
    TempFolder folder;
    const RecordFile::ReadResult result = RecordFile(folder.file("record.ini")).read();
    EXPECT_EQ(result.status, RecordFile::ReadStatus::Missing);
    EXPECT_EQ(result.table, ScoreTable{});
}

TEST(RecordFile, AFolderInItsPlaceIsUnreadable) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("record.ini"));
    EXPECT_EQ(RecordFile(folder.file("record.ini")).read().status,
              RecordFile::ReadStatus::Unreadable);
}

TEST(RecordFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryOne) {
    TempFolder folder;
    const RecordFile file(folder.file("record.ini"));
    ASSERT_TRUE(file.write(sampleTable()));
    const std::string before = readBytes(file.path());
    {
        const FullDisk full;
        EXPECT_FALSE(file.write(ScoreTable{{{"Otro", "1"}}}));
    }
    EXPECT_EQ(readBytes(file.path()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2);  // the table and its lock file
}

TEST(RecordFile, AReadOnlyFolderFailsTheWrite) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    TempFolder folder;
    const RecordFile file(folder.file("record.ini"));
    std::filesystem::permissions(
        folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(file.write(sampleTable()));
}

TEST(RecordFile, AWriteIntoAMissingFolderFails) {
    TempFolder folder;
    EXPECT_FALSE(RecordFile(folder.file("gone") / "record.ini").write(sampleTable()));
}

TEST(RecordFile, AnyBytesReadAndWriteBackUnchanged) {
    TempFolder folder;
    const RecordFile file(folder.file("record.ini"));
    std::mt19937 rng(99);
    constexpr char kAlphabet[] = "\r\n\0\x81\x8D\x8F\x90\x9D\x80\xF1 a9-";
    const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(rng() % 200, '\0');
        for (char& c : bytes) {
            c = rng() % 3 == 0 ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
        }
        const ScoreTable table = parseText(bytes);
        ASSERT_TRUE(file.write(table));
        const std::string written = readBytes(file.path());
        std::size_t breaks = 0;
        for (std::size_t pos = written.find("\r\n"); pos != std::string::npos;
             pos = written.find("\r\n", pos + 2)) {
            ++breaks;
        }
        ASSERT_EQ(breaks, 10U);
        ASSERT_EQ(written.substr(written.size() - 2), "\r\n");
        ASSERT_EQ(file.read().table, table);
        // Every byte survives the trip through the characters the menu shows.
        for (const ScoreRow& row : table) {
            ASSERT_EQ(utf8ToWindows1252(windows1252ToUtf8(row.name)), row.name);
        }
    }
}

TEST(Windows1252, MapsTheUpperControlRangeAndReplacesWhatItCannotHold) {
    EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x9F\xF1"), "€ŠŸñ");
    EXPECT_EQ(utf8ToWindows1252("€ŠŸñ"), "\x80\x8A\x9F\xF1");
    EXPECT_EQ(utf8ToWindows1252("Łódź 日本"),
              "?\xF3"
              "d? ??");
    EXPECT_EQ(utf8ToWindows1252("a\xFF"
                                "b"),
              "a?b");  // not UTF-8 at all
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(one)), one) << byte;
    }
}

}  // namespace
}  // namespace crestaverde::testing
