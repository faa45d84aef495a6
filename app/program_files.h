// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's own files lie: the pictures and the clip it reads, and the record table it
// also writes. A game built in place keeps them all beside the program, as it always did. An
// installed game reads its media from its data folder and never writes into its installed
// folders, whoever runs it, root included: each player keeps an own copy of the record table in
// their data folder, started from the shipped table.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace crestaverde {

inline constexpr const char* kRecordFileName = "record.ini";
// Where an installed game's media and shipped table lie, from the program's folder: the program
// in <prefix>/games, the data in <prefix>/share/crestaverde.
inline constexpr const char* kInstalledDataFolder = "../share/crestaverde";

// Reads an environment variable; nullopt when it is not set.
using EnvironmentReader = std::function<std::optional<std::string>(const std::string&)>;

[[nodiscard]] std::optional<std::string> readEnvironment(const std::string& name);

// The folder the running program lies in, byte for byte; empty when the system cannot tell.
[[nodiscard]] std::filesystem::path runningProgramFolder();

// The installed data folder when the program runs from its installed layout; nullopt for a game
// built in place.
[[nodiscard]] std::optional<std::filesystem::path> installedDataFolder(
    const std::filesystem::path& programFolder);
// The folder of the pictures and the clip: the installed data folder, else the program's own.
[[nodiscard]] std::filesystem::path mediaFolderFor(const std::filesystem::path& programFolder);

// The record file to use. Never throws: when the player's folder cannot be made, its path is
// still returned, and saving there reports the failure in the usual way.
[[nodiscard]] std::filesystem::path recordFileFor(
    const std::filesystem::path& programFolder,
    const EnvironmentReader& environment = readEnvironment);

}  // namespace crestaverde
