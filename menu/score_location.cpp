#include "score_location.h"

#include <unistd.h>

#include <cstdlib>

namespace crestaverde {
namespace {

// Only absolute folders: a relative one would put the table wherever the game was started.
std::optional<std::filesystem::path> playerDataFolder(const EnvironmentReader& environment) {
    if (const auto dataHome = environment("XDG_DATA_HOME");
        dataHome && !dataHome->empty() && dataHome->front() == '/') {
        return std::filesystem::path(*dataHome) / "crestaverde";
    }
    const std::string home = environment("HOME").value_or("");
    if (home.empty() || home.front() != '/') return std::nullopt;
    return std::filesystem::path(home) / ".local" / "share" / "crestaverde";
}

}  // namespace

std::optional<std::string> readEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

bool folderWritable(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

std::filesystem::path recordFileFor(
    const std::filesystem::path& programFolder, const EnvironmentReader& environment,
    const std::function<bool(const std::filesystem::path&)>& writable) {
    if (writable(programFolder)) return programFolder / kRecordFileName;
    const std::optional<std::filesystem::path> data = playerDataFolder(environment);
    // With no folder of the player's own, the shipped table is shown and saving reports failure.
    if (!data) return programFolder / kRecordFileName;
    const std::filesystem::path& folder = *data;
    const std::filesystem::path own = folder / kRecordFileName;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::exists(own, error)) {
        std::filesystem::copy_file(programFolder / kRecordFileName, own, error);
    }
    return own;
}

}  // namespace crestaverde
