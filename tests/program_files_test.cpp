// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's own files lie: beside a game built in place, in the data folders of an
// installed one.

#include <gtest/gtest.h>

#include <map>

#include "program_files.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

namespace fs = std::filesystem;

EnvironmentReader environmentOf(std::map<std::string, std::string> values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        if (const auto found = values.find(name); found != values.end()) return found->second;
        return std::nullopt;
    };
}

// The layout decides, not permissions: the prefix here is writable, as every folder is for root.
TEST(ProgramFiles, BesideAGameBuiltInPlaceElseEachPlayersOwnCopySeededFromTheShippedOne) {
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
