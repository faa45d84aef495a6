// The menu's side of a table that other copies of the game share, and where the table lives
// when the player has no home folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include "fake_services.h"
#include "menu.h"
#include "score_location.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

namespace fs = std::filesystem;

TEST(SharedTable, TwoCopiesThatFinishInAnyOrderKeepBothRows) {
    for (const bool alphaFirst : {true, false}) {
        TempFolder folder;
        writeBytes(folder.file("record.ini"), "Viejo\r\n100\r\n");
        FakeServices alphaServices;
        FakeServices betaServices;
        Menu alpha(alphaServices, RecordFile(folder.file("record.ini")));
        Menu beta(betaServices, RecordFile(folder.file("record.ini")));
        alpha.Form_Load();
        beta.Form_Load();  // both wait at the menu with the same table
        alphaServices.typeNext("Alpha");
        betaServices.typeNext("Beta");
        if (alphaFirst) alpha.puntuacion(500);
        beta.puntuacion(400);
        if (!alphaFirst) alpha.puntuacion(500);
        const ScoreTable expected = {
            {{"Alpha", "500"}, {"Beta", "400"}, {"Viejo", "100"}, {"", ""}, {"", ""}}};
        EXPECT_EQ(RecordFile(folder.file("record.ini")).read().table, expected) << alphaFirst;
        EXPECT_EQ((alphaFirst ? beta : alpha).table(), expected) << alphaFirst;
    }
}

// Runs in a folder of its own, so that anything made relative to it shows.
class InFolder {
  public:
    InFolder() : previous_(fs::current_path()) { fs::current_path(folder_.path()); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    ~InFolder() { fs::current_path(previous_); }
    [[nodiscard]] bool empty() const { return fs::is_empty(folder_.path()); }

  private:
    TempFolder folder_;
    fs::path previous_;
};

TEST(ScoreLocation, WithoutAnAbsoluteHomeTheShippedTableIsUsedAndNothingIsMadeHere) {
    TempFolder program;
    const auto readOnly = [](const fs::path&) { return false; };
    for (const char* home : std::initializer_list<const char*>{"", "relative/home", nullptr}) {
        const InFolder here;
        const EnvironmentReader environment =
            [home](const std::string& name) -> std::optional<std::string> {
            if (name != "HOME" || home == nullptr) return std::nullopt;
            return home;
        };
        EXPECT_EQ(recordFileFor(program.path(), environment, readOnly), program.file("record.ini"));
        EXPECT_TRUE(here.empty());
    }
}

}  // namespace
}  // namespace crestaverde::testing
