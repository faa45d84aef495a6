// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a final score while another copy of the game holds the table's lock: the menu never
// waits for it, the row is never dropped, and the two copies keep each other's rows.

#include <gtest/gtest.h>

#include "fake_services.h"
#include "menu.h"
#include "replace_file.h"
#include "table_lock.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

constexpr const char* kOld = "Viejo\r\n100\r\n";

class LockedTable : public ::testing::Test {
  protected:
    LockedTable() {
        writeBytes(path, kOld);
        menu.open();
        services.typeNext("Ana");
    }
    void settle() {
        while (menu.saving()) ASSERT_TRUE(services.awaitPosted());
    }

    TempFolder folder;
    std::filesystem::path path = folder.file("record.ini");
    FakeServices services;
    Menu menu{services, RecordFile(path)};
    // Another copy in the middle of its save, for as long as the test likes.
    std::optional<TableLock> other{std::in_place, path};
};

// The window-level tests play the row shown at once, its save once the lock is free, and giving
// up at the end.
TEST_F(LockedTable, WhatTheHolderSavedMeanwhileIsKeptAndShown) {
    menu.recordFinalScore(500);
    ASSERT_TRUE(replaceFile(path, "Bea\r\n700\r\nViejo\r\n100\r\n", FileCalls{}));
    other.reset();
    settle();
    const ScoreTable expected = {
        {{"Bea", "700"}, {"Ana", "500"}, {"Viejo", "100"}, {"", ""}, {"", ""}}};
    EXPECT_EQ(RecordFile(path).read().table, expected);
    EXPECT_EQ(menu.table(), expected);
}

// More games end while the first one's row still waits: the record check counts the waiting
// row, and every waiting row reaches the file in the next save.
TEST_F(LockedTable, RowsThatWaitAreCountedByTheNextCheckAndSavedTogether) {
    writeBytes(path, "A\r\n900\r\nB\r\n800\r\nC\r\n700\r\nD\r\n600\r\nE\r\n500\r\n");
    menu.recordFinalScore(600);
    menu.recordFinalScore(550);  // a record against the file, none against the table shown
    services.typeNext("Bea");
    menu.recordFinalScore(1000);
    ASSERT_EQ(services.shown.size(), 3U);
    EXPECT_EQ(services.shown[1].title, "NO HAY RECORD!!!");
    other.reset();
    settle();
    const ScoreTable expected = {
        {{"Bea", "1000"}, {"A", "900"}, {"B", "800"}, {"C", "700"}, {"Ana", "600"}}};
    EXPECT_EQ(RecordFile(path).read().table, expected);
    EXPECT_EQ(menu.table(), expected);
}

}  // namespace
}  // namespace crestaverde::testing
