// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

namespace crestaverde {
namespace {

std::filesystem::path folderOf(const std::filesystem::path& table) {
    return table.has_parent_path() ? table.parent_path() : std::filesystem::path(".");
}

}  // namespace

// Read-only is enough for flock, and a folder opened as such follows no link to anything else.
TableLock::TableLock(const std::filesystem::path& table)
    : folder_(::open(folderOf(table).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (!folder_.valid()) return;
    int result = 0;
    do {
        result = ::flock(folder_.get(), LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        state_ = State::Held;
    } else if (errno == EWOULDBLOCK) {
        state_ = State::Busy;
    }
}

}  // namespace crestaverde
