#pragma once
// Where the score table lives. Beside the program while that folder is writable, as it always
// was; an installed game's folder is not, so then each player keeps an own copy in their data
// folder, started from the table shipped beside the program.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace crestaverde {

inline constexpr const char* kRecordFileName = "record.ini";

// Reads an environment variable; nullopt when it is not set.
using EnvironmentReader = std::function<std::optional<std::string>(const std::string&)>;

[[nodiscard]] std::optional<std::string> readEnvironment(const std::string& name);
[[nodiscard]] bool folderWritable(const std::filesystem::path& folder);

// The record file to use. Never throws: when the player's folder cannot be made, its path is
// still returned, and saving there reports the failure in the usual way.
[[nodiscard]] std::filesystem::path recordFileFor(
    const std::filesystem::path& programFolder,
    const EnvironmentReader& environment = readEnvironment,
    const std::function<bool(const std::filesystem::path&)>& writable = folderWritable);

}  // namespace crestaverde
