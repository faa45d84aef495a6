// The record check, name entry, and the table's trip to and from the file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>

#include "fake_services.h"
#include "menu.h"
#include "score_location.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

class Scores : public ::testing::Test {
  protected:
    void load(const std::string& bytes) {
        writeBytes(folder.file("record.ini"), bytes);
        menu.Form_Load();
    }
    void loadSample() { load("A\r\n5000\r\nB\r\n4000\r\nC\r\n4000\r\nD\r\n3000\r\nE\r\n1000\r\n"); }
    [[nodiscard]] std::vector<std::string> scores() const {
        std::vector<std::string> out;
        for (const ScoreRow& row : menu.table()) out.push_back(row.score);
        return out;
    }
    [[nodiscard]] std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const ScoreRow& row : menu.table()) out.push_back(row.name);
        return out;
    }

    TempFolder folder;
    FakeServices services;
    Menu menu{services, RecordFile(folder.file("record.ini"))};
};

TEST(ScoreInsertion, FollowsTheExamplesOfTheTable) {
    struct Case {
        std::int32_t score;
        std::vector<std::string> after;
        bool record;
    };
    const Case cases[] = {
        {6000, {"6000", "5000", "4000", "4000", "3000"}, true},
        {4000, {"5000", "4000", "4000", "4000", "3000"}, true},
        {1000, {"5000", "4000", "4000", "3000", "1000"}, true},
        {999, {"5000", "4000", "4000", "3000", "1000"}, false},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        writeBytes(folder.file("record.ini"),
                   "A\r\n5000\r\nB\r\n4000\r\nC\r\n4000\r\nD\r\n3000\r\nE\r\n1000\r\n");
        FakeServices services;
        Menu menu(services, RecordFile(folder.file("record.ini")));
        menu.Form_Load();
        services.typeNext("Nuevo");
        menu.puntuacion(c.score);
        std::vector<std::string> after;
        for (const ScoreRow& row : menu.table()) after.push_back(row.score);
        EXPECT_EQ(after, c.after) << c.score;
        ASSERT_EQ(services.shown.size(), 1U);
        EXPECT_EQ(services.shown[0].input, c.record) << c.score;
        const bool nameEntered =
            std::any_of(menu.table().begin(), menu.table().end(),
                        [](const ScoreRow& row) { return row.name == "Nuevo"; });
        EXPECT_EQ(nameEntered, c.record) << c.score;
        EXPECT_EQ(RecordFile(folder.file("record.ini")).read().table, menu.table());
    }
}

TEST_F(Scores, AnEqualScoreGoesAboveAllRowsOfThatScore) {
    loadSample();
    services.typeNext("Igual");
    menu.puntuacion(4000);
    EXPECT_EQ(scores(), (std::vector<std::string>{"5000", "4000", "4000", "4000", "3000"}));
    EXPECT_EQ(names()[1], "Igual");
    EXPECT_EQ(names()[2], "B");
}

TEST_F(Scores, EqualToTheLastRowIsARecord) {
    loadSample();
    services.typeNext("Justo");
    menu.puntuacion(1000);
    EXPECT_EQ(scores(), (std::vector<std::string>{"5000", "4000", "4000", "3000", "1000"}));
    EXPECT_EQ(names()[4], "Justo");
    ASSERT_EQ(services.shown.size(), 1U);
    EXPECT_TRUE(services.shown[0].input);
    EXPECT_EQ(services.shown[0].text, "HA BATIDO UN RECORD!!!");
    EXPECT_EQ(services.shown[0].title, "CRESTAVERDE");
    EXPECT_EQ(services.shown[0].prefilled, "Introduzca su nombre");
}

TEST_F(Scores, BelowTheTableIsNoRecordAndChangesNothing) {
    loadSample();
    const ScoreTable before = menu.table();
    menu.puntuacion(999);
    EXPECT_EQ(menu.table(), before);
    ASSERT_EQ(services.shown.size(), 1U);
    EXPECT_EQ(services.shown[0],
              messageShown("CONSIGA MÁS PUNTOS LA PRÓXIMA VEZ", 16, "NO HAY RECORD!!!"));
    // The file is written all the same.
    EXPECT_EQ(readBytes(folder.file("record.ini")), RecordFile::format(before));
}

