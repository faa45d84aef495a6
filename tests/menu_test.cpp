// SPDX-License-Identifier: GPL-3.0-or-later
// The record check, name entry, and the table's trip to and from the file.

#include <gtest/gtest.h>

#include <cmath>

#include "fake_services.h"
#include "menu.h"
#include "numeric_text.h"
#include "score_entry.h"
#include "table_lock.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

TEST(NumericValue, TheLeadingNumberBlanksSkippedAnywhereElseZero) {
    const std::vector<std::pair<std::string_view, double>> cases = {
        {"123abc", 123}, {" 1 2\t3\n4", 1234}, {"-42", -42},    {"- 5", -5},
        {"+7x", 7},      {".5", 0.5},          {"1.5e3", 1500}, {"15E-1", 1.5},
        {"1e", 1},       {"3.2.1", 3.2},       {"1,000", 1},    {"1\r2", 1},
        {"", 0},         {"abc", 0},           {"-", 0},        {".", 0},
        {"e5", 0},       {"e999", 0}};
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(numericValue(text), value) << text;
}

TEST(ScoreValue, AScoreTooLargeToHoldCountsAsNone) {
    ASSERT_TRUE(std::isinf(numericValue("1e999")));
    EXPECT_EQ(scoreValue("1e999"), 0);
}

constexpr const char* kSample = "A\r\n5000\r\nB\r\n4000\r\nC\r\n4000\r\nD\r\n3000\r\nE\r\n1000\r\n";

class Records : public ::testing::Test {
  protected:
    void load(const std::string& bytes) {
        writeBytes(folder.file("record.ini"), bytes);
        menu.open();
    }
    // Lets every save the menu started reach the file.
    void settle() {
        while (menu.saving()) ASSERT_TRUE(services.awaitPosted());
    }

    TempFolder folder;
    FakeServices services;
    Menu menu{services, RecordFile(folder.file("record.ini"))};
};

// An empty table takes zero, but not a negative score.
TEST_F(Records, ARecordAsksForTheNameAndGoesAboveEqualScores) {
    const std::tuple<const char*, std::int32_t, std::vector<std::string>, bool> cases[] = {
        {kSample, 6000, {"Nuevo", "A", "B", "C", "D"}, true},
        {kSample, 4000, {"A", "Nuevo", "B", "C", "D"}, true},
        {kSample, 1000, {"A", "B", "C", "D", "Nuevo"}, true},  // equal to the last row is a record
        {kSample, 999, {"A", "B", "C", "D", "E"}, false},
        {"", 0, {"Nuevo", "", "", "", ""}, true},
        {"", -5, {"", "", "", "", ""}, false},
    };
    const ShownBox asked{"CRESTAVERDE", "HA BATIDO UN RECORD!!!"};
    const ShownBox refused{"NO HAY RECORD!!!", "CONSIGA MÁS PUNTOS LA PRÓXIMA VEZ",
                           BoxIcon::Critical};
    for (const auto& [before, score, expected, record] : cases) {
        load(before);
        services.shown.clear();
        services.typeNext("Nuevo");
        menu.recordFinalScore(score);
        settle();
        std::vector<std::string> names;
        for (const ScoreRow& row : menu.table()) names.push_back(row.name);
        EXPECT_EQ(names, expected) << score;
        EXPECT_EQ(services.shown, (std::vector<ShownBox>{record ? asked : refused})) << score;
        // The file is written in either case, and holds the table as it stands.
        EXPECT_EQ(readBytes(folder.file("record.ini")), RecordFile::format(menu.table()));
    }
}

// The box's cap, the table's own, is played through the real box by tests/windows/program_test.cpp.
TEST_F(Records, TheNameBoxIsPrefilledAndWhatItTakesFitsTheFile) {
    load(kSample);
    menu.recordFinalScore(6000);  // OK on the untouched box: the placeholder
    services.typeNext("");        // Cancel
    menu.recordFinalScore(7000);
    services.typeNext("Ana\r\nMaría ł");
    menu.recordFinalScore(8000);
    settle();
    EXPECT_EQ(readBytes(folder.file("record.ini")),
              "AnaMar\xED\x61 ?\r\n8000\r\n\r\n7000\r\n\r\n6000\r\nA\r\n5000\r\nB\r\n4000\r\n");
    EXPECT_EQ(menu.nameCaption(0), "AnaMaría ?");
}

TEST_F(Records, RowsBelowMoveDownUnchangedAndAnOutOfOrderTableReusesTheLastName) {
    load("a\r\n100\r\nb\r\n200abc\r\nc\r\n\r\nd\r\n300\r\ne\r\n500\r\n");
    services.typeNext("Primero");
    menu.recordFinalScore(600);
    EXPECT_EQ(
        menu.table(),
        (ScoreTable{{{"Primero", "600"}, {"a", "100"}, {"b", "200abc"}, {"c", ""}, {"d", "300"}}}));
    menu.recordFinalScore(150);  // no record, yet row 1 takes it
    EXPECT_EQ(services.shown.back().title, "NO HAY RECORD!!!");
    EXPECT_EQ(menu.table()[1], (ScoreRow{"Primero", "150"}));
}

TEST_F(Records, AnUnreadableFileIsReportedOnceAndNeverOverwritten) {
    std::filesystem::create_directory(folder.file("record.ini"));
    menu.open();
    services.runPosted();
    menu.open();
    services.runPosted();
    ASSERT_EQ(services.shown.size(), 1U);
    EXPECT_EQ(services.shown[0].icon, BoxIcon::Warning);
    EXPECT_NE(services.shown[0].text.find("record.ini"), std::string::npos);
    menu.recordFinalScore(100);
    EXPECT_EQ(menu.table(), ScoreTable{});
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("record.ini")));
    ASSERT_EQ(services.shown.size(), 2U);  // no name is asked for that could not be kept
    EXPECT_EQ(services.shown[1],
              (ShownBox{"CRESTAVERDE",
                        "Su puntuación de 100 puntos no se puede guardar, porque no se ha "
                        "podido leer el archivo de récords (record.ini).",
                        BoxIcon::Warning}));
}

// The record file's own tests prove the old file stays.
TEST_F(Records, AFailedSaveIsReportedAndTheTableShownKeepsTheRow) {
    load(kSample);
    services.typeNext("N");
    {
        const FullDisk full;
        menu.recordFinalScore(9000);
        settle();
    }
    EXPECT_EQ(menu.table()[0].score, "9000");
    EXPECT_NE(services.shown.back().text.find("No se han podido guardar"), std::string::npos);
}

// Another copy holds the table's lock while more games end: the record check counts the rows
// still waiting, and every waiting row reaches the file in the next save.
TEST_F(Records, RowsThatWaitForTheLockAreCountedByTheNextCheckAndSavedTogether) {
    load("Viejo\r\n100\r\n");
    std::optional<TableLock> other(std::in_place, folder.file("record.ini"));
    const auto save = RecordFile(folder.file("record.ini")).update([](ScoreTable& /*table*/) {});
    ASSERT_EQ(save.status, RecordFile::SaveStatus::Busy);  // at once, not once the lock is free
    writeBytes(folder.file("record.ini"),
               "A\r\n900\r\nB\r\n800\r\nC\r\n700\r\nD\r\n600\r\nE\r\n500\r\n");
    services.typeNext("Ana");
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
    EXPECT_EQ(RecordFile(folder.file("record.ini")).read().table, expected);
    EXPECT_EQ(menu.table(), expected);
}

}  // namespace
}  // namespace crestaverde::testing
