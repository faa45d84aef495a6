// SPDX-License-Identifier: GPL-3.0-or-later
// The record check, name entry, the table's trip to and from the file, and where the file lives.

#include <gtest/gtest.h>

#include <map>

#include "fake_services.h"
#include "menu.h"
#include "numeric_text.h"
#include "score_location.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

TEST(NumericValue, TheLeadingNumberBlanksSkippedAnywhereElseZero) {
    const std::vector<std::pair<std::string_view, double>> cases = {
        {"1300", 1300},  {" 1 2\t3\n4", 1234},
        {"123abc", 123}, {"-42", -42},
        {"- 5", -5},     {"+7x", 7},
        {"2.5", 2.5},    {".5", 0.5},
        {"1.5e3", 1500}, {"15E-1", 1.5},
        {"1e", 1},       {"3.2.1", 3.2},
        {"1,000", 1},    {"1\r2", 1},
        {"", 0},         {"abc", 0},
        {"-", 0},        {".", 0},
        {"e5", 0}};
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(numericValue(text), value) << text;
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
    [[nodiscard]] std::vector<std::string> column(bool names) const {
        std::vector<std::string> out;
        for (const ScoreRow& row : menu.table()) out.push_back(names ? row.name : row.score);
        return out;
    }

    TempFolder folder;
    FakeServices services;
    Menu menu{services, RecordFile(folder.file("record.ini"))};
};

TEST_F(Records, ARecordAsksForTheNameAndGoesAboveEqualScores) {
    struct Case {
        std::int32_t score;
        std::vector<std::string> names;
        bool record;
    };
    const std::vector<Case> cases = {
        {6000, {"Nuevo", "A", "B", "C", "D"}, true},
        {4000, {"A", "Nuevo", "B", "C", "D"}, true},
        {1000, {"A", "B", "C", "D", "Nuevo"}, true},  // equal to the last row is a record
        {999, {"A", "B", "C", "D", "E"}, false},
    };
    const ShownBox asked{"CRESTAVERDE", "HA BATIDO UN RECORD!!!"};
    const ShownBox refused{"NO HAY RECORD!!!", "CONSIGA MÁS PUNTOS LA PRÓXIMA VEZ",
                           BoxIcon::Critical};
    for (const Case& c : cases) {
        load(kSample);
        services.shown.clear();
        services.typeNext("Nuevo");
        menu.recordFinalScore(c.score);
        settle();
        EXPECT_EQ(column(true), c.names) << c.score;
        EXPECT_EQ(services.shown, (std::vector<ShownBox>{c.record ? asked : refused}));
        // The file is written in either case, and holds the table as it stands.
        EXPECT_EQ(readBytes(folder.file("record.ini")), RecordFile::format(menu.table()));
    }
}

TEST_F(Records, TheNameBoxIsPrefilledAndCappedAndWhatItTakesFitsTheFile) {
    load(kSample);
    menu.recordFinalScore(6000);  // OK on the untouched box: the placeholder
    services.typeNext("");        // Cancel
    menu.recordFinalScore(7000);
    services.typeNext("Ana\r\nMaría ł");
    menu.recordFinalScore(8000);
    settle();
    EXPECT_EQ(column(true), (std::vector<std::string>{"AnaMar\xED"
                                                      "a ?",
                                                      "", "", "A", "B"}));
    EXPECT_EQ(menu.nameCaption(0), "AnaMaría ?");
    EXPECT_TRUE(readBytes(folder.file("record.ini"))
                    .starts_with("AnaMar\xED"
                                 "a ?\r\n8000\r\n\r\n7000"));
    EXPECT_EQ(services.maxLengths, (std::vector<int>{255, 255, 255}));
}

