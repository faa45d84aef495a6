// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score file against what can go wrong around it: read errors, things that are not
// files, links, permissions, caps, crashed saves and a folder that must reach the disk.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <sstream>

#include "record_file.h"
#include "replace_file.h"
#include "score_entry.h"
#include "table_lock.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

namespace fs = std::filesystem;

const std::string kSample = "A\r\n5000\r\nB\r\n4000\r\nC\r\n3000\r\nD\r\n2000\r\nE\r\n1000\r\n";

// Whether the table, put whole in the file's place the way every save of the game goes, was saved.
bool saved(const RecordFile& file, const ScoreTable& table) {
    return file.update([&table](ScoreTable& t) { t = table; }).status ==
           RecordFile::SaveStatus::Saved;
}

// A read that fails with the given error on the nth call and works otherwise.
FileCalls failingRead(int failingCall, int error) {
    FileCalls calls;
    calls.read = [count = 0, failingCall, error](int fd, void* buffer,
                                                 std::size_t size) mutable -> ssize_t {
        if (++count == failingCall) return errno = error, -1;
        return ::read(fd, buffer, size);
    };
    return calls;
}

TEST(RecordSafety, ReadErrorsMakeTheTableUnreadableWithoutThrowing) {
    using enum RecordFile::ReadStatus;
    const std::tuple<int, int, RecordFile::ReadStatus> cases[] = {
        {1, EIO, Unreadable}, {2, EIO, Unreadable}, {1, EINTR, Read}};
    TempFolder folder;
    writeBytes(folder.file("record.ini"), kSample);
    for (const auto& [failingCall, error, expected] : cases) {
        const fs::path path = folder.file("record.ini");
        const RecordFile::ReadResult result =
            RecordFile(path, failingRead(failingCall, error)).read();
        EXPECT_EQ(result.status, expected) << failingCall << " " << error;
        EXPECT_EQ(result.table[0].name, expected == Read ? "A" : "");
        const RecordFile::UpdateResult update =
            RecordFile(path, failingRead(failingCall, error)).update([](ScoreTable& t) {
                t[0].name = "X";
            });
        EXPECT_EQ(update.status == RecordFile::SaveStatus::Saved, expected == Read);
    }
}

TEST(RecordSafety, WhatIsNoRegularFileIsUnreadableAndNeverHangs) {
    TempFolder folder;
    const std::vector<std::function<void(const fs::path&)>> makers = {
        [](const fs::path& p) { fs::create_directory(p); },
        [](const fs::path& p) { ::mkfifo(p.c_str(), 0644); },
        [](const fs::path& p) { fs::create_symlink("/dev/null", p); },
        [](const fs::path& p) { fs::create_symlink("/proc/self/mem", p); },
    };
    for (std::size_t i = 0; i < makers.size(); ++i) {
        const fs::path path = folder.file("record" + std::to_string(i) + ".ini");
        makers[i](path);
        // A read that hangs holds the test until the test runner's own time limit fails it.
        EXPECT_EQ(RecordFile(path).read().status, RecordFile::ReadStatus::Unreadable) << i;
    }
}

TEST(RecordSafety, ALinkStaysALinkToItsReplacedTargetAndAReplacedFileKeepsItsMode) {
    TempFolder folder;
    fs::create_directory(folder.file("real"));
    writeBytes(folder.file("real/scores.ini"), kSample);
    fs::create_symlink("real/scores.ini", folder.file("record.ini"));
    const RecordFile file(folder.file("record.ini"));
    EXPECT_EQ(file.read().table[1].name, "B");
    for (const fs::perms mode : {fs::perms(0444), fs::perms(0640)}) {
        fs::permissions(folder.file("real/scores.ini"), mode);
        ASSERT_TRUE(saved(file, ScoreTable{{{"Z", "1"}}}));
        EXPECT_TRUE(fs::is_symlink(folder.file("record.ini")));
        EXPECT_EQ(fs::status(folder.file("real/scores.ini")).permissions(), mode);
    }
    EXPECT_EQ(readBytes(folder.file("real/scores.ini")), RecordFile::format({{{"Z", "1"}}}));
}

