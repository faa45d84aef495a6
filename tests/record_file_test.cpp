// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score file: its exact form, every line end, odd files, and the code page; and what can
// go wrong around it: read errors, things that are not files, links, permissions, caps, crashed
// saves and a folder that must reach the disk.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <sstream>

#include "record_file.h"
#include "replace_file.h"
#include "score_entry.h"
#include "temp_folder.h"
#include "windows1252.h"

namespace crestaverde::testing {
namespace {

namespace fs = std::filesystem;

const std::string kSample = "A\r\n5000\r\nB\r\n4000\r\nC\r\n3000\r\nD\r\n2000\r\nE\r\n1000\r\n";

// Whether the table, put whole in the file's place the way every save of the game goes, was saved.
bool saved(const RecordFile& file, const ScoreTable& table) {
    return file.update([&table](ScoreTable& t) { t = table; }).status ==
           RecordFile::SaveStatus::Saved;
}

TEST(RecordFormat, EveryLineEndShortOddLongAndOverlongFiles) {
    const ScoreTable two = {{{"a", "1"}, {"b", "2"}, {"", ""}, {"", ""}, {"", ""}}};
    std::string manyLines;  // two thousand lines, of which the first ten are read
    for (int row = 0; row < 1000; ++row) manyLines += "n\r\n" + std::to_string(row) + "\r\n";
    const std::vector<std::pair<std::string, ScoreTable>> cases = {
        {"a\r\n1\r\nb\r\n2\r\n", two},
        {"a\n1\nb\n2\n", two},
        {"a\r1\rb\r2\r", two},
        {"a\r\n1\nb\r2", two},         // a last line without its end
        {"\r\n1\r\n", {{{"", "1"}}}},  // the top score's name box cancelled
        {"", ScoreTable{}},
        {"a\r\n1\r\nb\r\n", {{{"a", "1"}, {"b", ""}}}},
        {kSample + "F\r\n900\r\nG\r\n800\r\n",  // ten lines read
         {{{"A", "5000"}, {"B", "4000"}, {"C", "3000"}, {"D", "2000"}, {"E", "1000"}}}},
        {manyLines, {{{"n", "0"}, {"n", "1"}, {"n", "2"}, {"n", "3"}, {"n", "4"}}}},
        {std::string(5000, 'y') + "\r\n12\r\n", {{{"", "12"}}}},   // an overlong line reads empty
        {std::string(5 << 20, 'x') + "\r\n12\r\n", ScoreTable{}},  // reading stops inside it
    };
    for (const auto& [bytes, table] : cases) {
        EXPECT_EQ(RecordFile::parse(bytes), table) << bytes.substr(0, 40);
    }
    EXPECT_EQ(RecordFile::format({{{"Ana", "300"}}}),
              "Ana\r\n300\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

// The folder is synced once the new file has its name, so that the rename reaches the disk too.
TEST(RecordFile, WritesTheExactBytesDurablyAndReadsThemBack) {
    TempFolder folder;
    const fs::path path = folder.file("record.ini");
    bool folderSyncedAfterRename = false;
    FileCalls calls;
    calls.fsync = [&](int fd) {
        if (struct stat info{}; ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
            folderSyncedAfterRename = readBytes(path).starts_with("\xCD");
        return ::fsync(fd);
    };
    const RecordFile file(path, calls);
    EXPECT_EQ(file.read().status, RecordFile::ReadStatus::Missing);
    ScoreTable table = RecordFile::parse(kSample);
    table[0].name = utf8ToWindows1252("Íñigo Álvarez €");
    ASSERT_TRUE(saved(file, table));
    EXPECT_TRUE(folderSyncedAfterRename);
    EXPECT_EQ(readBytes(path), "\xCD\xF1igo \xC1lvarez \x80" + kSample.substr(1));
    const RecordFile::ReadResult back = file.read();
    EXPECT_EQ(std::pair(back.status, back.table), std::pair(RecordFile::ReadStatus::Read, table));
}

TEST(RecordFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryOne) {
    TempFolder folder;
    const RecordFile file(folder.file("record.ini"));
    ASSERT_TRUE(saved(file, RecordFile::parse(kSample)));
    {
        const FullDisk full;
        EXPECT_FALSE(saved(file, ScoreTable{{{"Otro", "1"}}}));
    }
    EXPECT_EQ(readBytes(file.path()), kSample);
    // The table alone: the lock needs no file of its own.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
    EXPECT_FALSE(saved(RecordFile(folder.file("gone") / "record.ini"), ScoreTable{}));
}

TEST(Windows1252, MapsTheUpperControlRangeAndReplacesWhatItCannotHold) {
    EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x9F\xF1"), "€ŠŸñ");
    // U+0080 is no character of the code page: as byte 0x80 it would read back as "€".
    EXPECT_EQ(utf8ToWindows1252("€ŠŸñ\x7F\xC2\x80"), "\x80\x8A\x9F\xF1\x7F?");
    // Past U+10FFFF and surrogates are no characters: a "?" for each of their bytes.
    EXPECT_EQ(
        utf8ToWindows1252("Łódź 日本 \xF4\x8F\xBF\xBF \xF4\x90\x80\x80 \xED\xA0\x80\xED\xBF\xBF"),
        "?\xF3\x64? ?? ? ???? ??????");
    EXPECT_EQ(utf8ToWindows1252("a\xFF\x62\xC3"
                                "A\xC3"),
              "a?b?A?");  // not UTF-8, or cut short
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(one)), one) << byte;
    }
}

// A read that fails with the given error on the nth call and works otherwise.
FileCalls failingRead(int failingCall, int error) {
    FileCalls calls;
    calls.read = [count = 0, failingCall, error](int fd, void* buffer,
                                                 std::size_t size) mutable -> ssize_t {
        return ++count == failingCall ? (errno = error, -1) : ::read(fd, buffer, size);
    };
    return calls;
}

// Read errors, and what is no regular file: a read that hangs holds the test until the test
// runner's own time limit fails it. A table that could not be read is never replaced.
TEST(RecordSafety, WhatCannotBeReadIsUnreadableWithoutThrowingNorHanging) {
    TempFolder folder;
    writeBytes(folder.file("record.ini"), kSample);
    fs::create_directory(folder.file("folder"));
    ::mkfifo(folder.file("fifo").c_str(), 0644);
    fs::create_symlink("/dev/null", folder.file("null"));
    fs::create_symlink("/proc/self/mem", folder.file("memory"));
    const std::tuple<const char*, int, int> cases[] = {
        {"record.ini", 1, EIO}, {"record.ini", 2, EIO}, {"folder", 0, 0},        {"fifo", 0, 0},
        {"null", 0, 0},         {"memory", 0, 0},       {"record.ini", 1, EINTR}};
    using enum RecordFile::ReadStatus;
    for (const auto& [name, failingCall, error] : cases) {
        const bool readable = error == EINTR;
        const auto result = RecordFile(folder.file(name), failingRead(failingCall, error)).read();
        EXPECT_EQ(result.status, readable ? Read : Unreadable) << name << " " << error;
        EXPECT_EQ(result.table[0].name, readable ? "A" : "") << name;
        if (error != 0) {  // no save goes near a device
            EXPECT_EQ(saved(RecordFile(folder.file(name), failingRead(failingCall, error)), {}),
                      readable);
        }
    }
}

// The kernel follows forty links in a path; so does the save, to the file at the chain's end,
// and no further.
TEST(RecordSafety, ASaveThroughFortyLinksReplacesTheirTargetKeepingItsModeAndTheLinks) {
    TempFolder folder;
    fs::create_directory(folder.file("real"));
    writeBytes(folder.file("real/scores.ini"), kSample);
    std::string target = "real/scores.ini";
    for (int link = 1; link <= 40; ++link) {
        fs::create_symlink(target, folder.file("link" + std::to_string(link)));
        target = "link" + std::to_string(link);
    }
    const RecordFile file(folder.file(target));
    EXPECT_EQ(file.read().table[1].name, "B");
    for (const fs::perms mode : {fs::perms(0444), fs::perms(0640)}) {
        fs::permissions(folder.file("real/scores.ini"), mode);
        ASSERT_TRUE(saved(file, ScoreTable{{{"Z", "1"}}}));
        EXPECT_TRUE(fs::is_symlink(folder.file(target)) && fs::is_symlink(folder.file("link1")));
        EXPECT_EQ(fs::status(folder.file("real/scores.ini")).permissions(), mode);
    }
    EXPECT_EQ(readBytes(folder.file("real/scores.ini")), RecordFile::format({{{"Z", "1"}}}));
    fs::create_symlink(target, folder.file("link41"));
    EXPECT_EQ(linkTarget(folder.file("link41")), folder.file("link1"));
}

TEST(RecordSafety, CapsNeverCutANameTheGameWroteNorANumber) {
    TempFolder folder;
    const RecordFile file(folder.file("record.ini"));
    const auto result = file.update([](ScoreTable& t) { t[0] = {std::string(300, 'n'), "7"}; });
    EXPECT_EQ(result.table[0].name, std::string(255, 'n'));
    EXPECT_EQ(file.read().table, result.table);
    // A table cut by the byte cap loses its last line whole, never a digit of it, whether read
    // from a string, a stream or the file, all in chunks whose last may hold a single byte.
    const std::string rest = "\r\n1\r\nb\r\n2\r\nc\r\n3\r\nd\r\n4\r\ne\r\n55555";
    for (const std::size_t size :
         {RecordFile::kMaxScannedBytes, RecordFile::kMaxScannedBytes + 1}) {
        const std::string bytes = std::string(size - rest.size(), 'x') + rest;
        std::istringstream in(bytes);
        writeBytes(folder.file("big.ini"), bytes);
        for (const ScoreTable& table : {RecordFile::parse(bytes), RecordFile::parse(in),
                                        RecordFile(folder.file("big.ini")).read().table}) {
            EXPECT_EQ(table[4], (ScoreRow{"e", size > RecordFile::kMaxScannedBytes ? "" : "55555"}))
                << size;
        }
    }
}

TEST(RecordSafety, AScoreThatIsNoFiniteNumberCountsAsZeroAndIsDisplaced) {
    for (const char* text : {"0e999", "1e999", "-1e999"}) {
        ScoreTable table = {{{"a", "9"}, {"b", "8"}, {"c", "7"}, {"d", "6"}, {"e", text}}};
        enterScore(table, {"f", "1"}, 1);
        EXPECT_EQ(table[4], (ScoreRow{"f", "1"})) << text;
    }
}

TEST(RecordSafety, ASaveRemovesOnlyItsOwnStaleTemporaryFiles) {
    TempFolder folder;
    // The first two are its own, stopped an hour and a minute ago: they go. A save still running
    // elsewhere (5 s) and other names stay.
    const std::pair<const char*, int> files[] = {
        {"record.ini.Ab12Cd", 3600}, {"record.ini.Ef34Gh", 61},   {"record.ini.Zz99zz", 5},
        {"record.ini.old1", 3600},   {"record.ini.old-12", 3600}, {"other.ini.Ab12Cd", 3600},
        {"record.ini-Ab12Cd", 3600}, {"xecord.ini.Ab12Cd", 3600}};
    for (const auto& [name, age] : files) {
        writeBytes(folder.file(name), "x");
        fs::last_write_time(folder.file(name),
                            fs::file_time_type::clock::now() - std::chrono::seconds(age));
    }
    ASSERT_TRUE(saved(RecordFile(folder.file("record.ini")), ScoreTable{}));
    for (const auto& [name, age] : files) {
        EXPECT_EQ(fs::exists(folder.file(name)), &name > &files[1].first) << name;
    }
}

}  // namespace
}  // namespace crestaverde::testing
