#pragma once
// The about window's system-information button: the first of Debian's system-information
// programs found on the PATH.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace crestaverde {

inline constexpr auto kSystemInfoPrograms =
    std::to_array<std::string_view>({"hardinfo", "kinfocenter", "gnome-system-monitor",
                                     "mate-system-monitor", "xfce4-taskmanager", "lxtask"});

// The full path of the first program of the list that the PATH's absolute folders hold, if any.
[[nodiscard]] std::optional<std::string> findSystemInfoProgram(std::string_view searchPath);

}  // namespace crestaverde