TEST_F(Scores, AnEmptyTableTakesZeroButNotANegativeScore) {
    menu.Form_Load();
    menu.puntuacion(-5);
    EXPECT_EQ(menu.table(), ScoreTable{});
    services.typeNext("Cero");
    menu.puntuacion(0);
    EXPECT_EQ(menu.table()[0], (ScoreRow{"Cero", "0"}));
    EXPECT_EQ(readBytes(folder.file("record.ini")),
              "Cero\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(Scores, CancelAnEmptyAnswerOrThePlaceholderGiveAnEmptyName) {
    loadSample();
    services.typeNext("");  // Cancel
    menu.puntuacion(7000);
    services.typeNext("Introduzca su nombre");
    menu.puntuacion(8000);
    EXPECT_EQ(names()[0], "");
    EXPECT_EQ(names()[1], "");
    EXPECT_EQ(scores()[0], "8000");
    EXPECT_EQ(scores()[1], "7000");
}

TEST_F(Scores, NamesLoseLineBreaksAndCharactersTheFileCannotHold) {
    loadSample();
    services.typeNext("Ana\r\nMaría ł");
    menu.puntuacion(9000);
    EXPECT_EQ(menu.nameCaption(0), "AnaMaría ?");
    EXPECT_EQ(menu.table()[0].name,
              "AnaMar\xED"
              "a ?");
    EXPECT_EQ(readBytes(folder.file("record.ini")).substr(0, 12),
              "AnaMar\xED"
              "a ?\r\n");
}

TEST_F(Scores, TextsMoveDownUnchanged) {
    load("x\r\n300abc\r\ny\r\n\r\nz\r\n-\r\n");
    services.typeNext("N");
    menu.puntuacion(500);
    EXPECT_EQ(scores(), (std::vector<std::string>{"500", "300abc", "", "-", ""}));
}

TEST_F(Scores, AHandEditedTableCanTakeARowAfterTheNoRecordMessage) {
    load("a\r\n100\r\nb\r\n200\r\nc\r\n300\r\nd\r\n400\r\ne\r\n500\r\n");
    services.typeNext("Primero");
    menu.puntuacion(600);  // a record: nombre becomes "Primero"
    menu.puntuacion(
        150);  // the table is now 600, 100, 200, 300, 400: no record, yet row 1 takes it
    EXPECT_EQ(services.shown.back().title, "NO HAY RECORD!!!");
    EXPECT_EQ(names()[1], "Primero");  // entered at row 1 with the last record holder's name
    EXPECT_EQ(scores()[1], "150");
}

TEST_F(Scores, AnUnreadableFileIsReportedOnceAndNeverOverwritten) {
    std::filesystem::create_directory(folder.file("record.ini"));
    menu.Form_Load();
    menu.Form_Load();
    ASSERT_EQ(services.shown.size(), 1U);
    EXPECT_EQ(services.shown[0].style, 48);
    EXPECT_NE(services.shown[0].text.find("record.ini"), std::string::npos);
    menu.puntuacion(100);
    EXPECT_EQ(menu.table(), ScoreTable{});
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("record.ini")));
    ASSERT_EQ(services.shown.size(), 2U);  // no name is asked for that could not be kept
    EXPECT_EQ(services.shown[1],
              messageShown("Su puntuación de 100 puntos no se puede guardar, porque no se ha "
                           "podido leer el archivo de récords (record.ini).",
                           48));
}

TEST_F(Scores, AFailedSaveIsReportedAndTheTableStaysRight) {
    loadSample();
    const std::string before = readBytes(folder.file("record.ini"));
    services.typeNext("N");
    {
        const FullDisk full;
        menu.puntuacion(9000);
    }
    EXPECT_EQ(readBytes(folder.file("record.ini")), before);
    EXPECT_EQ(menu.table()[0].score, "9000");
    EXPECT_NE(services.shown.back().text.find("No se han podido guardar"), std::string::npos);
}

TEST(MenuButtons, PlayHidesTheMenuAndDeals) {
    TempFolder folder;
    FakeServices services;
    Menu menu(services, RecordFile(folder.file("record.ini")));
    Board board(services, menu);
    board.Form_Load();
    menu.Command1_Click(board);
    EXPECT_EQ(services.menuHidden, 1);
    EXPECT_EQ(services.boardActivated, 1);
    EXPECT_EQ(board.state().Label8.text, "24");
    EXPECT_TRUE(services.timer(TimerId::Timer3).enabled());
    EXPECT_THROW(menu.Form_Unload(), ProgramEnded);
}

}  // namespace
}  // namespace crestaverde::testing

namespace crestaverde::testing {
namespace {

EnvironmentReader environmentOf(std::map<std::string, std::string> values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        const auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

TEST(ScoreLocation, AWritableProgramFolderKeepsTheTableBesideTheProgram) {
    TempFolder program;
    TempFolder home;
    EXPECT_EQ(recordFileFor(program.path(), environmentOf({{"HOME", home.path().string()}})),
              program.file("record.ini"));
    EXPECT_TRUE(std::filesystem::is_empty(home.path()));
}

TEST(ScoreLocation, AReadOnlyProgramFolderGivesEachPlayerACopySeededFromTheShippedOne) {
    TempFolder program;
    TempFolder home;
    writeBytes(program.file("record.ini"), "Ana\r\n900\r\n");
    const auto readOnly = [](const std::filesystem::path&) { return false; };
    const auto own =
        recordFileFor(program.path(), environmentOf({{"HOME", home.path().string()}}), readOnly);
    EXPECT_EQ(own, home.path() / ".local/share/crestaverde/record.ini");
    EXPECT_EQ(readBytes(own), "Ana\r\n900\r\n");
    writeBytes(own, "Bea\r\n5000\r\n");  // the player's own scores are never replaced again
    EXPECT_EQ(
        recordFileFor(program.path(), environmentOf({{"HOME", home.path().string()}}), readOnly),
        own);
    EXPECT_EQ(readBytes(own), "Bea\r\n5000\r\n");
    EXPECT_EQ(readBytes(program.file("record.ini")), "Ana\r\n900\r\n");
    TempFolder data;
    EXPECT_EQ(recordFileFor(program.path(),
                            environmentOf({{"HOME", home.path().string()},
                                           {"XDG_DATA_HOME", data.path().string()}}),
                            readOnly),
              data.path() / "crestaverde/record.ini");
}

}  // namespace
}  // namespace crestaverde::testing
