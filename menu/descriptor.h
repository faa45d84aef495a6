// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Owns a file descriptor, so that every way out of a function closes it.

#include <unistd.h>

namespace crestaverde {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool valid() const { return fd_ >= 0; }
    // The result of close itself: a failure there can mean the data never reached the disk.
    bool close() {
        const bool ok = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

  private:
    int fd_;
};

}  // namespace crestaverde