TEST(RecordSafety, CapsNeverCutANameTheGameWroteNorANumber) {
    const std::string longName(300, 'n');
    TempFolder folder;
    const RecordFile file(folder.file("record.ini"));
    const RecordFile::UpdateResult result = file.update([&](ScoreTable& t) {
        t[0] = {longName, "7"};
    });
    EXPECT_EQ(result.table[0].name, longName.substr(0, kMaxNameChars));
    EXPECT_EQ(file.read().table, result.table);
    // A file cut by the byte cap loses its last line whole, never a digit of it.
    const std::string rest = "\r\n1\r\nb\r\n2\r\nc\r\n3\r\nd\r\n4\r\ne\r\n55555";
    for (const std::size_t size :
         {RecordFile::kMaxScannedBytes, RecordFile::kMaxScannedBytes + 1}) {
        const ScoreTable table = RecordFile::parse(std::string(size - rest.size(), 'x') + rest);
        EXPECT_EQ(table[4].name, "e");
        EXPECT_EQ(table[4].score, size > RecordFile::kMaxScannedBytes ? "" : "55555") << size;
    }
}

TEST(RecordSafety, AScoreThatIsNoFiniteNumberCountsAsZeroAndIsDisplaced) {
    for (const char* text : {"0e999", "1e999", "-1e999"}) {
        ScoreTable table = {{{"a", "9"}, {"b", "8"}, {"c", "7"}, {"d", "6"}, {"e", text}}};
        EXPECT_TRUE(enterScore(table, {"f", "1"}, 1));
        EXPECT_EQ(table[4], (ScoreRow{"f", "1"})) << text;
    }
}

TEST(RecordSafety, ASaveRemovesOnlyItsOwnStaleTemporaryFiles) {
    TempFolder folder;
    const std::pair<const char*, int> files[] = {{"record.ini.Ab12Cd", 3600},
                                                 {"record.ini.Zz99zz", 5},  // a save elsewhere
                                                 {"record.ini.old1", 3600},
                                                 {"record.ini.old-12", 3600},
                                                 {"other.ini.Ab12Cd", 3600}};
    for (const auto& [name, age] : files) {
        writeBytes(folder.file(name), "x");
        const timespec when[2] = {{std::time(nullptr) - age, 0}, {std::time(nullptr) - age, 0}};
        ::utimensat(AT_FDCWD, folder.file(name).c_str(), when, 0);
    }
    ASSERT_TRUE(saved(RecordFile(folder.file("record.ini")), ScoreTable{}));
    for (const auto& [name, age] : files) {
        EXPECT_EQ(fs::exists(folder.file(name)), &name != &files[0].first) << name;
    }
}

TEST(RecordSafety, TheFolderIsSyncedAfterTheRename) {
    TempFolder folder;
    const fs::path path = folder.file("record.ini");
    bool folderSyncedAfterRename = false;
    FileCalls calls;
    calls.fsync = [&](int fd) {
        struct stat info {};
        ::fstat(fd, &info);
        if (S_ISDIR(info.st_mode)) folderSyncedAfterRename = readBytes(path).starts_with("Nuevo");
        return ::fsync(fd);
    };
    ASSERT_TRUE(saved(RecordFile(path, calls), ScoreTable{{{"Nuevo", "1"}}}));
    EXPECT_TRUE(folderSyncedAfterRename);
}

// The lock is the folder's: files beside the table that the player cannot open, or links to
// nowhere, play no part, and nothing is created beside the table.
TEST(RecordSafety, NoFileBesideTheTableCanStopASave) {
    TempFolder folder;
    const fs::path path = folder.file("record.ini");
    fs::create_symlink("/nonexistent/lock", folder.file("record.ini.lock"));
    writeBytes(folder.file("other.lock"), "");
    fs::permissions(folder.file("other.lock"), fs::perms::none);
    ASSERT_TRUE(saved(RecordFile(path), ScoreTable{{{"Ana", "1"}}}));
    EXPECT_EQ(RecordFile(path).read().table[0].name, "Ana");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 3);
}

// The kernel follows forty links in a path; so does the save, to the file at the chain's end.
TEST(RecordSafety, ASaveFollowsAsManyLinksAsTheKernelDoes) {
    TempFolder folder;
    writeBytes(folder.file("real.ini"), kSample);
    std::string target = "real.ini";
    for (int link = 1; link <= 40; ++link) {
        fs::create_symlink(target, folder.file("link" + std::to_string(link)));
        target = "link" + std::to_string(link);
    }
    EXPECT_EQ(linkTarget(folder.file(target)), folder.file("real.ini"));
}

// A stream is read in chunks: the last one may hold a single byte, the last digit.
TEST(RecordSafety, AStreamIsReadToItsLastByte) {
    const std::string rest = "\r\n1\r\nb\r\n2\r\nc\r\n3\r\nd\r\n4\r\ne\r\n5";
    std::istringstream in(std::string(64 * 1024 + 1 - rest.size(), 'x') + rest);
    EXPECT_EQ(RecordFile::parse(in)[4].score, "5");
}

}  // namespace
}  // namespace crestaverde::testing
