// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An advisory lock that running copies of the game take before they touch the same table. It is
// held on the folder that holds the table: every account that can replace the table can open its
// folder, replacing the table never changes the folder, and no file of another account is needed.

#include <filesystem>

#include "descriptor.h"

namespace crestaverde {

class TableLock {
  public:
    enum class State {
        Held,
        Busy,         // another copy holds it
        Unavailable,  // the folder cannot be locked (not readable, or no locks where it lies)
    };

    // Tries once and never waits; released when the object goes.
    explicit TableLock(const std::filesystem::path& table);
    [[nodiscard]] State state() const { return state_; }

  private:
    Descriptor folder_;
    State state_ = State::Unavailable;
};

}  // namespace crestaverde
