// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's own files lie: beside a game built in place, in the data folders of an
// installed one.

#include <gtest/gtest.h>

#include "program_files.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

namespace fs = std::filesystem;

EnvironmentReader environmentOf(std::optional<std::string> home,
                                std::optional<std::string> dataHome = {}) {
    return [=](const std::string& name) {
        return name == "HOME" ? home : name == "XDG_DATA_HOME" ? dataHome : std::nullopt;
    };
}

// The layout decides, not permissions: the prefix here is writable, as every folder is for root.
// The installed game's shipped table and its installed files are checked as a player would by
// tests/e2e/installed_game.sh.
TEST(ProgramFiles, BesideAGameBuiltInPlaceElseEachPlayersOwnCopySeededFromTheShippedOne) {
    TempFolder prefix;
    const fs::path built = prefix.path() / "source/build", program = prefix.path() / "games",
                   data = prefix.path() / "share/crestaverde", home = prefix.path() / "home",
                   dataHome = prefix.path() / "data";
    for (const fs::path& folder : {built, program, data, home}) fs::create_directories(folder);
    EXPECT_EQ(recordFileFor(built, environmentOf(home)), built / "record.ini");
    EXPECT_EQ(std::pair(mediaFolderFor(built), mediaFolderFor(program)), std::pair(built, data));
    EXPECT_TRUE(fs::is_empty(home));
    // Without an absolute home the account's home is used, and nothing is made where we stand
    // (no shipped table yet, so nothing is copied into it).
    const fs::path before = fs::current_path();
    fs::current_path(program);
    for (const auto& unusable :
         {environmentOf(""), environmentOf("relative/home"), environmentOf({})}) {
        EXPECT_TRUE(recordFileFor(program, unusable).is_absolute());
    }
    fs::current_path(before);
    writeBytes(data / "record.ini", "Ana\r\n900\r\n");
    const fs::path own = home / ".local/share/crestaverde/record.ini";
    EXPECT_EQ(recordFileFor(program, environmentOf(home)), own);
    EXPECT_EQ(readBytes(own), "Ana\r\n900\r\n");
    writeBytes(own, "Bea\r\n5000\r\n");  // the player's own scores are never replaced again
    // A relative data home is no data home: the player's own folder under the home again.
    EXPECT_EQ(recordFileFor(program, environmentOf(home, "relative")), own);
    EXPECT_EQ(readBytes(own), "Bea\r\n5000\r\n");
    EXPECT_EQ(recordFileFor(program, environmentOf(home, dataHome)),
              dataHome / "crestaverde/record.ini");
    EXPECT_TRUE(fs::is_empty(program));
}

}  // namespace
}  // namespace crestaverde::testing
