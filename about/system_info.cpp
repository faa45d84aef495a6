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
            if (folder.empty()) continue;
            std::string candidate = std::string(folder) + "/" + std::string(program);
            if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace crestaverde