TEST_F(Records, AnEmptyTableTakesZeroButNotANegativeScore) {
    menu.open();
    menu.recordFinalScore(-5);
    EXPECT_EQ(menu.table(), ScoreTable{});
    services.typeNext("Cero");
    menu.recordFinalScore(0);
    settle();
    EXPECT_EQ(readBytes(folder.file("record.ini")),
              "Cero\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(Records, RowsBelowMoveDownUnchangedAndAnOutOfOrderTableReusesTheLastName) {
    load("a\r\n100\r\nb\r\n200abc\r\nc\r\n\r\nd\r\n300\r\ne\r\n500\r\n");
    services.typeNext("Primero");
    menu.recordFinalScore(600);
    EXPECT_EQ(column(false), (std::vector<std::string>{"600", "100", "200abc", "", "300"}));
    menu.recordFinalScore(150);  // no record, yet row 1 takes it
    EXPECT_EQ(services.shown.back().title, "NO HAY RECORD!!!");
    EXPECT_EQ(menu.table()[1], (ScoreRow{"Primero", "150"}));
}

TEST_F(Records, AnUnreadableFileIsReportedOnceAndNeverOverwritten) {
    std::filesystem::create_directory(folder.file("record.ini"));
    menu.open();
    EXPECT_TRUE(services.shown.empty());  // told once the windows are up
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

TEST_F(Records, AFailedSaveIsReportedAndTheOldFileStays) {
    load(kSample);
    services.typeNext("N");
    {
        const FullDisk full;
        menu.recordFinalScore(9000);
        settle();
    }
    EXPECT_EQ(readBytes(folder.file("record.ini")), kSample);
    EXPECT_EQ(menu.table()[0].score, "9000");
    EXPECT_NE(services.shown.back().text.find("No se han podido guardar"), std::string::npos);
}

TEST(SharedTable, TwoCopiesThatFinishInAnyOrderKeepBothRows) {
    for (const bool alphaFirst : {true, false}) {
        TempFolder folder;
        writeBytes(folder.file("record.ini"), "Viejo\r\n100\r\n");
        FakeServices alphaServices;
        FakeServices betaServices;
        Menu alpha(alphaServices, RecordFile(folder.file("record.ini")));
        Menu beta(betaServices, RecordFile(folder.file("record.ini")));
        alpha.open();
        beta.open();  // both wait at the menu with the same table
        alphaServices.typeNext("Alpha");
        betaServices.typeNext("Beta");
        const auto finish = [](Menu& menu, FakeServices& services, std::int32_t score) {
            menu.recordFinalScore(score);
            while (menu.saving()) ASSERT_TRUE(services.awaitPosted());
        };
        if (alphaFirst) finish(alpha, alphaServices, 500);
        finish(beta, betaServices, 400);
        if (!alphaFirst) finish(alpha, alphaServices, 500);
        const ScoreTable expected = {
            {{"Alpha", "500"}, {"Beta", "400"}, {"Viejo", "100"}, {"", ""}, {"", ""}}};
        EXPECT_EQ(RecordFile(folder.file("record.ini")).read().table, expected) << alphaFirst;
        EXPECT_EQ((alphaFirst ? beta : alpha).table(), expected) << alphaFirst;
    }
}

namespace fs = std::filesystem;

EnvironmentReader environmentOf(std::map<std::string, std::string> values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        const auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

// The layout decides, not permissions: the prefix here is writable, as every folder is for root.
TEST(ScoreLocation, BesideAGameBuiltInPlaceElseEachPlayersOwnCopySeededFromTheShippedOne) {
    TempFolder prefix;
    TempFolder home;
    const auto built = prefix.path() / "build";
    fs::create_directory(built);
    EXPECT_EQ(recordFileFor(built, environmentOf({{"HOME", home.path().string()}})),
              built / "record.ini");
    EXPECT_EQ(mediaFolderFor(built), built);
    EXPECT_TRUE(fs::is_empty(home.path()));

    const auto program = prefix.path() / "games";
    const auto data = prefix.path() / "share" / "crestaverde";
    fs::create_directory(program);
    fs::create_directories(data);
    // Without an absolute home the account's home is used, and nothing is made where we stand
    // (no shipped table yet, so nothing is copied into it).
    const fs::path before = fs::current_path();
    fs::current_path(program);
    for (const auto& unusable : {environmentOf({{"HOME", ""}}),
                                 environmentOf({{"HOME", "relative/home"}}), environmentOf({})}) {
        EXPECT_TRUE(recordFileFor(program, unusable).is_absolute());
    }
    EXPECT_TRUE(fs::is_empty(program));
    fs::current_path(before);
    writeBytes(data / "record.ini", "Ana\r\n900\r\n");
    EXPECT_EQ(mediaFolderFor(program), data);
    const auto player = environmentOf({{"HOME", home.path().string()}});
    const auto own = recordFileFor(program, player);
    EXPECT_EQ(own, home.path() / ".local/share/crestaverde/record.ini");
    EXPECT_EQ(readBytes(own), "Ana\r\n900\r\n");
    writeBytes(own, "Bea\r\n5000\r\n");  // the player's own scores are never replaced again
    EXPECT_EQ(recordFileFor(program, player), own);
    EXPECT_EQ(readBytes(own), "Bea\r\n5000\r\n");
    EXPECT_EQ(readBytes(data / "record.ini"), "Ana\r\n900\r\n");
    TempFolder dataHome;
    EXPECT_EQ(recordFileFor(program, environmentOf({{"HOME", home.path().string()},
                                                    {"XDG_DATA_HOME", dataHome.path().string()}})),
              dataHome.path() / "crestaverde/record.ini");
    // A relative data home is no data home: the player's own folder under the home again.
    EXPECT_EQ(recordFileFor(program, environmentOf({{"HOME", home.path().string()},
                                                    {"XDG_DATA_HOME", "relative"}})),
              own);
    EXPECT_TRUE(fs::is_empty(program));
}

}  // namespace
}  // namespace crestaverde::testing
