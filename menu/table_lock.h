// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An advisory lock that two running copies of the game take before they touch the same table,
// held on a file of its own beside the table so that replacing the table never drops it.

#include <filesystem>

#include "descriptor.h"

namespace crestaverde {

class TableLock {
  public:
    // Waits a few seconds at most: a copy holds the lock only while it reads and writes.
    explicit TableLock(const std::filesystem::path& table);
    [[nodiscard]] bool held() const { return held_; }
    [[nodiscard]] static std::filesystem::path lockFileOf(const std::filesystem::path& table);

  private:
    Descriptor file_;
    bool held_ = false;
};

}  // namespace crestaverde
