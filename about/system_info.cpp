#include "system_info.h"

#include <unistd.h>

namespace crestaverde {

std::optional<std::string> findSystemInfoProgram(std::string_view searchPath) {
    for (const std::string_view program : kSystemInfoPrograms) {
        std::string_view rest = searchPath;
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            const std::string_view folder = rest.substr(0, colon);
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
            // A relative entry (an empty one means the current folder) would run whatever the
            // folder the game was started from holds.
            if (!folder.starts_with('/')) continue;
            std::string candidate = std::string(folder) + "/" + std::string(program);
            if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace crestaverde
