#pragma once
// The registry as seen on a system that has none: the place of the system-information tool's
// full path names the first such program found on the PATH; the folder place holds nothing.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "system_info.h"

namespace crestaverde {

// Debian's system-information programs, in the order they are looked for.
inline const std::vector<std::string> kSystemInfoPrograms = {
    "hardinfo",          "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
    "xfce4-taskmanager", "lxtask"};

// The full path of the first program of the list in the PATH's folders, if any.
[[nodiscard]] std::optional<std::string> findSystemInfoProgram(const std::string& searchPath);

class StandInRegistry : public Registry {
  public:
    explicit StandInRegistry(std::optional<std::string> systemInfoProgram);

    long RegOpenKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t options,
                      std::uint32_t access, RegistryKey* opened) override;
    long RegQueryValueEx(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                         std::string* data, std::uint32_t* size) override;
    long RegCloseKey(RegistryKey key) override;

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;  // (key, value) -> text
    std::vector<std::string> openKeys_;
};

}  // namespace crestaverde
