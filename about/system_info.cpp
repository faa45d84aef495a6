#include "system_info.h"

#include <cstdio>
#include <stdexcept>

namespace crestaverde {
namespace {

constexpr std::uint32_t kBufferSize = 1024;
constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kPathValue = "PATH";
constexpr const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kFolderValue = "MSINFO";
constexpr const char* kProgramName = "\\MSINFO32.EXE";

std::string hexOf(unsigned char code) {
    char digits[3] = {};
    std::snprintf(digits, sizeof digits, "%X", code);
    return digits;
}

}  // namespace

bool GetKeyValue(Registry& registry, RegistryKey KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    RegistryKey key = 0;
    if (registry.RegOpenKeyEx(KeyRoot, KeyName, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    std::string buffer(kBufferSize, '\0');
    std::uint32_t size = kBufferSize;
    std::uint32_t type = 0;
    if (registry.RegQueryValueEx(key, SubKeyRef, &type, &buffer, &size) != ERROR_SUCCESS) {
        KeyVal.clear();
        registry.RegCloseKey(key);
        return false;
    }
    // A length of 0 has no character to examine: that is a run-time error for the caller.
    if (size == 0 || size > buffer.size()) {
        registry.RegCloseKey(key);
        throw std::runtime_error("registry value without data");
    }
    const std::string kept = buffer.substr(0, buffer[size - 1] == '\0' ? size - 1 : size);
    if (type == REG_SZ) {
        KeyVal = kept;
    } else if (type == REG_DWORD) {
        for (auto c = kept.rbegin(); c != kept.rend(); ++c)
            KeyVal += hexOf(static_cast<unsigned char>(*c));
        KeyVal = "&h" + KeyVal;
    }
    registry.RegCloseKey(key);
    return true;
}

void StartSysInfo(Registry& registry, SystemPort& system) {
    try {
        std::string path;
        if (GetKeyValue(registry, HKEY_LOCAL_MACHINE, kPathKey, kPathValue, path)) {
            if (system.launch(path)) return;
        } else if (GetKeyValue(registry, HKEY_LOCAL_MACHINE, kFolderKey, kFolderValue, path) &&
                   system.fileExists(path + kProgramName)) {
            if (system.launch(path + kProgramName)) return;
        }
    } catch (const std::exception&) {
        // Every failure ends in the one message below.
    }
    system.showUnavailable(kSystemInfoUnavailable);
}

}  // namespace crestaverde
