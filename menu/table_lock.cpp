// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace crestaverde {
namespace {

constexpr auto kPatience = std::chrono::seconds(5);
constexpr auto kRetry = std::chrono::milliseconds(20);

}  // namespace

std::filesystem::path TableLock::lockFileOf(const std::filesystem::path& table) {
    std::filesystem::path lock = table;
    lock += ".lock";
    return lock;
}

// Read-only is enough for flock, so a player who cannot write the lock file still takes it.
TableLock::TableLock(const std::filesystem::path& table)
    : file_(::open(lockFileOf(table).c_str(),
                   O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0644)) {
    if (!file_.valid()) return;
    const auto giveUp = std::chrono::steady_clock::now() + kPatience;
    for (;;) {
        if (::flock(file_.get(), LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) return;
        if (std::chrono::steady_clock::now() >= giveUp) return;
        std::this_thread::sleep_for(kRetry);
    }
}

}  // namespace crestaverde
