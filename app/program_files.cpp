// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_files.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace crestaverde {
namespace {

std::filesystem::path homeFolder(const EnvironmentReader& environment) {
    if (const auto home = environment("HOME"); home && !home->empty() && home->front() == '/') {
        return *home;
    }
    // Without a usable HOME a relative path would land in whatever folder the game started in.
    const passwd* account = ::getpwuid(::getuid());
    return account != nullptr && account->pw_dir != nullptr ? account->pw_dir : "/";
}

std::filesystem::path playerDataFolder(const EnvironmentReader& environment) {
    if (const auto dataHome = environment("XDG_DATA_HOME");
        dataHome && !dataHome->empty() && dataHome->front() == '/') {
        return std::filesystem::path(*dataHome) / "crestaverde";
    }
    return homeFolder(environment) / ".local" / "share" / "crestaverde";
}

}  // namespace

std::optional<std::string> readEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

std::filesystem::path runningProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

std::optional<std::filesystem::path> installedDataFolder(
    const std::filesystem::path& programFolder) {
    const std::filesystem::path data = (programFolder / kInstalledDataFolder).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_directory(data, error)) return data;
    return std::nullopt;
}

std::filesystem::path mediaFolderFor(const std::filesystem::path& programFolder) {
    return installedDataFolder(programFolder).value_or(programFolder);
}

std::filesystem::path recordFileFor(const std::filesystem::path& programFolder,
                                    const EnvironmentReader& environment) {
    const auto data = installedDataFolder(programFolder);
    if (!data) return programFolder / kRecordFileName;
    const std::filesystem::path folder = playerDataFolder(environment);
    std::filesystem::path own = folder / kRecordFileName;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::exists(own, error)) {
        std::filesystem::copy_file(*data / kRecordFileName, own, error);
    }
    return own;
}

}  // namespace crestaverde
