// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a whole file so that a crash or a full disk at any moment leaves either the old
// content or the new one, never a mix.

#include <filesystem>
#include <string_view>

#include "file_calls.h"

namespace crestaverde {

// The file a path finally names once links are followed; the path itself when it is no link.
// A dangling link gives the path it points to, so that saving creates the file there.
[[nodiscard]] std::filesystem::path linkTarget(const std::filesystem::path& path);

// Writes the bytes to a temporary file in the target's own folder, gives it the old file's
// permission bits (0644 for a new file), syncs it, renames it over the target and syncs the
// folder. Takes no lock. Returns false when the target was left as it was.
[[nodiscard]] bool replaceFile(const std::filesystem::path& target, std::string_view bytes,
                               const FileCalls& calls);

// Removes temporary files a crashed save left beside the target: regular files of this user
// named "<target's name>.XXXXXX", last changed over a minute ago. A save still in progress
// elsewhere is younger than that.
void removeStaleTemporaries(const std::filesystem::path& target);

}  // namespace crestaverde
