// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system calls through which the score table is read and saved. The game uses the real ones;
// tests swap in failing ones to reach the error paths no real file reaches on demand.

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <functional>

namespace crestaverde {

struct FileCalls {
    std::function<ssize_t(int fd, void* buffer, std::size_t size)> read = ::read;
    std::function<int(int fd)> fsync = ::fsync;
};

}  // namespace crestaverde
