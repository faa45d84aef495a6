#pragma once
// Launching programs and checking files on Qt, for the system-information button.

#include "services.h"
#include "system_info.h"

namespace crestaverde {

class QtSystemPort : public SystemPort {
  public:
    explicit QtSystemPort(Services& services) : services_(services) {}
    [[nodiscard]] bool fileExists(const std::string& path) const override;
    // Detached: the game goes on while the tool runs.
    bool launch(const std::string& path) override;
    void showUnavailable(const std::string& text) override;

  private:
    Services& services_;
};

}  // namespace crestaverde
