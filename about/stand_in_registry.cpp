#include "stand_in_registry.h"

#include <unistd.h>

#include <algorithm>
#include <sstream>

namespace crestaverde {

std::optional<std::string> findSystemInfoProgram(const std::string& searchPath) {
    for (const std::string& program : kSystemInfoPrograms) {
        std::istringstream folders(searchPath);
        for (std::string folder; std::getline(folders, folder, ':');) {
            if (folder.empty()) continue;
            const std::string candidate = folder + "/" + program;
            if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        }
    }
    return std::nullopt;
}

StandInRegistry::StandInRegistry(std::optional<std::string> systemInfoProgram) {
    if (systemInfoProgram) {
        values_[{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"}] = *systemInfoProgram;
    }
}

long StandInRegistry::RegOpenKeyEx(RegistryKey root, const std::string& subKey,
                                   std::uint32_t /*options*/, std::uint32_t /*access*/,
                                   RegistryKey* opened) {
    const bool exists = root == HKEY_LOCAL_MACHINE &&
                        std::any_of(values_.begin(), values_.end(),
                                    [&](const auto& entry) { return entry.first.first == subKey; });
    if (!exists) return ERROR_FILE_NOT_FOUND;
    openKeys_.push_back(subKey);
    *opened = static_cast<RegistryKey>(openKeys_.size());
    return ERROR_SUCCESS;
}

// Text values come back as the real registry gives them: with their terminating NUL counted.
long StandInRegistry::RegQueryValueEx(RegistryKey key, const std::string& valueName,
                                      std::uint32_t* type, std::string* data, std::uint32_t* size) {
    if (key == 0 || key > openKeys_.size()) return ERROR_FILE_NOT_FOUND;
    const auto found = values_.find({openKeys_[key - 1], valueName});
    if (found == values_.end()) return ERROR_FILE_NOT_FOUND;
    const std::string& text = found->second;
    if (text.size() + 1 > *size) return 234;  // more data than the buffer holds
    data->replace(0, text.size() + 1, text + '\0');
    *size = static_cast<std::uint32_t>(text.size() + 1);
    *type = REG_SZ;
    return ERROR_SUCCESS;
}

long StandInRegistry::RegCloseKey(RegistryKey key) {
    return key == 0 || key > openKeys_.size() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

}  // namespace crestaverde
