#pragma once
// Finding and launching the system-information tool through the registry, as the about
// window's button does. The registry and the launch are reached through small interfaces: the
// real registry calls fit them on Windows, and a stand-in answers on Linux.

#include <cstdint>
#include <string>

namespace crestaverde {

using RegistryKey = std::uint32_t;
inline constexpr RegistryKey HKEY_LOCAL_MACHINE = 0x80000002U;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0x2003FU;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;

class Registry {
  public:
    virtual ~Registry() = default;
    virtual long RegOpenKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t options,
                              std::uint32_t access, RegistryKey* opened) = 0;
    // data arrives holding the buffer to fill; size holds its length and receives the value's.
    virtual long RegQueryValueEx(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                                 std::string* data, std::uint32_t* size) = 0;
    virtual long RegCloseKey(RegistryKey key) = 0;
};

// What launching needs from the system.
class SystemPort {
  public:
    virtual ~SystemPort() = default;
    [[nodiscard]] virtual bool fileExists(const std::string& path) const = 0;
    // Starts the program as a normal window that takes the focus; false when it cannot start.
    virtual bool launch(const std::string& path) = 0;
    // The one failure message: OK only, no icon, the application's title.
    virtual void showUnavailable(const std::string& text) = 0;
};

inline constexpr const char* kSystemInfoUnavailable =
    "La información del sistema no está disponible en este momento";

bool GetKeyValue(Registry& registry, RegistryKey KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);
void StartSysInfo(Registry& registry, SystemPort& system);

}  // namespace crestaverde
